#include "cli/profile_link.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/commands.h"
#include "cli/english_texts.h"
#include "cli/output.h"
#include "profile/profile_links.h"

namespace vandrel::cli {
namespace {

namespace fs = std::filesystem;

// "C:\…" or "C:/…": a drive letter names a Windows program, kept with backslashes as Wine names it.
std::optional<std::string> WindowsPath(const std::string& path) {
  const bool drive = path.size() > 2 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 &&
                     path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  if (!drive && path.find('\\') == std::string::npos) return std::nullopt;
  std::string windows = path;
  if (drive) std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

// The foreground program of a Linux process is its executable as the kernel names it, every
// symbolic link resolved: a link made through one (/usr/bin/game → /opt/game/run) would never
// match. A file that does not exist now is linked all the same (a game on a drive not mounted),
// with a note, since a mistyped path would otherwise never switch and never say why.
std::optional<std::string> ProgramOfPath(const std::string& path, std::string& error) {
  if (path.find_first_not_of(' ') == std::string::npos) {
    error = "PATH cannot be empty";
    return std::nullopt;
  }
  if (const std::optional<std::string> windows = WindowsPath(path)) return windows;
  std::error_code failed;
  const fs::path file = fs::weakly_canonical(fs::absolute(path, failed), failed);
  if (failed) {
    error = path + ": " + failed.message();
    return std::nullopt;
  }
  if (fs::is_directory(file, failed)) {
    error = path + " is a folder, not a program";
    return std::nullopt;
  }
  if (!fs::exists(file, failed)) {
    std::fprintf(stderr, "vandrelctl: note: %s does not exist now\n", file.c_str());
  }
  return ProgramPathOf(file.string());
}

int NotWritten(const LinkTarget& target) {
  return FailDevice("cannot write " + target.catalogue.file().path().string());
}

}  // namespace

int LinkToProgram(const LinkTarget& target, const std::string& path) {
  std::string error;
  const std::optional<std::string> program = ProgramOfPath(path, error);
  if (!program) return RefuseUsage(error);
  const std::vector<std::optional<std::string>> links = ReadLinks(target.catalogue, target.kind);
  const std::optional<std::size_t> holder = LinkedProfileOf(links, *program);
  if (holder && *holder != target.number) {
    const std::string holder_name = target.catalogue.Names(target.kind).at(*holder);
    return RefuseUsage(EnglishTexts::Load().Text(kLinkTakenMessage) + " \"" + holder_name +
                       "\" is linked to " + *links[*holder] + "; nothing was changed");
  }
  if (LinkProfile(target.catalogue, target.kind, target.number, *program, false) !=
      LinkChange::kDone) {
    return NotWritten(target);
  }
  std::printf("%s: linked to %s\n", target.label.c_str(), program->c_str());
  return kExitSuccess;
}

int UnlinkFromProgram(const LinkTarget& target) {
  const std::vector<std::optional<std::string>> links = ReadLinks(target.catalogue, target.kind);
  const std::optional<std::string> was =
      target.number < links.size() ? links[target.number] : std::nullopt;
  if (UnlinkProfile(target.catalogue, target.kind, target.number) != LinkChange::kDone) {
    return NotWritten(target);
  }
  if (was) {
    std::printf("%s: unlinked from %s\n", target.label.c_str(), was->c_str());
  } else {
    std::printf("%s: not linked\n", target.label.c_str());
  }
  return kExitSuccess;
}

}  // namespace vandrel::cli
