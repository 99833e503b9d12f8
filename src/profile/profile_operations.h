// ProfileOperations: the changes a user makes to one device's profile lists — select, add,
// delete, copy, rename, import, export, reset — on its catalogue and its profile files. Nothing
// here touches the device: an operation that ends on a profile to load hands back its number (the
// caller selects it with ActivateProfile) or its payload (the caller applies it).
//
// Every change of the catalogue follows the files it names: a profile's file is written before
// the catalogue lists it, so a failure never leaves a listed name without its file. A name is a
// file name in the device's data folder and is refused when it could lead outside it. The
// device's rewrites still waiting in the saver are written before anything that changes which
// file is selected or reads the selected file. User-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_catalogue.h"
#include "profile/profile_saver.h"

namespace vandrel {

// What became of an operation. Unless kDone, nothing changed on disk.
enum class ProfileChange {
  kDone,
  kNoSuchProfile,  // the number is not one of the kind's profiles, or the kind is not kept
  kSourceMissing,  // the default, imported or profile file is missing or unreadable
  kSourceBad,      // it does not start with the profile magic
  kOnlyProfile,    // delete: the last profile of a kind stays
  kNameEmpty,      // rename to ""
  kNameTaken,      // rename to a name listed already (its own included), case ignored
  kNameInvalid,    // a name that cannot be a file name of the folder
  kNameTooLong,    // name + extension longer than the file system allows
  kFileExists,     // rename: a file of the new name lies in the folder already
  kNotWritten,     // a file or the catalogue could not be written
};

// The message identifier a page shows for `change`; "" for kDone and kNoSuchProfile.
[[nodiscard]] std::string_view MessageOf(ProfileChange change);

struct ProfileOutcome {
  ProfileChange change = ProfileChange::kDone;
  std::size_t number = 0;  // the profile the operation ends on, to be selected
  std::string name;        // its name
  // ActivateProfile and ResetProfile: the payload to apply (the row's size); empty when there is
  // nothing to apply (the mouse's key profiles are not applied on selection).
  std::vector<std::uint8_t> payload;
};

class ProfileOperations {
 public:
  // `keyboard_model` (0-3) chooses the keyboard's default files. Both references must outlive
  // this.
  ProfileOperations(const ProfileCatalogue& catalogue, ProfileSaver& saver, int keyboard_model);

  // Stores `number` as the kind's selection and reads its file. The mouse's key profiles are
  // neither stored as selected nor read.
  ProfileOutcome ActivateProfile(ProfileKind kind, std::size_t number);
  // Reads `number`'s file without storing it as the selection (a linked profile whose program
  // came to the foreground, or the user's choice again once it left). As ActivateProfile, the
  // mouse's key profiles are not read.
  ProfileOutcome LoadProfile(ProfileKind kind, std::size_t number);
  // A new "profile<n>" (the first n from 1 whose name is not listed) made from the default file.
  ProfileOutcome AddProfile(ProfileKind kind);
  // Removes `number`; the programs linked to the later profiles move down with them. Ends on the
  // last profile.
  ProfileOutcome DeleteProfile(ProfileKind kind, std::size_t number);
  // "<name> copy" (again while listed) with the file of `number`; not linked.
  ProfileOutcome CopyProfile(ProfileKind kind, std::size_t number);
  ProfileOutcome RenameProfile(ProfileKind kind, std::size_t number, std::string_view new_name);
  // The file at `source` becomes a new profile (device profiles) or replaces profile `into` (by
  // default the stored selection).
  ProfileOutcome ImportProfile(ProfileKind kind, const std::filesystem::path& source,
                               std::optional<std::size_t> into = std::nullopt);
  // The file of `number` written at `target` with the row's header.
  ProfileOutcome ExportProfile(ProfileKind kind, std::size_t number,
                               const std::filesystem::path& target);
  // The file of `number` made from the default file again; its payload is handed back.
  ProfileOutcome ResetProfile(ProfileKind kind, std::size_t number);

 private:
  struct Listed {
    std::vector<std::string> names;
    std::filesystem::path path;  // the file of the profile asked for
  };
  // The kind's names and the path of `number`'s file; nullopt when it is not listed or its name
  // cannot name a file.
  [[nodiscard]] std::optional<Listed> Find(ProfileKind kind, std::size_t number) const;
  // Reads a profile of the kind from `path`; on success `outcome.payload` holds it.
  [[nodiscard]] bool Read(ProfileKind kind, const std::filesystem::path& path,
                          ProfileOutcome& outcome) const;
  // The outcome ending on `number`, with its file's payload when it can be read.
  [[nodiscard]] ProfileOutcome Load(ProfileKind kind, const Listed& listed,
                                    std::size_t number) const;
  [[nodiscard]] bool IsMouseKey(ProfileKind kind) const;
  // Writes a new profile `name` with `payload` and appends it to the list.
  ProfileOutcome Append(ProfileKind kind, const std::string& name,
                        std::span<const std::uint8_t> payload, bool unlinked);
  [[nodiscard]] const ProfileRow& RowOf(ProfileKind kind) const;

  const ProfileCatalogue& catalogue_;
  ProfileSaver& saver_;
  int keyboard_model_;
};

}  // namespace vandrel
