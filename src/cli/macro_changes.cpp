#include "cli/macro_changes.h"

#include "cli/commands.h"
#include "cli/desktop_lock.h"
#include "cli/macro_library.h"
#include "cli/output.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

// A library read under the desktop program's lock, which it keeps while it lives.
struct LockedLibrary {
  SingleInstance lock;
  MacroLibrary library;
};

// The library of `word`, read after taking the lock; nullopt with the exit status in `status`.
std::optional<LockedLibrary> LockLibrary(const std::string& word, int& status) {
  std::string error;
  std::optional<MacroLibrary> library = OpenMacroLibrary(word, error);
  if (!library) {
    status = RefuseUsage(error);
    return std::nullopt;
  }
  std::optional<SingleInstance> lock = LockOutDesktopProgram(error);
  if (!lock) {
    status = FailDevice(error);
    return std::nullopt;
  }
  library->names = library->store.ReadCatalogue();
  return LockedLibrary{std::move(*lock), std::move(*library)};
}

// The name a new macro gets: `words[at]` when given, else the default; nullopt with the exit
// status in `status` when the library is full or the name cannot be taken.
std::optional<std::string> NewMacroName(const MacroLibrary& library,
                                        const std::vector<std::string>& words, std::size_t at,
                                        int& status) {
  if (library.names.size() >= static_cast<std::size_t>(kMaxMacros)) {
    status = FailDevice("the " + library.device + " has " + std::to_string(kMaxMacros) +
                        " macros, the most it keeps; nothing was changed");
    return std::nullopt;
  }
  std::string name = words.size() > at ? words[at] : NextFreeName(library.names);
  if (const std::optional<std::string> problem = NewNameProblem(library, name, std::nullopt)) {
    status = RefuseUsage(*problem);
    return std::nullopt;
  }
  return name;
}

int CatalogueNotWritten(const MacroLibrary& library) {
  return FailDevice("cannot write " + library.store.CataloguePath().string() +
                    "; nothing was changed");
}

void PrintChange(const Options& options, const MacroLibrary& library, std::string_view change,
                 const std::string& name, std::size_t number) {
  PrintDocument(options, {{change, name}, {"device", library.device}, {"number", number}});
}

}  // namespace

int AddMacro(const Options& options, const std::vector<std::string>& words) {
  int status = kExitSuccess;
  const std::optional<LockedLibrary> locked = LockLibrary(words[0], status);
  if (!locked) return status;
  const MacroLibrary& library = locked->library;
  const std::optional<std::string> name = NewMacroName(library, words, 1, status);
  if (!name) return status;
  const std::size_t count = library.names.size() + 1;
  if (!library.store.WriteCatalogueEntry(static_cast<int>(count), static_cast<int>(count - 1),
                                         *name)) {
    return CatalogueNotWritten(library);
  }
  PrintChange(options, library, "added", *name, count - 1);
  return kExitSuccess;
}

int RenameMacro(const Options& options, const std::vector<std::string>& words) {
  int status = kExitSuccess;
  const std::optional<LockedLibrary> locked = LockLibrary(words[0], status);
  if (!locked) return status;
  const MacroLibrary& library = locked->library;
  const std::optional<std::size_t> index = library.Find(words[1]);
  if (!index) return RefuseUsage("the " + library.device + " has no macro \"" + words[1] + "\"");
  const std::string old_name = library.names[*index];
  const std::string& new_name = words[2];
  if (old_name == new_name) {
    PrintChange(options, library, "unchanged", new_name, *index);
    return kExitSuccess;
  }
  if (const std::optional<std::string> problem = NewNameProblem(library, new_name, index)) {
    return RefuseUsage(*problem);
  }
  switch (library.store.RenameMacroFile(old_name, new_name)) {
    case RenameResult::kRenamed:
      break;
    case RenameResult::kTargetExists:
      return FailDevice("a file " + library.store.MacroPath(new_name).string() +
                        " is there already and would be lost; nothing was changed");
    case RenameResult::kInvalidName:
      return FailDevice("the macro's present name \"" + old_name +
                        "\" cannot name a file here; nothing was changed");
    case RenameResult::kFailed:
      return FailDevice("cannot move " + library.store.MacroPath(old_name).string() +
                        "; nothing was changed");
  }
  if (!library.store.WriteCatalogueEntry(static_cast<int>(library.names.size()),
                                         static_cast<int>(*index), new_name)) {
    (void)library.store.RenameMacroFile(new_name, old_name);
    return CatalogueNotWritten(library);
  }
  // The mouse's macro file carries the macro's name too; nothing reads it back.
  if (library.store.kind() == DeviceKind::kMouse &&
      !library.store.WriteMacro(new_name, new_name, library.store.ReadMacro(new_name))) {
    return FailDevice("renamed, but the name in " + library.store.MacroPath(new_name).string() +
                      " could not be written");
  }
  PrintChange(options, library, "renamed", new_name, *index);
  return kExitSuccess;
}

int DeleteMacro(const Options& options, const std::vector<std::string>& words) {
  int status = kExitSuccess;
  const std::optional<LockedLibrary> locked = LockLibrary(words[0], status);
  if (!locked) return status;
  const MacroLibrary& library = locked->library;
  const std::optional<std::size_t> index = library.Find(words[1]);
  if (!index) return RefuseUsage("the " + library.device + " has no macro \"" + words[1] + "\"");
  std::vector<std::string> remaining = library.names;
  remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(*index));
  // The catalogue first: a file left behind loses nothing, a catalogue entry without its file
  // would lose the steps.
  if (!library.store.RewriteCatalogue(remaining)) return CatalogueNotWritten(library);
  const std::string& name = library.names[*index];
  if (!library.store.DeleteMacroFile(name)) {
    return FailDevice("deleted from the catalogue, but " + library.store.MacroPath(name).string() +
                      " could not be removed");
  }
  PrintChange(options, library, "deleted", name, *index);
  return kExitSuccess;
}

int ImportMacro(const Options& options, const std::vector<std::string>& words) {
  int status = kExitSuccess;
  const std::optional<LockedLibrary> locked = LockLibrary(words[0], status);
  if (!locked) return status;
  const MacroLibrary& library = locked->library;
  const std::optional<std::string> name = NewMacroName(library, words, 2, status);
  if (!name) return status;
  const std::filesystem::path target = library.store.MacroPath(*name);
  std::error_code ignored;
  if (std::filesystem::exists(std::filesystem::symlink_status(target, ignored))) {
    return FailDevice(target.string() + " is there already and would be lost; nothing was changed");
  }
  const std::string& source = words[1];
  switch (library.store.ImportMacro(source, *name)) {
    case ImportResult::kImported:
      break;
    case ImportResult::kUnreadable:
      return RefuseUsage(source + ": not a readable regular file; nothing was changed");
    case ImportResult::kTooLarge:
      return RefuseUsage(source + ": larger than " + std::to_string(kMaxImportedMacroBytes) +
                         " bytes, too large for a macro file; nothing was changed");
    case ImportResult::kNotText:
      return RefuseUsage(source + ": not UTF-8 text, so not a macro file; nothing was changed");
    case ImportResult::kWriteFailed:
      return FailDevice("cannot write " + target.string() + "; nothing was changed");
  }
  const std::size_t count = library.names.size() + 1;
  if (!library.store.WriteCatalogueEntry(static_cast<int>(count), static_cast<int>(count - 1),
                                         *name)) {
    (void)library.store.DeleteMacroFile(*name);
    return CatalogueNotWritten(library);
  }
  PrintChange(options, library, "imported", *name, count - 1);
  return kExitSuccess;
}

}  // namespace vandrel::cli
