#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/file_io.h"
#include "core/unique_fd.h"

namespace vandrel {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

// Reads to the end, whatever the size the file claims (files of /sys claim 4096 bytes or none).
ReadStatus ReadToEnd(int fd, std::size_t max_bytes, std::string& bytes) {
  for (;;) {
    const std::size_t old_size = bytes.size();
    bytes.resize(old_size + kChunk);
    const ssize_t got = read(fd, bytes.data() + old_size, kChunk);
    const int error = errno;
    bytes.resize(old_size + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got < 0 && error == EINTR) continue;
    if (got < 0) return ReadStatus::kUnreadable;
    if (bytes.size() > max_bytes) return ReadStatus::kTooLarge;
    if (got == 0) return ReadStatus::kOk;
  }
}

// Opens `path` without blocking (a FIFO with no writer would hang a plain open) and checks that it
// is a regular file of at most `max_bytes` as it stands; kOk leaves `file` open and `info` filled.
ReadStatus OpenRegularFile(const std::filesystem::path& path, std::size_t max_bytes, UniqueFd& file,
                           struct stat& info) {
  file = UniqueFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid()) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return missing ? ReadStatus::kMissing : ReadStatus::kUnreadable;
  }
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::kUnreadable;
  if (static_cast<std::uintmax_t>(info.st_size) > max_bytes) return ReadStatus::kTooLarge;
  return ReadStatus::kOk;
}

}  // namespace

ReadStatus CheckReadableFile(const std::filesystem::path& path, std::size_t max_bytes) {
  UniqueFd file;
  struct stat info {};
  return OpenRegularFile(path, max_bytes, file, info);
}

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t max_bytes) {
  UniqueFd file;
  struct stat info {};
  const ReadStatus opened = OpenRegularFile(path, max_bytes, file, info);
  if (opened != ReadStatus::kOk) return {opened, {}};

  FileContents contents{ReadStatus::kOk, {}};
  contents.bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), max_bytes) +
                         kChunk);
  contents.status = ReadToEnd(file.get(), max_bytes, contents.bytes);
  if (contents.status != ReadStatus::kOk) contents.bytes = std::string();
  return contents;
}

}  // namespace vandrel
