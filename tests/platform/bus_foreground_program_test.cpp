// The Wayland foreground-program source: what the compositor helpers' reports come to (processes
// from a hand-written /proc-like folder), and the D-Bus interface on a private bus, called as the
// helpers call it (gdbus as the GNOME Shell extension's Gio call, dbus-send as KWin's callDBus)
// and asked as vandrelctl asks it.
#include "platform/bus_foreground_program.h"

#include <gmock/gmock.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/clock.h"
#include "platform/foreground_bus.h"
#include "platform/foreground_bus_client.h"
#include "platform/window_reports.h"
#include "support/dbus_test_daemon.h"
#include "support/deadline.h"
#include "support/fake_processes.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using namespace std::string_literals;
using ::testing::AllOf;
using ::testing::HasSubstr;
using testing::kWaitDeadline;
using testing::MakeProcesses;

TEST(WindowReportsTest, AProcessIsNamedAnythingElseIsUnknownWithTheReason) {
  const testing::TempDir fixture;
  MakeProcesses(fixture.path());
  WindowReports reports(fixture.path());
  EXPECT_EQ(reports.Look().path, std::nullopt);
  EXPECT_THAT(reports.Look().why_unknown, HasSubstr("no compositor helper"));

  struct Case {
    const char* pid;  // nullptr: no window is active
    const char* app_id;
    bool accepted;
    std::optional<std::string> path;
    const char* why;  // part of the reason when unknown
    std::optional<long> named_pid;
  };
  const Case cases[] = {
      {"100", "org.kde.kate", true, "/usr/bin/kate", "", 100},
      {"200", "", true, "C:\\Games\\Foo\\foo.exe", "", 200},
      {"", "org.gnome.Nautilus", true, std::nullopt, "application \"org.gnome.Nautilus\"", {}},
      {"0", "org.gnome.Nautilus", true, std::nullopt, "but not its process", {}},
      {"0", "", true, std::nullopt, "neither a process nor an application", {}},
      {"300", "", true, std::nullopt, "not running", 300},
      {"abc", "", false, std::nullopt, "\"abc\", which is no process", {}},
      {"-100", "", false, std::nullopt, "no process", {}},
      {"+100", "", false, std::nullopt, "no process", {}},
      {"100 ", "", false, std::nullopt, "no process", {}},
      {"99999999999999999999", "", false, std::nullopt, "no process", {}},
      {nullptr, "", true, std::nullopt, "no window is active", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("pid \"") + (c.pid ? c.pid : "none") + "\" app \"" + c.app_id + "\"");
    reports.Activated("100", "");  // a known program before each report, which must not linger
    if (c.pid == nullptr) reports.NothingActive();
    EXPECT_EQ(c.pid == nullptr || reports.Activated(c.pid, c.app_id), c.accepted);
    const ForegroundLook look = reports.Look();
    EXPECT_EQ(look.path, c.path);
    EXPECT_EQ(look.pid, c.named_pid);
    EXPECT_EQ(look.app_id, c.app_id);
    EXPECT_EQ(look.wine, c.path && c.path->starts_with("C:"));
    EXPECT_THAT(look.why_unknown, HasSubstr(c.why));
  }
  reports.Activated("100", std::string(10000, 'a'));
  EXPECT_LT(reports.Look().app_id.size(), 1000u) << "a caller's megabytes are not kept";
}

TEST(WindowReportsTest, RemembersTheProgramsReportedInFrontWhileTheyRun) {
  const testing::TempDir fixture;
  const std::filesystem::path proc = fixture.path();
  MakeProcesses(proc);
  WindowReports reports(proc);
  EXPECT_TRUE(reports.RunningPrograms().empty());
  for (const char* pid : {"100", "200", "300", "100", "0"}) reports.Activated(pid, "x");
  EXPECT_EQ(reports.RunningPrograms(),
            (std::vector<std::string>{"/usr/bin/kate", "C:\\Games\\Foo\\foo.exe"}));

  // The game ends; its process number goes to another program.
  std::filesystem::remove_all(proc / "200");
  std::filesystem::create_directories(proc / "200");
  std::filesystem::create_symlink("/usr/bin/bash", proc / "200" / "exe");
  EXPECT_EQ(reports.RunningPrograms(), std::vector<std::string>{"/usr/bin/kate"});

  // Only the most recent programs are kept.
  for (std::size_t i = 0; i <= WindowReports::kRemembered; ++i) {
    const std::string pid = std::to_string(1000 + i);
    std::filesystem::create_directories(proc / pid);
    std::filesystem::create_symlink("/opt/p" + pid, proc / pid / "exe");
    reports.Activated(pid, "");
  }
  const std::vector<std::string> running = reports.RunningPrograms();
  ASSERT_EQ(running.size(), WindowReports::kRemembered);
  EXPECT_EQ(running.front(), "/opt/p" + std::to_string(1000 + WindowReports::kRemembered));
  EXPECT_EQ(running.back(), "/opt/p1001");
}

