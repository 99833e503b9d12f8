#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/data_folders.h"
#include "app/language.h"
#include "app/main_ini.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "platform/file_settings_store.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {

namespace {

// Says on standard error why `folder` is not there after DataFolders tried to create it.
bool ReportMissingFolder(const std::string& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return false;
  std::filesystem::create_directories(folder, error);
  const std::string reason = error ? error.message() : "it is not an absolute path";
  std::fprintf(stderr, "vandrelctl: the folder %s could not be created: %s\n", folder.c_str(),
               reason.c_str());
  return true;
}

}  // namespace

int RunFolders(const Options& options) {
  if (!options.arguments.empty()) return RefuseUsage("folders takes no arguments");
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const std::string created[] = {folders.GetDataFolder(), folders.GetMouseFolder(),
                                 folders.GetKeyboardFolder(), folders.GetPadFolder()};
  PrintDocument(options, {{"data_folder", created[0]},
                          {"mouse_folder", created[1]},
                          {"keyboard_folder", created[2]},
                          {"pad_folder", created[3]},
                          {"program_folder", folders.GetProgramFolder()}});
  bool missing = false;
  for (const std::string& folder : created) missing = ReportMissingFolder(folder) || missing;
  return missing ? kExitFileError : kExitSuccess;
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
