#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace vandrel {
namespace {

namespace fs = std::filesystem;

// The path the new contents must be renamed onto: a symbolic link is replaced by its target's
// contents, not by a plain file, even when the target does not exist yet.
fs::path RenameTarget(const fs::path& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows when it resolves a path
  fs::path target = path;
  for (int links = 0; links < kMaxLinks; ++links) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
    const fs::path next = fs::read_symlink(target, error);
    if (error) return target;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

fs::path TemporaryPathBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string name = "." + target.filename().string() + ".tmp." + std::to_string(getpid()) +
                           "." + std::to_string(counter.fetch_add(1));
  return target.parent_path() / name;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced does not undo the write.
void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool WriteTemporary(int fd, const fs::path& target, std::string_view bytes) {
  struct stat old_file {};
  if (stat(target.c_str(), &old_file) == 0 && fchmod(fd, old_file.st_mode & 07777) != 0) {
    return false;
  }
  return WriteAll(fd, bytes) && fsync(fd) == 0;
}

}  // namespace

FileContents ReadWholeFile(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {ReadStatus::kMissing, {}};
  if (error || !fs::is_regular_file(status)) return {ReadStatus::kUnreadable, {}};
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size > kMaxReadableFileSize) return {ReadStatus::kUnreadable, {}};

  std::ifstream in(path, std::ios::binary);
  if (!in) return {ReadStatus::kUnreadable, {}};
  FileContents contents{ReadStatus::kOk, std::string(static_cast<std::size_t>(size), '\0')};
  in.read(contents.bytes.data(), static_cast<std::streamsize>(size));
  // The file may have shrunk since its size was taken; keep what was really read.
  contents.bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return {ReadStatus::kUnreadable, {}};
  return contents;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = RenameTarget(path);
  const fs::path temporary = TemporaryPathBeside(target);
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteTemporary(fd, target, bytes);
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target.parent_path());
  return true;
}

}  // namespace vandrel
