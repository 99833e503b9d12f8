#include "platform/xdg_user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace vandrel {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

fs::path HomeFolder() {
  if (std::optional<std::string> home = Environment("HOME")) return *home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

// The folder a user-dirs.dirs line names: `XDG_DOCUMENTS_DIR="$HOME/Documents"` or an absolute
// path in quotes, with backslash escapes as the shell writes them.
std::optional<fs::path> ParseUserDir(std::string_view line, std::string_view variable) {
  if (!line.starts_with(variable)) return std::nullopt;
  line.remove_prefix(variable.size());
  if (!line.starts_with("=\"")) return std::nullopt;
  line.remove_prefix(2);
  std::string value;
  for (std::size_t i = 0; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value.push_back(line[i]);
  }
  constexpr std::string_view kHome = "$HOME";
  if (value.starts_with(kHome)) {
    std::string rest = value.substr(kHome.size());
    if (!rest.empty() && rest.front() != '/') return std::nullopt;
    return HomeFolder() / fs::path(rest).relative_path();
  }
  if (value.starts_with('/')) return fs::path(value);
  return std::nullopt;
}

}  // namespace

fs::path XdgUserFolders::ConfigFolder() const {
  if (std::optional<std::string> config = Environment("XDG_CONFIG_HOME")) {
    if (fs::path(*config).is_absolute()) return *config;
  }
  return HomeFolder() / ".config";
}

fs::path XdgUserFolders::DocumentsFolder() const {
  std::ifstream user_dirs(ConfigFolder() / "user-dirs.dirs");
  std::string line;
  while (std::getline(user_dirs, line)) {
    if (std::optional<fs::path> folder = ParseUserDir(line, "XDG_DOCUMENTS_DIR")) return *folder;
  }
  return HomeFolder() / "Documents";
}

fs::path XdgUserFolders::ProgramFolder() const {
  if (std::optional<std::string> folder = Environment("VANDREL_PROGRAM_DIR")) return *folder;
  std::error_code error;
  const fs::path executable_folder = fs::read_symlink("/proc/self/exe", error).parent_path();
  if (error) return fs::current_path(error);
  const fs::path installed = executable_folder.parent_path() / "share" / "vandrel";
  if (!fs::exists(executable_folder / "skin", error) && fs::is_directory(installed, error)) {
    return installed;
  }
  return executable_folder;
}

}  // namespace vandrel
