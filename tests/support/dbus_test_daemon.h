// A private D-Bus session bus for tests: dbus-daemon on a configuration of its own that listens
// in a temporary folder, ended with the object. Nothing of the user's own session is touched.
#pragma once

#include <string>

#include "support/server_process.h"
#include "support/temp_dir.h"

namespace vandrel::testing {

class DbusTestDaemon {
 public:
  DbusTestDaemon();

  // The bus address ("unix:path=…"), or empty when the daemon could not start (a test then
  // skips, saying why_not).
  [[nodiscard]] const std::string& address() const { return daemon_.line(); }
  [[nodiscard]] const std::string& why_not() const { return daemon_.why_not(); }

 private:
  TempDir folder_;
  ServerProcess daemon_;  // after folder_: it listens there
};

}  // namespace vandrel::testing
