// ProfileCatalogue: one device's profile lists, kept in its catalogue ("msProfile.ini",
// "kbProfile.ini", "mpProfile.ini") in the device's data folder, and the places of its profile
// files and of the factory default files in the program folder.
//
// Per kind the catalogue holds a count, the names "0" … count - 1, the stored selection and, per
// profile, whether it is linked to a program and that program's path. A profile's number is its
// position in the list; names beyond the count are leftovers and never read. A profile named n is
// the file n + the kind's extension in the data folder; a name that could lead outside that
// folder (or that the catalogue would not give back as written) has no path, so nothing is ever
// read or written for it. User-interface thread (reads are safe from any thread).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "profile/profile_file.h"

namespace vandrel {

// The catalogue sections of one kind of profile (the same for every device).
struct CatalogueSections {
  std::string_view count;   // key "count"
  std::string_view name;    // keys "0", "1", …: the names
  std::string_view select;  // key "select": the stored selection
  std::string_view like;    // keys "0", "1", …: "1" linked to a program, "0" not
  std::string_view path;    // keys "0", "1", …: the linked program, " " when none
};
[[nodiscard]] const CatalogueSections& SectionsOf(ProfileKind kind);

// A device's kinds in the order its lists are built: device, light, key (the pad: light only).
[[nodiscard]] std::span<const ProfileKind> KindsOf(DeviceKind device);
// The kind whose stored selection is restored when the device is read: the device profile, the
// pad's light profile.
[[nodiscard]] ProfileKind AttachKindOf(DeviceKind device);

inline constexpr std::string_view kFirstProfileName = "profile1";
// Shown when a default file is missing, and when its header is wrong.
inline constexpr std::string_view kDefaultMissingMessage = "message_text_8";
inline constexpr std::string_view kDefaultBadMessage = "message_text_9";

class ProfileCatalogue {
 public:
  // `data_folder`: the device's folder; `program_folder`: where the default files lie.
  ProfileCatalogue(DeviceKind device, std::filesystem::path data_folder,
                   std::filesystem::path program_folder);

  [[nodiscard]] DeviceKind device() const { return device_; }
  [[nodiscard]] const IniFile& file() const { return file_; }

  // The profile file of `name`; nullopt for a name that is not a safe file name.
  [[nodiscard]] std::optional<std::filesystem::path> ProfilePath(ProfileKind kind,
                                                                 std::string_view name) const;
  // The default file of `kind`; the keyboard's depends on its model (0-3).
  [[nodiscard]] std::filesystem::path DefaultPath(ProfileKind kind, int keyboard_model) const;

  // The names of the kind's profiles, in order.
  [[nodiscard]] std::vector<std::string> Names(ProfileKind kind) const;
  // The stored selection, when it names one of the profiles.
  [[nodiscard]] std::optional<std::size_t> Selected(ProfileKind kind) const;
  // The stored selection's file, when it names a profile with a safe name.
  [[nodiscard]] std::optional<std::filesystem::path> SelectedPath(ProfileKind kind) const;

  // First start: every kind without profiles, in the order of KindsOf, gets "profile1" made from
  // its default file (count 1, name, not linked, selected). A default file that is missing or
  // has a wrong header stops the building: that kind and the later ones stay empty, and the
  // message to show is returned (kDefaultMissingMessage, kDefaultBadMessage); "" otherwise.
  [[nodiscard]] std::string_view LoadCatalogue(int keyboard_model) const;

 private:
  [[nodiscard]] std::string_view CreateFirstProfile(ProfileKind kind, int keyboard_model) const;

  DeviceKind device_;
  std::filesystem::path data_folder_;
  std::filesystem::path program_folder_;
  IniFile file_;
};

}  // namespace vandrel
