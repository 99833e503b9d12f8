#include "platform/home_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace vandrel {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> PasswordHome() {
  const passwd* entry = getpwuid(getuid());
  if (entry == nullptr || entry->pw_dir == nullptr) return std::nullopt;
  return std::string(entry->pw_dir);
}

std::string Problem(std::string_view source, const std::string& home, std::string_view fault) {
  return std::string(source) + " \"" + home + "\" " + std::string(fault) +
         ": set HOME to your home folder";
}

}  // namespace

std::optional<fs::path> FindHomeFolder(std::string* problem) {
  std::string ignored;
  std::string& why = problem != nullptr ? *problem : ignored;
  const char* variable = std::getenv("HOME");
  const std::optional<std::string> home =
      variable != nullptr ? std::optional<std::string>(variable) : PasswordHome();
  const std::string_view source =
      variable != nullptr ? "HOME" : "the home folder in the password database,";
  if (!home) {
    why = "HOME is not set and the password database has no home folder for this user";
    return std::nullopt;
  }
  std::error_code error;
  if (home->empty()) {
    why = std::string(source) + " is empty: set HOME to your home folder";
  } else if (!fs::path(*home).is_absolute()) {
    why = Problem(source, *home, "is not an absolute path");
  } else if (!fs::is_directory(*home, error)) {
    why = Problem(source, *home, "is not a folder");
  } else {
    return fs::path(*home);
  }
  return std::nullopt;
}

fs::path XdgBaseFolder(const char* variable, std::string_view under_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && fs::path(value).is_absolute()) return value;
  const std::optional<fs::path> home = FindHomeFolder();
  return home ? *home / under_home : fs::path();
}

}  // namespace vandrel
