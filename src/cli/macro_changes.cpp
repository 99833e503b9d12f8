#include "cli/macro_changes.h"

#include <climits>
#include <functional>
#include <span>

#include "cli/commands.h"
#include "cli/desktop_lock.h"
#include "cli/macro_library.h"
#include "cli/output.h"
#include "macro/macro_changes.h"

namespace vandrel::cli {
namespace {

// What a change was about, for the words of its outcome.
struct ChangeSubject {
  std::string_view done;   // printed with the name on success: "added" …
  std::string name;        // the name after the change; the deleted macro's
  std::size_t number = 0;  // the macro's number after the change
  std::optional<std::size_t> existing = std::nullopt;  // rename and delete: the macro changed
  std::string_view source = {};                        // import: the file taken in
};

// Runs `change` on the library of `word`, read after taking the desktop program's lock, which is
// held until the change is done; the exit status.
int WithLockedLibrary(const std::string& word,
                      const std::function<int(const MacroLibrary&)>& change) {
  std::string error;
  std::optional<MacroLibrary> library = OpenMacroLibrary(word, error);
  if (!library) return RefuseUsage(error);
  const std::optional<SingleInstance> lock = LockOutDesktopProgram(error);
  if (!lock) return FailDevice(error);
  library->names = library->store.ReadCatalogue();
  return change(*library);
}

int NoSuchMacro(const MacroLibrary& library, std::string_view name) {
  return RefuseUsage("the " + library.device + " has no macro \"" + std::string(name) + "\"");
}

// WithLockedLibrary for a change of the library's macro `name`, given its number.
int WithLockedMacro(const std::string& word, const std::string& name,
                    const std::function<int(const MacroLibrary&, std::size_t)>& change) {
  return WithLockedLibrary(word, [&](const MacroLibrary& library) {
    const std::optional<std::size_t> index = library.Find(name);
    return index ? change(library, *index) : NoSuchMacro(library, name);
  });
}

// Why the subject's name cannot be taken: a duplicate or a name that cannot be a file name.
std::string NameRefusal(const MacroLibrary& library, MacroChange result,
                        const ChangeSubject& subject) {
  const std::string quoted = "\"" + subject.name + "\"";
  if (result == MacroChange::kNameTooLong) {
    return quoted + " is too long for a macro name: its file name would pass " +
           std::to_string(NAME_MAX) + " bytes";
  }
  if (result == MacroChange::kNameInvalid) {
    return quoted +
           " cannot be a macro name: a name is a file name, so it may not be empty, \".\" or "
           "\"..\", hold a \"/\" or a control character, be other than UTF-8, or start or end "
           "with white space or quotes";
  }
  const std::optional<std::size_t> other = library.FindOther(subject.name, subject.existing);
  return "the " + library.device + " has a macro " +
         (other ? "\"" + library.names[*other] + "\"" : quoted) +
         " already (names are compared without regard to case)";
}

// Why the file to import was not taken.
std::string SourceRefusal(MacroChange result, std::string_view source) {
  const std::string file(source);
  if (result == MacroChange::kSourceTooLarge) {
    return file + ": larger than " + std::to_string(kMaxImportedMacroBytes) +
           " bytes, too large for a macro file; nothing was changed";
  }
  if (result == MacroChange::kSourceNotText) {
    return file + ": not UTF-8 text, so not a macro file; nothing was changed";
  }
  return file + ": not a readable regular file; nothing was changed";
}

// Says what became of a change and gives the exit status.
int Conclude(const Options& options, const MacroLibrary& library, MacroChange result,
             const ChangeSubject& subject) {
  const MacroStore& store = library.store;
  const bool listed = subject.existing && *subject.existing < library.names.size();
  const std::string old_name = listed ? library.names[*subject.existing] : subject.name;
  const std::string new_path = store.MacroPath(subject.name).string();
  switch (result) {
    case MacroChange::kDone:
    case MacroChange::kUnchanged:
      PrintDocument(options,
                    {{result == MacroChange::kDone ? subject.done : "unchanged", subject.name},
                     {"device", library.device},
                     {"number", subject.number}});
      return kExitSuccess;
    case MacroChange::kNoSuchMacro:
      return NoSuchMacro(library, old_name);
    case MacroChange::kLibraryFull:
      return FailDevice("the " + library.device + " has " + std::to_string(kMaxMacros) +
                        " macros, the most it keeps; nothing was changed");
    case MacroChange::kDuplicateName:
    case MacroChange::kNameInvalid:
    case MacroChange::kNameTooLong:
      return RefuseUsage(NameRefusal(library, result, subject));
    case MacroChange::kFileExists:
      return FailDevice((subject.existing ? "a file " : "") + new_path +
                        " is there already and would be lost; nothing was changed");
    case MacroChange::kOldNameInvalid:
      return FailDevice("the macro's present name \"" + old_name +
                        "\" cannot name a file here; nothing was changed");
    case MacroChange::kStepsNotWritten:
    case MacroChange::kFileNotWritten:
      return FailDevice("cannot write " + store.MacroPath(old_name).string() +
                        "; nothing was changed");
    case MacroChange::kMoveFailed:
      return FailDevice("cannot move " + store.MacroPath(old_name).string() +
                        "; nothing was changed");
    case MacroChange::kCatalogueNotWritten:
      return FailDevice("cannot write " + store.CataloguePath().string() + "; nothing was changed");
    case MacroChange::kFileNotRemoved:
      return FailDevice("deleted from the catalogue, but " + new_path + " could not be removed");
    case MacroChange::kSourceUnreadable:
    case MacroChange::kSourceTooLarge:
    case MacroChange::kSourceNotText:
      return RefuseUsage(SourceRefusal(result, subject.source));
  }
  return FailDevice("nothing was changed");
}

}  // namespace

int AddMacro(const Options& options, const std::vector<std::string>& words) {
  return WithLockedLibrary(words[0], [&](const MacroLibrary& library) {
    const std::string name = words.size() > 1 ? words[1] : NextFreeName(library.names);
    return Conclude(options, library, AddLibraryMacro(library.store, library.names, name),
                    {.done = "added", .name = name, .number = library.names.size()});
  });
}

int RenameMacro(const Options& options, const std::vector<std::string>& words) {
  return WithLockedMacro(words[0], words[1], [&](const MacroLibrary& library, std::size_t index) {
    // The mouse's macro file carries the macro's name too, so its steps are stored again with the
    // new one; nothing reads that name back. The keyboard's files stay as they are.
    const bool names_itself = library.store.kind() == DeviceKind::kMouse;
    const std::vector<std::string> steps =
        names_itself ? library.store.ReadMacro(library.names[index]) : std::vector<std::string>{};
    using Steps = std::optional<std::span<const std::string>>;
    const MacroChange result = RenameLibraryMacro(library.store, library.names, index, words[2],
                                                  names_itself ? Steps(steps) : std::nullopt);
    return Conclude(options, library, result,
                    {.done = "renamed", .name = words[2], .number = index, .existing = index});
  });
}

int DeleteMacro(const Options& options, const std::vector<std::string>& words) {
  return WithLockedMacro(words[0], words[1], [&](const MacroLibrary& library, std::size_t index) {
    return Conclude(
        options, library, DeleteLibraryMacro(library.store, library.names, index),
        {.done = "deleted", .name = library.names[index], .number = index, .existing = index});
  });
}

int ImportMacro(const Options& options, const std::vector<std::string>& words) {
  return WithLockedLibrary(words[0], [&](const MacroLibrary& library) {
    const std::string& source = words[1];
    const std::string name = words.size() > 2 ? words[2] : NextFreeName(library.names);
    return Conclude(
        options, library, ImportLibraryMacro(library.store, library.names, source, name),
        {.done = "imported", .name = name, .number = library.names.size(), .source = source});
  });
}

}  // namespace vandrel::cli
