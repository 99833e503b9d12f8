// FileWriteCalls: the system calls whose failure decides what the crash-safe writer leaves on
// disk, so that a test can watch their order and fail any of them as a full disk, an I/O error or
// a crash would. Production uses SystemFileWriteCalls(); WriteFileAtomically (file_io.h) is the
// writer with those.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace vandrel {

class FileWriteCalls {
 public:
  virtual ~FileWriteCalls() = default;

  // As write(2) on the temporary file: bytes written, or -1 with errno set.
  virtual ssize_t Write(int fd, const void* data, std::size_t size) = 0;
  // As fsync(2) on the temporary file: the data reaches the disk before the rename.
  virtual int Flush(int fd) = 0;
  // As renameat(2) within one folder: the temporary file replaces the target.
  virtual int Rename(int folder_fd, const char* from, const char* to) = 0;
  // As fsync(2) on the folder: the rename itself reaches the disk.
  virtual int FlushFolder(int folder_fd) = 0;
};

// The real system calls; shared, stateless, any thread.
[[nodiscard]] FileWriteCalls& SystemFileWriteCalls();

// WriteFileAtomically (file_io.h) through `calls`.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                       FileWriteCalls& calls);

}  // namespace vandrel
