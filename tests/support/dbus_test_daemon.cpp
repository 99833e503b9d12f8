#include "support/dbus_test_daemon.h"

#include "platform/foreground_bus.h"
#include "platform/tool_runner.h"
#include "support/deadline.h"

namespace vandrel::testing {

namespace {

// Writes a configuration for a session bus that anyone on it may use as they like, listening
// only in `folder`, and returns the daemon's arguments.
std::vector<std::string> DaemonArguments(const std::filesystem::path& folder) {
  const std::filesystem::path config = folder / "bus.conf";
  WriteFile(config,
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n"
            "  <type>session</type>\n"
            "  <listen>unix:dir=" +
                folder.string() +
                "</listen>\n"
                "  <auth>EXTERNAL</auth>\n"
                "  <policy context=\"default\">\n"
                "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "    <allow eavesdrop=\"true\"/>\n"
                "    <allow own=\"*\"/>\n"
                "  </policy>\n"
                "</busconfig>\n");
  return {"dbus-daemon", "--config-file=" + config.string(), "--print-address=3", "--nofork"};
}

}  // namespace

// It complains of limits it may not raise when run unprivileged; nothing a test needs.
DbusTestDaemon::DbusTestDaemon() : daemon_(DaemonArguments(folder_.path()), true) {}

bool DbusTestDaemon::CallForeground(Helper helper, std::string_view method,
                                    const std::vector<std::string>& strings) const {
  const std::string name(kForegroundBusName);
  const std::string path(kForegroundBusPath);
  const std::string member = std::string(kForegroundBusInterface) + "." + std::string(method);
  std::vector<std::string> call =
      helper == Helper::kGnome
          ? std::vector<std::string>{"gdbus", "call",          "--address", address(),  "--dest",
                                     name,    "--object-path", path,        "--method", member}
          : std::vector<std::string>{
                "dbus-send", "--bus=" + address(), "--print-reply", "--dest=" + name, path, member};
  for (const std::string& value : strings)
    call.push_back(helper == Helper::kGnome ? "'" + value + "'" : "string:" + value);
  return RunTool(call, kWaitDeadline) == ToolOutcome::kSucceeded;
}

}  // namespace vandrel::testing
