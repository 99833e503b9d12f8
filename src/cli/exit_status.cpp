#include "cli/exit_status.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "cli/output.h"

namespace vandrel::cli {
namespace {

// Set from whichever thread of the simulator found the loss; read as the program ends.
std::atomic<bool> late_failure{false};

}  // namespace

void NoteLateFailure(std::string_view message) {
  late_failure = true;
  (void)FailDevice(message);
}

int FinalExitStatus(int command_status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (!flushed || std::ferror(stdout) != 0) {
    const int error = errno;
    std::string message = "cannot write the output";
    if (error != 0) message += std::string(": ") + std::strerror(error);
    NoteLateFailure(message);
  }
  if (command_status != kExitSuccess) return command_status;
  return late_failure ? kExitDeviceError : kExitSuccess;
}

}  // namespace vandrel::cli
