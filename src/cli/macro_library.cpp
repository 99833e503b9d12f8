#include "cli/macro_library.h"

#include <climits>

#include "app/data_folders.h"
#include "cli/device_names.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {

std::optional<std::size_t> MacroLibrary::Find(std::string_view name) const {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return i;
  }
  return FindOther(name, std::nullopt);
}

std::optional<std::size_t> MacroLibrary::FindOther(std::string_view name,
                                                   std::optional<std::size_t> except) const {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i != except && SameMacroName(names[i], name)) return i;
  }
  return std::nullopt;
}

std::optional<MacroLibrary> OpenMacroLibrary(std::string_view word, std::string& error) {
  const std::optional<DeviceKind> kind = DeviceOfWord(word);
  if (kind != DeviceKind::kMouse && kind != DeviceKind::kKeyboard) {
    error = "unknown device \"" + std::string(word) + "\" (macros: mouse, keyboard)";
    return std::nullopt;
  }
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const std::string folder =
      *kind == DeviceKind::kMouse ? folders.GetMouseFolder() : folders.GetKeyboardFolder();
  MacroLibrary library{std::string(word), MacroStore(*kind, folder), {}};
  library.names = library.store.ReadCatalogue();
  return library;
}

std::optional<std::string> NewNameProblem(const MacroLibrary& library, std::string_view name,
                                          std::optional<std::size_t> renamed) {
  const std::string quoted = "\"" + std::string(name) + "\"";
  switch (CheckMacroName(name)) {
    case MacroNameProblem::kNone:
      break;
    case MacroNameProblem::kInvalid:
      return quoted +
             " cannot be a macro name: a name is a file name, so it may not be empty, \".\" or "
             "\"..\", hold a \"/\" or a control character, be other than UTF-8, or start or end "
             "with white space or quotes";
    case MacroNameProblem::kTooLong:
      return quoted + " is too long for a macro name: its file name would pass " +
             std::to_string(NAME_MAX) + " bytes";
  }
  if (const std::optional<std::size_t> other = library.FindOther(name, renamed)) {
    return "the " + library.device + " has a macro \"" + library.names[*other] +
           "\" already (names are compared without regard to case)";
  }
  return std::nullopt;
}

}  // namespace vandrel::cli
