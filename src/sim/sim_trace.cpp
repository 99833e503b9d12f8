#include "sim/sim_trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace vandrel::sim {

SimTrace::SimTrace(const std::filesystem::path& path, const Clock& clock)
    : path_(path),
      clock_(clock),
      start_(clock.Now()),
      fd_(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666)) {}

SimTrace::~SimTrace() {
  if (fd_ >= 0) close(fd_);
}

bool SimTrace::Write(std::string_view device, std::string_view interface,
                     std::string_view direction, std::span<const std::uint8_t> report) {
  if (fd_ < 0) return false;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string line = std::to_string((clock_.Now() - start_).count());
  line.append(" ").append(device).append(" ").append(interface).append(" ").append(direction);
  line.push_back(' ');
  for (std::uint8_t byte : report) {
    line.push_back(kHex[byte >> 4]);
    line.push_back(kHex[byte & 0x0F]);
  }
  line.push_back('\n');
  // O_APPEND makes each write land whole at the end, whichever thread writes it.
  const ssize_t written = write(fd_, line.data(), line.size());
  return written == static_cast<ssize_t>(line.size());
}

}  // namespace vandrel::sim
