#include "core/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string_view>
#include <vector>

namespace vandrel {
namespace {

constexpr std::string_view kPrefix = ".vandrel-";
constexpr std::string_view kSuffix = ".tmp";

bool IsTemporaryName(std::string_view name) {
  return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) &&
         name.ends_with(kSuffix);
}

std::vector<std::string> TemporaryNames(int folder_fd) {
  std::vector<std::string> names;
  const int listing_fd = openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing_fd < 0) return names;
  DIR* listing = fdopendir(listing_fd);
  if (listing == nullptr) {
    close(listing_fd);
    return names;
  }
  while (const dirent* entry = readdir(listing)) {
    if (IsTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  closedir(listing);
  return names;
}

// A temporary file is stale when nobody holds its lock: locks end with their process.
void RemoveIfStale(int folder_fd, const std::string& name) {
  const UniqueFd file(
      openat(folder_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat opened {};
  if (!file.valid() || fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return;
  if (flock(file.get(), LOCK_EX | LOCK_NB) != 0) return;
  // The name must still be the file we locked, not one renamed onto it since.
  struct stat named {};
  if (fstatat(folder_fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
    unlinkat(folder_fd, name.c_str(), 0);
  }
}

}  // namespace

std::optional<TemporaryFile> CreateTemporaryFile(int folder_fd) {
  // A name may be taken by a process of another PID namespace sharing the folder: try the next.
  constexpr int kAttempts = 16;
  static std::atomic<unsigned> counter{0};
  TemporaryFile temporary;
  for (int attempt = 0; attempt < kAttempts && !temporary.fd.valid(); ++attempt) {
    temporary.name = std::string(kPrefix) + std::to_string(getpid()) + "-" +
                     std::to_string(counter.fetch_add(1)) + std::string(kSuffix);
    temporary.fd = UniqueFd(openat(folder_fd, temporary.name.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!temporary.fd.valid() && errno != EEXIST) return std::nullopt;
  }
  if (!temporary.fd.valid()) return std::nullopt;
  if (flock(temporary.fd.get(), LOCK_EX | LOCK_NB) != 0) {
    unlinkat(folder_fd, temporary.name.c_str(), 0);
    return std::nullopt;
  }
  return temporary;
}

void RemoveStaleTemporaryFiles(int folder_fd) {
  for (const std::string& name : TemporaryNames(folder_fd)) RemoveIfStale(folder_fd, name);
}

}  // namespace vandrel
