#include <string>

#include "app/data_folders.h"
#include "app/language.h"
#include "app/main_ini.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "platform/file_settings_store.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {

int RunFolders(const Options& options) {
  if (!options.arguments.empty()) return RefuseUsage("folders takes no arguments");
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  PrintDocument(options, {{"data_folder", folders.GetDataFolder()},
                          {"mouse_folder", folders.GetMouseFolder()},
                          {"keyboard_folder", folders.GetKeyboardFolder()},
                          {"pad_folder", folders.GetPadFolder()},
                          {"program_folder", folders.GetProgramFolder()}});
  return kExitSuccess;
}

int RunSettings(const Options& options) {
  if (!options.arguments.empty()) return RefuseUsage("settings takes no arguments");
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const MainIni main_ini(folders);
  const int language = main_ini.ReadLanguage();
  const auto store_path = FileSettingsStore::DefaultPath(user_folders);
  const FileSettingsStore store(store_path);
  const std::optional<std::string> stored = store.ReadValue(kLanguageValueName);
  PrintDocument(options, {{"main_ini", folders.GetDataFolder() + "main.ini"},
                          {"skin_flags", main_ini.ReadSkinFlags()},
                          {"skin_image", main_ini.ReadSkinImage()},
                          {"language", language},
                          {"language_name", std::string(LanguageForSetting(language).name)},
                          {"language_file", std::string(LanguageForSetting(language).file)},
                          {"settings_store", store_path.string()},
                          {"stored_language", stored ? nlohmann::ordered_json(*stored) : nullptr}});
  return kExitSuccess;
}

}  // namespace vandrel::cli
