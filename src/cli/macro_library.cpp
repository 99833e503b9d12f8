#include "cli/macro_library.h"

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

}  // namespace vandrel::cli
