#include <cstdio>
#include <string>

#include "app/data_folders.h"
#include "app/language.h"
#include "app/main_ini.h"
#include "cli/commands.h"
#include "platform/file_settings_store.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {

int RunFolders(const Options&) {
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  std::printf("data folder:     %s\n", folders.GetDataFolder().c_str());
  std::printf("mouse folder:    %s\n", folders.GetMouseFolder().c_str());
  std::printf("keyboard folder: %s\n", folders.GetKeyboardFolder().c_str());
  std::printf("pad folder:      %s\n", folders.GetPadFolder().c_str());
  std::printf("program folder:  %s\n", folders.GetProgramFolder().c_str());
  return 0;
}

int RunSettings(const Options&) {
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const MainIni main_ini(folders);
  const int language = main_ini.ReadLanguage();
  std::printf("main.ini:        %smain.ini\n", folders.GetDataFolder().c_str());
  std::printf("skin flags:      %d\n", main_ini.ReadSkinFlags());
  std::printf("skin image:      %s\n", main_ini.ReadSkinImage().c_str());
  std::printf("language:        %d (%s, %s)\n", language,
              std::string(LanguageForSetting(language).name).c_str(),
              std::string(LanguageForSetting(language).file).c_str());

  const auto store_path = FileSettingsStore::DefaultPath(user_folders);
  const FileSettingsStore store(store_path);
  const std::optional<std::string> stored = store.ReadValue(kLanguageValueName);
  std::printf("settings store:  %s (%s)\n", store_path.c_str(),
              stored ? ("LANGUAGE=" + *stored).c_str() : "absent");
  return 0;
}

}  // namespace vandrel::cli
