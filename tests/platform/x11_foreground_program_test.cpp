// The X11 foreground-program source on a private Xvfb server: the test is the window manager (it
// sets the root window's _NET_ACTIVE_WINDOW) and the clients (windows with _NET_WM_PID and
// WM_CLIENT_MACHINE); processes come from a hand-written /proc-like folder.
#include "platform/x11_foreground_program.h"

#include <array>
#include <functional>
#include <string>

#include "core/clock.h"
#include "platform/platform_foreground_program.h"
#include "support/deadline.h"
#include "support/fake_processes.h"
#include "support/temp_dir.h"
#include "support/x11_test_server.h"

namespace vandrel {
namespace {

using namespace std::string_literals;
using testing::kWaitDeadline;
using testing::MakeProcesses;

TEST(X11ForegroundProgramTest, FollowsTheActiveWindowAndWakesWaitersOnEachChange) {
  testing::XvfbServer server;
  if (server.display().empty()) GTEST_SKIP() << server.why_not();
  const testing::TempDir fixture;
  MakeProcesses(fixture.path() / "proc");
  testing::X11TestClient client(server.display());
  const std::array<std::uint32_t, 6> windows = {
      0,
      client.MakeWindow(100, testing::ThisMachineName()),
      client.MakeWindow(200, ""),
      client.MakeWindow(0, ""),
      client.MakeWindow(100, "elsewhere.invalid"),
      client.MakeWindow(300, ""),
  };
  std::string why;
  auto source = X11ForegroundProgram::Start(server.display(), fixture.path() / "proc", why);
  ASSERT_NE(source, nullptr) << why;
  EXPECT_TRUE(source->ReportsChanges());

  // The programs with a window: each once, in the window manager's order, only those known.
  EXPECT_TRUE(source->ProgramsWithWindows().empty()) << "no client list yet";
  const std::uint32_t second_kate = client.MakeWindow(100, "");
  client.ListClients({windows[3], windows[2], windows[4], windows[1], windows[5], second_kate});
  EXPECT_EQ(source->ProgramsWithWindows(),
            (std::vector<std::string>{"C:\\Games\\Foo\\foo.exe", "/usr/bin/kate"}));
  EXPECT_EQ(source->Current(), std::nullopt);
  EXPECT_NE(source->Look().why_unknown.find("does not say"), std::string::npos);

  struct Step {
    std::size_t window;
    std::optional<std::string> path;
    const char* why;  // part of the reason when unknown
    bool wine;
  };
  const Step steps[] = {
      {1, "/usr/bin/kate", "", false},
      {2, "C:\\Games\\Foo\\foo.exe", "", true},
      {3, std::nullopt, "does not name its process", false},
      {1, "/usr/bin/kate", "", false},
      {4, std::nullopt, "on elsewhere.invalid", false},
      {1, "/usr/bin/kate", "", false},
      {5, std::nullopt, "not running", false},
      {1, "/usr/bin/kate", "", false},
      {0, std::nullopt, "no window is active", false},
  };
  Event stop;
  SteadyClock clock;
  auto wake = std::make_unique<ForegroundWake>(*source, stop);
  for (const Step& step : steps) {
    client.Activate(windows[step.window]);
    ASSERT_TRUE(wake->Wait(clock, kWaitDeadline)) << "no wake for window " << step.window;
    const ForegroundLook look = source->Look();
    EXPECT_EQ(look.path, step.path) << "window " << step.window;
    EXPECT_EQ(source->Current(), step.path) << "window " << step.window;
    EXPECT_EQ(look.window, windows[step.window]);
    EXPECT_EQ(look.wine, step.wine) << "window " << step.window;
    EXPECT_NE(look.why_unknown.find(step.why), std::string::npos) << look.why_unknown;
  }

  // A window that names its process only once it is active.
  client.Activate(windows[1]);
  ASSERT_TRUE(wake->Wait(clock, kWaitDeadline));
  const std::uint32_t late = client.MakeWindow(0, "");
  client.Activate(late);
  ASSERT_TRUE(wake->Wait(clock, kWaitDeadline));
  EXPECT_EQ(source->Current(), std::nullopt);
  client.NameProcess(late, 200);
  ASSERT_TRUE(wake->Wait(clock, kWaitDeadline))
      << "no wake when the active window named its process";
  EXPECT_EQ(source->Current(), "C:\\Games\\Foo\\foo.exe");

  client.Activate(windows[1]);
  ASSERT_TRUE(wake->Wait(clock, kWaitDeadline));
  server.Kill();
  ASSERT_TRUE(wake->Wait(clock, kWaitDeadline)) << "no wake when the server went";
  EXPECT_EQ(source->Current(), std::nullopt);
  EXPECT_NE(source->Look().why_unknown.find("closed"), std::string::npos);
  wake.reset();
  const testing::Watchdog watchdog("the X11 source stopping");
  source.reset();
}

// The connection follows the property changes of the window it last found active, and of no
// other. Each step ends with a round trip on the connection, so every event the step caused has
// arrived before TakeEvents looks.
TEST(X11ForegroundProgramTest, FollowsTheOwnPropertiesOfTheActiveWindowOnly) {
  testing::XvfbServer server;
  if (server.display().empty()) GTEST_SKIP() << server.why_not();
  testing::X11TestClient client(server.display());
  std::string why;
  const auto display = X11ActiveWindow::Connect(server.display(), why);
  ASSERT_NE(display, nullptr) << why;
  const std::uint32_t first = client.MakeWindow(0, "");
  const std::uint32_t second = client.MakeWindow(0, "");
  using Events = X11ActiveWindow::Events;
  struct Step {
    const char* what;
    std::function<void()> act;
    Events events;
    std::optional<long> pid;  // of the active window, read after the step
  };
  const Step steps[] = {
      {"first made active", [&] { client.Activate(first); }, Events::kActiveWindowChanged, {}},
      {"first names its process", [&] { client.NameProcess(first, 100); },
       Events::kActiveWindowChanged, 100},
      {"second made active", [&] { client.Activate(second); }, Events::kActiveWindowChanged, {}},
      {"first, no longer active, names another",
       [&] { client.NameProcess(first, 200); },
       Events::kNone,
       {}},
      {"second names its process", [&] { client.NameProcess(second, 300); },
       Events::kActiveWindowChanged, 300},
      {"no window active", [&] { client.Activate(0); }, Events::kActiveWindowChanged, {}},
      {"second, no longer active, names another",
       [&] { client.NameProcess(second, 400); },
       Events::kNone,
       {}},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(display->ReadOwner().pid, step.pid) << step.what;
    EXPECT_EQ(display->TakeEvents(), step.events) << step.what;
  }
}

TEST(X11ForegroundProgramTest, SourceChosenFromTheSession) {
  testing::XvfbServer server;
  // No session bus for the Wayland cases (the user's own is never touched).
  const testing::TempDir empty;
  const testing::ScopedEnv no_bus("DBUS_SESSION_BUS_ADDRESS",
                                  "unix:path=" + (empty.path() / "no-bus").string());
  struct Case {
    bool x11;
    bool wayland;
    const char* display;  // $DISPLAY
    const char* kind;
  };
  const Case cases[] = {
      {false, true, "", "none"},
      {true, true, "", "none"},  // Xwayland's active window says nothing of Wayland windows
      {false, false, "", "none"},
      {true, false, ":", "none"},  // a display that cannot be reached
      {true, false, nullptr, "x11"},
  };
  for (const Case& c : cases) {
    if (c.display == nullptr && server.display().empty()) GTEST_SKIP() << server.why_not();
    const testing::ScopedEnv display("DISPLAY", c.display ? c.display : server.display());
    const auto source = MakePlatformForegroundProgram({"", c.x11, c.wayland});
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Kind(), c.kind) << c.x11 << c.wayland << (c.display ? c.display : "");
    if (source->Kind() == "none") {
      EXPECT_EQ(source->Current(), std::nullopt);
      EXPECT_FALSE(source->Look().why_unknown.empty());
    }
  }
}

}  // namespace
}  // namespace vandrel
