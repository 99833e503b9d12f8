#include "core/file_write_calls.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace vandrel {
namespace {

class SystemCalls final : public FileWriteCalls {
 public:
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    return write(fd, data, size);
  }
  int Flush(int fd) override { return fsync(fd); }
  int Rename(int folder_fd, const char* from, const char* to) override {
    return renameat(folder_fd, from, folder_fd, to);
  }
  int FlushFolder(int folder_fd) override { return fsync(folder_fd); }
};

}  // namespace

FileWriteCalls& SystemFileWriteCalls() {
  static SystemCalls calls;
  return calls;
}

}  // namespace vandrel
