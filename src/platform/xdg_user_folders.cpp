#include "platform/xdg_user_folders.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "core/file_io.h"
#include "platform/home_folder.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

// A user-dirs.dirs file holds a dozen short lines.
constexpr std::size_t kMaxUserDirsSize = 64 * 1024;

// Empty when there is no usable home folder: paths under it are then relative, and unused.
fs::path HomeFolder() { return FindHomeFolder().value_or(fs::path()); }

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
    const fs::path home = HomeFolder();
    if (home.empty() || (!rest.empty() && rest.front() != '/')) return std::nullopt;
    return home / fs::path(rest).relative_path();
  }
  if (value.starts_with('/')) return fs::path(value);
  return std::nullopt;
}

}  // namespace

fs::path XdgUserFolders::ConfigFolder() const {
  return XdgBaseFolder("XDG_CONFIG_HOME", ".config");
}

fs::path XdgUserFolders::DocumentsFolder() const {
  const FileContents user_dirs = ReadWholeFile(ConfigFolder() / "user-dirs.dirs", kMaxUserDirsSize);
  std::string_view lines = user_dirs.bytes;
  while (!lines.empty()) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    if (std::optional<fs::path> folder = ParseUserDir(lines.substr(0, end), "XDG_DOCUMENTS_DIR")) {
      return *folder;
    }
    lines.remove_prefix(std::min(end + 1, lines.size()));
  }
  const fs::path home = HomeFolder();
  return home.empty() ? home : home / "Documents";
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
