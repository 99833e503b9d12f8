// A private D-Bus session bus for tests: dbus-daemon on a configuration of its own that listens
// in a temporary folder, ended with the object. Nothing of the user's own session is touched.
#pragma once

#include <sys/types.h>

#include <string>

#include "support/temp_dir.h"

namespace vandrel::testing {

class DbusTestDaemon {
 public:
  DbusTestDaemon();
  ~DbusTestDaemon();
  DbusTestDaemon(const DbusTestDaemon&) = delete;
  DbusTestDaemon& operator=(const DbusTestDaemon&) = delete;

  // The bus address ("unix:path=…"), or empty when the daemon could not start (a test then
  // skips, saying why_not).
  [[nodiscard]] const std::string& address() const { return address_; }
  [[nodiscard]] const std::string& why_not() const { return why_not_; }

 private:
  TempDir folder_;
  pid_t pid_ = 0;
  std::string address_;
  std::string why_not_;
};

}  // namespace vandrel::testing