// Each call as a helper makes it, and what the program makes of it, seen by the source itself and
// by vandrelctl asking over the bus.
TEST(BusForegroundProgramTest, HelpersCallsNameTheProgramWakeTheWatchersAndAnswerVandrelctl) {
  const testing::DbusTestDaemon daemon;
  if (daemon.address().empty()) GTEST_SKIP() << daemon.why_not();
  const testing::TempDir fixture;
  MakeProcesses(fixture.path());
  std::string why;
  EXPECT_EQ(AskForegroundLook(daemon.address(), why), std::nullopt);
  EXPECT_THAT(why, HasSubstr("not running"));

  auto source = BusForegroundProgram::Start(daemon.address(), fixture.path(), why);
  ASSERT_NE(source, nullptr) << why;
  EXPECT_EQ(source->Kind(), "wayland");
  EXPECT_TRUE(source->ReportsChanges());
  EXPECT_EQ(source->Current(), std::nullopt);
  EXPECT_EQ(BusForegroundProgram::Start(daemon.address(), fixture.path(), why), nullptr);
  EXPECT_THAT(why, HasSubstr("is taken"));

  using Helper = testing::DbusTestDaemon::Helper;
  struct Step {
    Helper helper;
    const char* method;
    std::vector<std::string> strings;
    bool answered;  // without an error
    std::optional<std::string> path;
    const char* why;
  };
  const Step steps[] = {
      {Helper::kGnome, "WindowActivated", {"100", "org.kde.kate"}, true, "/usr/bin/kate", ""},
      {Helper::kGnome, "WindowActivated", {"100", "org.kde.kate"}, true, "/usr/bin/kate", ""},
      {Helper::kKwin, "WindowActivated", {"200", ""}, true, "C:\\Games\\Foo\\foo.exe", ""},
      {Helper::kKwin, "WindowActivated", {"0", "firefox"}, true, std::nullopt, "\"firefox\""},
      {Helper::kGnome, "NothingActive", {}, true, std::nullopt, "no window is active"},
      {Helper::kGnome, "WindowActivated", {"x", ""}, false, std::nullopt, "no process"},
  };
  Event stop;
  SteadyClock clock;
  auto wake = std::make_unique<ForegroundWake>(*source, stop);
  const auto known = [](const ForegroundLook& look) {
    return std::tuple(look.path, look.wine, look.pid, look.app_id);
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.method) + " " + (step.strings.empty() ? "" : step.strings[0]));
    ASSERT_EQ(daemon.CallForeground(step.helper, step.method, step.strings), step.answered);
    ASSERT_TRUE(wake->Wait(clock, kWaitDeadline)) << "no wake for the call";
    EXPECT_EQ(source->Current(), step.path);
    const std::optional<ForegroundLook> asked = AskForegroundLook(daemon.address(), why);
    ASSERT_TRUE(asked) << why;
    EXPECT_EQ(known(*asked), known(source->Look()));
    EXPECT_THAT(asked->why_unknown, HasSubstr(step.why));
  }
  EXPECT_EQ(AskProgramsWithWindows(daemon.address(), why),
            (std::vector<std::string>{"C:\\Games\\Foo\\foo.exe", "/usr/bin/kate"}));

  wake.reset();
  {
    const testing::Watchdog watchdog("the bus source stopping");
    source.reset();
  }
  EXPECT_EQ(AskForegroundLook(daemon.address(), why), std::nullopt);
  EXPECT_THAT(why, HasSubstr("not running"));
}

TEST(BusForegroundProgramTest, AWaylandSessionListensOnItsSessionBusOrSaysWhyNot) {
  const testing::DbusTestDaemon daemon;
  if (daemon.address().empty()) GTEST_SKIP() << daemon.why_not();
  {
    const testing::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", daemon.address());
    const auto source = MakePlatformForegroundProgram({"KDE", true, true});
    EXPECT_EQ(source->Kind(), "wayland");
    std::string why;
    EXPECT_TRUE(AskForegroundLook(daemon.address(), why)) << why;
  }
  const testing::TempDir empty;
  const testing::ScopedEnv no_bus("DBUS_SESSION_BUS_ADDRESS",
                                  "unix:path=" + (empty.path() / "no-bus").string());
  const auto source = MakePlatformForegroundProgram({"GNOME", false, true});
  EXPECT_EQ(source->Kind(), "none");
  EXPECT_EQ(source->Current(), std::nullopt);
  EXPECT_THAT(source->Look().why_unknown,
              AllOf(HasSubstr("Wayland session"), HasSubstr("no session bus")));
}

}  // namespace
}  // namespace vandrel
