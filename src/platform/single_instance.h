// The single-instance lock: only one copy of the program runs per user. The first copy holds an
// flock() on a lock file and listens on a local socket beside it (the listening is the Qt side's
// business); a later copy finds the lock taken, sends the activation name to the socket and ends.
// The kernel drops the lock of a copy that crashed, so a stale lock never keeps the program from
// starting. Both files lie in the user's runtime folder, so another user's copy is not affected.
// Any thread; nothing here is shared.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace vandrel {

// The name of the lock file (with ".lock") and the socket (with ".socket").
inline constexpr std::string_view kInstanceName = "LUMTRAKDRVER1_QD418";

// The folder for the lock and the socket. Only a private folder will do (a real folder, not a
// link, owned by this user, that nobody else may enter), since another user who could enter it
// could hold the lock and keep the program from ever starting: `runtime_dir` ($XDG_RUNTIME_DIR)
// when it is an absolute path to a private folder; otherwise `fallback_parent`/vandrel-<uid>,
// created with mode 0700 and used when it is private. nullopt when neither will do.
[[nodiscard]] std::optional<std::filesystem::path> InstanceFolder(
    std::string_view runtime_dir, const std::filesystem::path& fallback_parent = "/tmp");

class SingleInstance {
 public:
  enum class Role {
    kFirst,      // this copy holds the lock and should listen on the socket
    kSecond,     // another copy holds it: send the activation and end
    kUnchecked,  // no usable folder or lock: run as if first, without a socket (and say so)
  };

  // Tries to take the lock `name` in `folder` (nullopt: no folder, kUnchecked).
  [[nodiscard]] static SingleInstance Acquire(const std::optional<std::filesystem::path>& folder,
                                              std::string_view name = kInstanceName);
  ~SingleInstance();  // releases the lock
  SingleInstance(SingleInstance&& other) noexcept;
  SingleInstance& operator=(SingleInstance&&) = delete;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  [[nodiscard]] Role role() const { return role_; }
  // Where the first copy listens; empty for kUnchecked.
  [[nodiscard]] const std::filesystem::path& socket_path() const { return socket_path_; }
  // Why the lock could not be taken, for the user; empty unless kUnchecked.
  [[nodiscard]] const std::string& problem() const { return problem_; }

 private:
  static SingleInstance Unchecked(std::string problem);
  SingleInstance(Role role, int lock_fd, std::filesystem::path socket_path, std::string problem);

  Role role_;
  int lock_fd_;  // held open while this copy is the first; -1 otherwise
  std::filesystem::path socket_path_;
  std::string problem_;
};

// Connects to the first copy's socket and sends `message`, trying `attempts` times with `pause`
// between tries through `clock` (the first copy may still be starting). True once delivered.
[[nodiscard]] bool SendToFirstInstance(const std::filesystem::path& socket,
                                       std::string_view message, int attempts,
                                       Clock::Duration pause, Clock& clock);

}  // namespace vandrel
