#include "macro/macro_changes.h"

#include <vector>

namespace vandrel {
namespace {

// Why `name` cannot be a name of the library other than macro `except`'s; kDone when it can.
// The duplicate comes first: it is the refusal a user can act on without knowing file names.
MacroChange NameRefusal(std::span<const std::string> names, std::string_view name,
                        std::optional<std::size_t> except) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i != except && SameMacroName(names[i], name)) return MacroChange::kDuplicateName;
  }
  switch (CheckMacroName(name)) {
    case MacroNameProblem::kNone:
      return MacroChange::kDone;
    case MacroNameProblem::kInvalid:
      return MacroChange::kNameInvalid;
    case MacroNameProblem::kTooLong:
      return MacroChange::kNameTooLong;
  }
  return MacroChange::kNameInvalid;
}

// Why a new macro `name` cannot join the library; kDone when it can.
MacroChange NewMacroRefusal(std::span<const std::string> names, std::string_view name) {
  if (names.size() >= static_cast<std::size_t>(kMaxMacros)) return MacroChange::kLibraryFull;
  return NameRefusal(names, name, std::nullopt);
}

// Writes the catalogue entry of a macro appended to `names`.
bool AppendEntry(const MacroStore& store, std::span<const std::string> names,
                 std::string_view name) {
  const int count = static_cast<int>(names.size()) + 1;
  return store.WriteCatalogueEntry(count, count - 1, name);
}

MacroChange OfImport(ImportResult result) {
  switch (result) {
    case ImportResult::kImported:
      return MacroChange::kDone;
    case ImportResult::kUnreadable:
      return MacroChange::kSourceUnreadable;
    case ImportResult::kTooLarge:
      return MacroChange::kSourceTooLarge;
    case ImportResult::kNotText:
      return MacroChange::kSourceNotText;
    case ImportResult::kWriteFailed:
      return MacroChange::kFileNotWritten;
  }
  return MacroChange::kFileNotWritten;
}

// Moves the file of a rename whose names have been checked.
MacroChange MoveMacroFile(const MacroStore& store, std::string_view old_name,
                          std::string_view new_name) {
  switch (store.RenameMacroFile(old_name, new_name)) {
    case RenameResult::kRenamed:
      return MacroChange::kDone;
    case RenameResult::kTargetExists:
      return MacroChange::kFileExists;
    case RenameResult::kInvalidName:
      return MacroChange::kOldNameInvalid;
    case RenameResult::kFailed:
      return MacroChange::kMoveFailed;
  }
  return MacroChange::kMoveFailed;
}

}  // namespace

MacroChange AddLibraryMacro(const MacroStore& store, std::span<const std::string> names,
                            std::string_view name) {
  const MacroChange refusal = NewMacroRefusal(names, name);
  if (refusal != MacroChange::kDone) return refusal;
  return AppendEntry(store, names, name) ? MacroChange::kDone : MacroChange::kCatalogueNotWritten;
}

MacroChange RenameLibraryMacro(const MacroStore& store, std::span<const std::string> names,
                               std::size_t index, std::string_view new_name,
                               std::optional<std::span<const std::string>> steps) {
  if (index >= names.size()) return MacroChange::kNoSuchMacro;
  const std::string& old_name = names[index];
  if (new_name == old_name) return MacroChange::kUnchanged;
  const MacroChange refusal = NameRefusal(names, new_name, index);
  if (refusal != MacroChange::kDone) return refusal;
  // Moving onto another file would point the catalogue at steps that are not this macro's. A
  // change of case may find the macro's own file under the new name where case is ignored.
  if (!SameMacroName(new_name, old_name) && store.MacroFileTaken(new_name)) {
    return MacroChange::kFileExists;
  }
  if (CheckMacroName(old_name) != MacroNameProblem::kNone) return MacroChange::kOldNameInvalid;
  if (steps && !store.WriteMacro(old_name, new_name, *steps)) return MacroChange::kStepsNotWritten;
  const MacroChange moved = MoveMacroFile(store, old_name, new_name);
  if (moved != MacroChange::kDone) return moved;
  const int count = static_cast<int>(names.size());
  if (store.WriteCatalogueEntry(count, static_cast<int>(index), new_name))
    return MacroChange::kDone;
  // The catalogue still names the old file: put it back.
  (void)store.RenameMacroFile(new_name, old_name);
  return MacroChange::kCatalogueNotWritten;
}

MacroChange DeleteLibraryMacro(const MacroStore& store, std::span<const std::string> names,
                               std::size_t index) {
  if (index >= names.size()) return MacroChange::kNoSuchMacro;
  std::vector<std::string> remaining(names.begin(), names.end());
  remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(index));
  // The catalogue goes first: a file left behind loses nothing, a listed macro without its file
  // would lose its steps.
  if (!store.RewriteCatalogue(remaining)) return MacroChange::kCatalogueNotWritten;
  return store.DeleteMacroFile(names[index]) ? MacroChange::kDone : MacroChange::kFileNotRemoved;
}

MacroChange ImportLibraryMacro(const MacroStore& store, std::span<const std::string> names,
                               const std::filesystem::path& source, std::string_view name) {
  const MacroChange refusal = NewMacroRefusal(names, name);
  if (refusal != MacroChange::kDone) return refusal;
  // The new macro's file would replace what is there, and removing it after a failed catalogue
  // write would lose that too.
  if (store.MacroFileTaken(name)) return MacroChange::kFileExists;
  const MacroChange stored = OfImport(store.ImportMacro(source, name));
  if (stored != MacroChange::kDone) return stored;
  if (AppendEntry(store, names, name)) return MacroChange::kDone;
  (void)store.DeleteMacroFile(name);
  return MacroChange::kCatalogueNotWritten;
}

}  // namespace vandrel
