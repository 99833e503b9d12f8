#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace vandrel {
namespace {

namespace fs = std::filesystem;

// A folder only this user can enter: not a link, owned by the user, no rights for anyone else.
bool IsPrivateFolder(const fs::path& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

int OpenLockFile(const fs::path& path) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool TryLock(int fd) {
  int result = -1;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool SendOnce(const fs::path& socket_path, std::string_view message) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& path = socket_path.native();
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool sent =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
      WriteAll(fd, message);
  ::close(fd);
  return sent;
}

}  // namespace

std::optional<fs::path> InstanceFolder(std::string_view runtime_dir,
                                       const fs::path& fallback_parent) {
  const fs::path runtime(runtime_dir);
  if (runtime.is_absolute() && IsPrivateFolder(runtime)) return runtime;
  const fs::path fallback = fallback_parent / ("vandrel-" + std::to_string(::geteuid()));
  (void)::mkdir(fallback.c_str(), 0700);
  if (!IsPrivateFolder(fallback)) return std::nullopt;
  return fallback;
}

SingleInstance SingleInstance::Acquire(const std::optional<fs::path>& folder,
                                       std::string_view name) {
  if (!folder) return Unchecked("no private folder for the lock");
  const std::string base(name);
  const fs::path lock = *folder / (base + ".lock");
  const int fd = OpenLockFile(lock);
  if (fd < 0) {
    const int error = errno;
    return Unchecked("cannot open " + lock.string() + ": " + std::strerror(error));
  }
  fs::path socket = *folder / (base + ".socket");
  if (TryLock(fd)) return SingleInstance(Role::kFirst, fd, std::move(socket), {});
  const int error = errno;
  ::close(fd);
  if (error != EWOULDBLOCK) {
    return Unchecked("cannot lock " + lock.string() + ": " + std::strerror(error));
  }
  return SingleInstance(Role::kSecond, -1, std::move(socket), {});
}

SingleInstance SingleInstance::Unchecked(std::string problem) {
  return SingleInstance(Role::kUnchecked, -1, {}, std::move(problem));
}

SingleInstance::SingleInstance(Role role, int lock_fd, fs::path socket_path, std::string problem)
    : role_(role),
      lock_fd_(lock_fd),
      socket_path_(std::move(socket_path)),
      problem_(std::move(problem)) {}

SingleInstance::SingleInstance(SingleInstance&& other) noexcept
    : role_(other.role_),
      lock_fd_(std::exchange(other.lock_fd_, -1)),
      socket_path_(std::move(other.socket_path_)),
      problem_(std::move(other.problem_)) {}

SingleInstance::~SingleInstance() {
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool SendToFirstInstance(const fs::path& socket, std::string_view message, int attempts,
                         Clock::Duration pause, Clock& clock) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) clock.Sleep(pause);
    if (SendOnce(socket, message)) return true;
  }
  return false;
}

}  // namespace vandrel
