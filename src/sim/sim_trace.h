// SimTrace: one line per report crossing the virtual bus, for reading what host and devices said:
//   <microseconds since start> <device kb|ms|mp> <interface vendor|consumer> <out|in> <hex bytes>
// Each line reaches the file with a single write, so the file holds only complete lines even when
// the program is killed. Any thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string_view>

#include "core/clock.h"

namespace vandrel::sim {

class SimTrace {
 public:
  // Traces to `path` (created or emptied); `clock` gives the time stamps and must outlive this.
  SimTrace(const std::filesystem::path& path, const Clock& clock);
  ~SimTrace();
  SimTrace(const SimTrace&) = delete;
  SimTrace& operator=(const SimTrace&) = delete;

  [[nodiscard]] bool ok() const { return fd_ >= 0; }
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // False when the line did not reach the file whole (a full disk, a file size limit).
  [[nodiscard]] bool Write(std::string_view device, std::string_view interface,
                           std::string_view direction, std::span<const std::uint8_t> report);

 private:
  const std::filesystem::path path_;
  const Clock& clock_;
  const Clock::Duration start_;
  int fd_;
};

}  // namespace vandrel::sim
