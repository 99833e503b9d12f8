#include "sim/state_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;

constexpr Clock::Duration kRetryPause = 10ms;

}  // namespace

std::unique_ptr<StateFolderLock> StateFolderLock::Take(const std::filesystem::path& folder,
                                                       Clock& clock, Clock::Duration patience,
                                                       std::string& error) {
  const std::filesystem::path path = folder / "lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    error =
        "cannot lock the simulated devices' memory: " + path.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  const Clock::Duration give_up = SaturatingAdd(clock.Now(), patience);
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      error = "cannot lock " + path.string() + ": " + std::strerror(errno);
    } else if (clock.Now() >= give_up) {
      error =
          "the simulated devices' memory in " + folder.string() + " stays in use by another run";
    } else {
      clock.Sleep(kRetryPause);
      continue;
    }
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<StateFolderLock>(new StateFolderLock(fd));
}

StateFolderLock::~StateFolderLock() { close(fd_); }

}  // namespace vandrel::sim
