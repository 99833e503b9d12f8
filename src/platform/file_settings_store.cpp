#include "platform/file_settings_store.h"

#include <system_error>

#include "app/product.h"

namespace vandrel {

FileSettingsStore::FileSettingsStore(std::filesystem::path path)
    : file_(std::move(path), kMaxSettingsIniSize) {}

std::filesystem::path FileSettingsStore::DefaultPath(const UserFolders& folders) {
  return folders.ConfigFolder() / "vandrel" / "settings.ini";
}

std::optional<std::string> FileSettingsStore::ReadValue(std::string_view name) const {
  return file_.Load().Find(kProductTitle, name);
}

bool FileSettingsStore::WriteValue(std::string_view name, std::string_view value) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file_.path(), error)) return false;
  return file_.WriteString(kProductTitle, name, value);
}

}  // namespace vandrel
