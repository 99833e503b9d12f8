#include "device/hidraw/hidraw_access.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vandrel {

std::string CannotOpenMessage(const std::string& path, int error) {
  std::string message = "cannot open " + path + ": ";
  if (error == EACCES || error == EPERM) {
    return message + "permission denied \u2014 install the udev rule " +
           std::string(kUdevRuleName) + " (see README)";
  }
  return message + std::generic_category().message(error);
}

std::optional<std::string> NodeAccessProblem(const std::string& path) {
  if (access(path.c_str(), R_OK | W_OK) == 0) return std::nullopt;
  return CannotOpenMessage(path, errno);
}

}  // namespace vandrel
