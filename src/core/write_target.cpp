#include "core/write_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>

namespace vandrel {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as the kernel allows when it resolves a path

UniqueFd OpenFolder(const fs::path& folder) {
  return UniqueFd(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// The kernel's protected-symlinks rule: a link in a sticky world-writable folder is followed only
// when it belongs to the follower or to the folder's owner, so that nobody can plant a link in
// /tmp that makes another user's program write where the planter may not.
bool MayFollow(int folder_fd, const struct stat& link) {
  struct stat folder {};
  if (fstat(folder_fd, &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == geteuid() || link.st_uid == folder.st_uid;
}

std::optional<fs::path> ReadLink(int folder_fd, const std::string& name) {
  std::array<char, PATH_MAX> buffer{};
  const ssize_t length = readlinkat(folder_fd, name.c_str(), buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return std::nullopt;
  return fs::path(std::string(buffer.data(), static_cast<std::size_t>(length)));
}

// A file with no write permission at all is read-only by intent: root, who may write it anyway,
// leaves it alone too.
bool MayReplace(const WriteTarget& target) {
  if (!S_ISREG(target.existing->st_mode)) return false;
  if ((target.existing->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return faccessat(target.folder.get(), target.name.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

std::optional<WriteTarget> FindWriteTarget(const fs::path& path) {
  fs::path current = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    WriteTarget target{OpenFolder(current.parent_path()), current.filename().string(), {}};
    if (!target.folder.valid() || target.name.empty()) return std::nullopt;
    struct stat entry {};
    if (fstatat(target.folder.get(), target.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) return std::nullopt;
      return target;
    }
    if (!S_ISLNK(entry.st_mode)) {
      target.existing = entry;
      if (!MayReplace(target)) return std::nullopt;
      return target;
    }
    if (!MayFollow(target.folder.get(), entry)) return std::nullopt;
    const std::optional<fs::path> next = ReadLink(target.folder.get(), target.name);
    if (!next) return std::nullopt;
    current = next->is_absolute() ? *next : current.parent_path() / *next;
  }
  return std::nullopt;
}

}  // namespace vandrel
