// A server program a test starts and ends with the object. It says where it listens by writing a
// line to descriptor 3 (Xvfb's -displayfd, dbus-daemon's --print-address), read within the
// deadline; a server that cannot start or says nothing leaves the line empty and says why not.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vandrel::testing {

class ServerProcess {
 public:
  // Starts `arguments` (arguments[0] found on PATH); its standard error goes to /dev/null when
  // `quiet`.
  ServerProcess(const std::vector<std::string>& arguments, bool quiet);
  ~ServerProcess() { Kill(); }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  [[nodiscard]] const std::string& line() const { return line_; }
  [[nodiscard]] const std::string& why_not() const { return why_not_; }
  [[nodiscard]] pid_t pid() const { return pid_; }
  // Ends the server now, waiting for it within the deadline.
  void Kill();

 private:
  std::string name_;
  pid_t pid_ = 0;
  std::string line_;
  std::string why_not_;
};

}  // namespace vandrel::testing
