// vandrelctl: the command-line face of the configuration suite.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/data_folders.h"
#include "app/language.h"
#include "app/main_ini.h"
#include "platform/file_settings_store.h"
#include "platform/xdg_user_folders.h"

namespace {

using vandrel::DataFolders;

constexpr std::string_view kUsage =
    "usage: vandrelctl COMMAND\n"
    "\n"
    "commands:\n"
    "  folders    print the data folders (creating them) and the program folder\n"
    "  settings   print main.ini's skin and language settings and the stored language\n"
    "  help       print this text\n";

void PrintFolders(const DataFolders& folders) {
  std::printf("data folder:     %s\n", folders.GetDataFolder().c_str());
  std::printf("mouse folder:    %s\n", folders.GetMouseFolder().c_str());
  std::printf("keyboard folder: %s\n", folders.GetKeyboardFolder().c_str());
  std::printf("pad folder:      %s\n", folders.GetPadFolder().c_str());
  std::printf("program folder:  %s\n", folders.GetProgramFolder().c_str());
}

void PrintSettings(const vandrel::UserFolders& user_folders, const DataFolders& folders) {
  const vandrel::MainIni main_ini(folders);
  const int language = main_ini.ReadLanguage();
  std::printf("main.ini:        %smain.ini\n", folders.GetDataFolder().c_str());
  std::printf("skin flags:      %d\n", main_ini.ReadSkinFlags());
  std::printf("skin image:      %s\n", main_ini.ReadSkinImage().c_str());
  std::printf("language:        %d (%s, %s)\n", language,
              std::string(vandrel::LanguageForSetting(language).name).c_str(),
              std::string(vandrel::LanguageForSetting(language).file).c_str());

  const auto store_path = vandrel::FileSettingsStore::DefaultPath(user_folders);
  const vandrel::FileSettingsStore store(store_path);
  const std::optional<std::string> stored = store.ReadValue(vandrel::kLanguageValueName);
  std::printf("settings store:  %s (%s)\n", store_path.c_str(),
              stored ? ("LANGUAGE=" + *stored).c_str() : "absent");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "help";
  const vandrel::XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  if (command == "folders") {
    PrintFolders(folders);
    return 0;
  }
  if (command == "settings") {
    PrintSettings(user_folders, folders);
    return 0;
  }
  const bool asked = command == "help" || command == "--help" || command == "-h";
  std::fputs(kUsage.data(), asked ? stdout : stderr);
  return asked ? 0 : 2;
}
