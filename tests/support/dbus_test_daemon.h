// A private D-Bus session bus for tests: dbus-daemon on a configuration of its own that listens
// in a temporary folder, ended with the object. Nothing of the user's own session is touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

  // Calls `method` of our foreground interface on this bus with string arguments, as a compositor
  // helper does: the GNOME Shell extension through Gio (as gdbus calls), KWin's callDBus through
  // Qt (as dbus-send calls). True when the call was answered without an error.
  enum class Helper { kGnome, kKwin };
  [[nodiscard]] bool CallForeground(Helper helper, std::string_view method,
                                    const std::vector<std::string>& strings) const;

 private:
  TempDir folder_;
  ServerProcess daemon_;  // after folder_: it listens there
};

}  // namespace vandrel::testing
