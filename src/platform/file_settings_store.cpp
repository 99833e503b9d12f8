#include "platform/file_settings_store.h"

#include <system_error>

#include "app/product.h"
#include "core/file_io.h"

namespace vandrel {

FileSettingsStore::FileSettingsStore(std::filesystem::path path) : file_(std::move(path)) {}

std::filesystem::path FileSettingsStore::DefaultPath(const UserFolders& folders) {
  return folders.ConfigFolder() / "vandrel" / "settings.ini";
}

std::optional<std::string> FileSettingsStore::ReadValue(std::string_view name) const {
  const FileContents contents = ReadWholeFile(file_.path());
  if (contents.status != ReadStatus::kOk) return std::nullopt;
  return IniDocument::Parse(contents.bytes).Find(kProductTitle, name);
}

bool FileSettingsStore::WriteValue(std::string_view name, std::string_view value) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file_.path(), error)) return false;
  return file_.WriteString(kProductTitle, name, value);
}

}  // namespace vandrel
