// vandrelctl foreground: what the linked profiles would see, in each kind of session: on a
// private X server whose active window the test sets, and under Wayland by asking the desktop
// program (played by the test) on a private session bus.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/ctl_process.h"
#include "platform/bus_foreground_program.h"
#include "support/dbus_test_daemon.h"
#include "support/x11_test_server.h"

namespace vandrel::testing {
namespace {

TEST(ForegroundProcessTest, SaysWhatIsInFrontOrWhyItIsUnknown) {
  XvfbServer server;
  if (server.display().empty()) GTEST_SKIP() << server.why_not();
  X11TestClient client(server.display());
  // Xvfb's own process is one the command can read: a window that names it is "in front".
  const std::uint32_t window =
      client.MakeWindow(static_cast<std::uint32_t>(server.pid()), ThisMachineName());
  const std::string xvfb =
      std::filesystem::read_symlink("/proc/" + std::to_string(server.pid()) + "/exe").string();
  struct Case {
    bool x11;              // DISPLAY names the server
    const char* wayland;   // WAYLAND_DISPLAY
    std::uint32_t active;  // set before the run when not 0
    std::string expected;  // the first line of the text form
  };
  const Case cases[] = {
      {false, nullptr, 0, "unknown: no display: neither X11 nor Wayland"},
      {true, "wayland-0", 0,
       "unknown: the desktop program is not running (nothing serves io.github.vandrel.Foreground "
       "on the session bus)"},
      {true, nullptr, 0, "unknown: the window manager does not say which window is active"},
      {true, nullptr, window, xvfb},
  };
  const DbusTestDaemon bus;  // with no program on it
  if (bus.address().empty()) GTEST_SKIP() << bus.why_not();
  CtlProcess ctl;
  ctl.SetEnv("DBUS_SESSION_BUS_ADDRESS", bus.address());
  for (const Case& c : cases) {
    ctl.SetEnv("DISPLAY", c.x11 ? std::optional<std::string>(server.display()) : std::nullopt);
    ctl.SetEnv("WAYLAND_DISPLAY", c.wayland ? std::optional<std::string>(c.wayland) : std::nullopt);
    if (c.active != 0) client.Activate(c.active);
    const CtlResult text = ctl.Run({"foreground"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')), c.expected);
  }

  const CtlResult json = ctl.Run({"--json", "foreground"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto look = nlohmann::json::parse(json.out);
  EXPECT_EQ(look["source"], "x11");
  EXPECT_EQ(look["program"], xvfb);
  EXPECT_EQ(look["pid"], server.pid());
  EXPECT_TRUE(look["window"].get<std::string>().starts_with("0x")) << look["window"];
  EXPECT_EQ(look["wine"], false);
  EXPECT_FALSE(look.contains("why_unknown"));
  EXPECT_EQ(ctl.Run({"foreground", "extra"}).status, 2);
  EXPECT_EQ(ctl.Run({"foreground", "--windows", "extra"}).status, 2);

  client.ListClients({window});
  const CtlResult windows = ctl.Run({"foreground", "--windows"});
  EXPECT_EQ(windows.status, 0) << windows.err;
  EXPECT_EQ(windows.out, xvfb + "\n");
}

TEST(ForegroundProcessTest, UnderWaylandSaysWhatTheDesktopProgramWasLastTold) {
  const DbusTestDaemon bus;
  if (bus.address().empty()) GTEST_SKIP() << bus.why_not();
  std::string why;
  const auto program = BusForegroundProgram::Start(bus.address(), "/proc", why);
  ASSERT_NE(program, nullptr) << why;
  CtlProcess ctl;
  ctl.SetEnv("DBUS_SESSION_BUS_ADDRESS", bus.address());
  ctl.SetEnv("WAYLAND_DISPLAY", "wayland-0");
  ctl.SetEnv("DISPLAY", std::nullopt);
  const CtlResult nothing = ctl.Run({"foreground"});
  EXPECT_EQ(nothing.status, 0) << nothing.err;
  EXPECT_TRUE(nothing.out.starts_with("unknown: no compositor helper has reported")) << nothing.out;
  EXPECT_EQ(ctl.Run({"foreground", "--windows"}).out, "");

  // This test's own process is in front.
  const std::string pid = std::to_string(::getpid());
  ASSERT_TRUE(bus.CallForeground(DbusTestDaemon::Helper::kGnome, "WindowActivated",
                                 {pid, "org.example.Tests"}));
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(ctl.Run({"foreground"}).out,
            self + "\napplication org.example.Tests, process " + pid + "\n");
  const CtlResult json = ctl.Run({"--json", "foreground"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out), (nlohmann::json{{"source", "wayland"},
                                                             {"program", self},
                                                             {"pid", ::getpid()},
                                                             {"app_id", "org.example.Tests"},
                                                             {"window", nullptr},
                                                             {"wine", false}}));
  const CtlResult windows = ctl.Run({"--json", "foreground", "--windows"});
  EXPECT_EQ(nlohmann::json::parse(windows.out)["programs"], nlohmann::json::array({self}));
}

}  // namespace
}  // namespace vandrel::testing
