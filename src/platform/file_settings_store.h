// FileSettingsStore: the settings store as a small INI file, by default
// "$XDG_CONFIG_HOME/vandrel/settings.ini" with one section "[Vandrel Gaming mouse]". The file
// existing is the store existing; this class never creates it.
#pragma once

#include <filesystem>

#include "app/settings_store.h"
#include "app/user_folders.h"
#include "core/ini_file.h"

namespace vandrel {

class FileSettingsStore final : public SettingsStore {
 public:
  explicit FileSettingsStore(std::filesystem::path path);

  // The store's usual place for this user.
  [[nodiscard]] static std::filesystem::path DefaultPath(const UserFolders& folders);

  [[nodiscard]] std::optional<std::string> ReadValue(std::string_view name) const override;
  [[nodiscard]] bool WriteValue(std::string_view name, std::string_view value) override;

 private:
  IniFile file_;
};

}  // namespace vandrel
