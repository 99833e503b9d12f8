#include "app/data_folders.h"

#include <system_error>

#include "app/product.h"

namespace vandrel {
namespace {

std::string WithSlash(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text.push_back('/');
  return text;
}

// A relative folder (no usable home folder) would land in whatever folder the program was started
// in: it is never created.
std::string CreatedFolder(const std::filesystem::path& folder) {
  std::error_code ignored;
  if (folder.is_absolute()) std::filesystem::create_directories(folder, ignored);
  return WithSlash(folder);
}

}  // namespace

DataFolders::DataFolders(const UserFolders& user_folders) : user_folders_(user_folders) {}

std::string DataFolders::GetDataFolder() const {
  return CreatedFolder(user_folders_.DocumentsFolder() / kProductTitle);
}

std::string DataFolders::GetMouseFolder() const { return GetDeviceFolder("ms"); }

std::string DataFolders::GetKeyboardFolder() const { return GetDeviceFolder("kb"); }

std::string DataFolders::GetPadFolder() const { return GetDeviceFolder("mp"); }

std::string DataFolders::GetProgramFolder() const {
  return WithSlash(user_folders_.ProgramFolder());
}

std::string DataFolders::GetDeviceFolder(const char* name) const {
  return CreatedFolder(std::filesystem::path(GetDataFolder()) / name);
}

}  // namespace vandrel
