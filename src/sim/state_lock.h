// StateFolderLock: one process at a time reads, changes and writes the simulated devices' memory
// kept in a folder. Without it two runs at once both start from the same saved memory and the
// one saving last silently undoes the other's change. The hold is an exclusive flock on the file
// "lock" in the folder, so it ends with the process however the process ends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/clock.h"

namespace vandrel::sim {

class StateFolderLock {
 public:
  // Holds the folder (which must exist), waiting on `clock` while another process holds it.
  // nullptr with `error` set when that process keeps it beyond `patience`, or when the lock file
  // cannot be made.
  [[nodiscard]] static std::unique_ptr<StateFolderLock> Take(const std::filesystem::path& folder,
                                                             Clock& clock, Clock::Duration patience,
                                                             std::string& error);
  ~StateFolderLock();
  StateFolderLock(const StateFolderLock&) = delete;
  StateFolderLock& operator=(const StateFolderLock&) = delete;

 private:
  explicit StateFolderLock(int fd) : fd_(fd) {}

  const int fd_;
};

}  // namespace vandrel::sim
