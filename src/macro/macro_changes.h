// The changes to a device's macro library that the macro editor and vandrelctl both make: adding,
// renaming, deleting and importing a macro. Each one checks the library's rules (at most
// kMaxMacros macros, names unique without regard to ASCII case, names that can be file names, no
// file of a new name in the folder already) and then writes in the order that keeps the catalogue
// and the macro files in step, so that a failed write never leaves a listed macro without its
// steps. The caller gives the names it holds in catalogue order (the editor its list, vandrelctl
// the catalogue as read) and turns the result into its own words. Any thread; one change at a time
// per folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "macro/macro_store.h"

namespace vandrel {

// What became of a change. Unless kDone, nothing changed on disk except where said.
enum class MacroChange {
  kDone,
  kUnchanged,            // a rename to the very same name: nothing to do
  kNoSuchMacro,          // the index is not one of the names'
  kLibraryFull,          // kMaxMacros macros already
  kDuplicateName,        // another macro has the name, ASCII case ignored
  kNameInvalid,          // CheckMacroName: kInvalid
  kNameTooLong,          // CheckMacroName: kTooLong
  kFileExists,           // something of the new name's file name is in the folder already
  kOldNameInvalid,       // rename: the macro's present name cannot name a file
  kStepsNotWritten,      // rename: the steps could not be stored under the present name
  kMoveFailed,           // rename: the file could not be moved
  kCatalogueNotWritten,  // a moved file is moved back, an imported one removed
  kFileNotRemoved,       // delete: done in the catalogue, but the file stays
  kSourceUnreadable,     // import: ImportResult::kUnreadable
  kSourceTooLarge,       // import: ImportResult::kTooLarge
  kSourceNotText,        // import: ImportResult::kNotText
  kFileNotWritten,       // import: the macro's file could not be written
};

// Appends macro `name` to the catalogue. The macro has no file until its steps are saved.
[[nodiscard]] MacroChange AddLibraryMacro(const MacroStore& store,
                                          std::span<const std::string> names,
                                          std::string_view name);

// Renames macro `index` to `new_name`: `steps`, when given, are first stored under the present
// name (with the new name inside for the mouse); then the file moves and the catalogue entry
// follows, the file moving back when the entry cannot be written. A change of case only is a
// rename like any other.
[[nodiscard]] MacroChange RenameLibraryMacro(const MacroStore& store,
                                             std::span<const std::string> names, std::size_t index,
                                             std::string_view new_name,
                                             std::optional<std::span<const std::string>> steps);

// Deletes macro `index`: the catalogue is rewritten without it first, then its file removed.
[[nodiscard]] MacroChange DeleteLibraryMacro(const MacroStore& store,
                                             std::span<const std::string> names, std::size_t index);

// Adds macro `name` with the file at `source` as its file, stored as it is before the catalogue
// lists it and removed again when the catalogue cannot be written.
[[nodiscard]] MacroChange ImportLibraryMacro(const MacroStore& store,
                                             std::span<const std::string> names,
                                             const std::filesystem::path& source,
                                             std::string_view name);

}  // namespace vandrel
