// The Wayland foreground-program source: what the compositor helpers' reports come to (processes
// from a hand-written /proc-like folder), and the D-Bus interface on a private bus, called as the
// helpers call it (gdbus as the GNOME Shell extension's Gio call, dbus-send as KWin's callDBus)
// and asked as vandrelctl asks it.
#include "platform/bus_foreground_program.h"

#include <string>
#include <vector>

#include "core/clock.h"
#include "platform/foreground_bus.h"
#include "platform/foreground_bus_client.h"
#include "platform/tool_runner.h"
#include "platform/window_reports.h"
#include "support/dbus_test_daemon.h"
#include "support/deadline.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using namespace std::string_literals;
using testing::kWaitDeadline;

// Processes 100 (a plain program), 200 (a Wine game); 300 is not running.
void MakeProcesses(const std::filesystem::path& proc) {
  std::filesystem::create_directories(proc / "100");
  std::filesystem::create_symlink("/usr/bin/kate", proc / "100" / "exe");
  std::filesystem::create_directories(proc / "200");
  std::filesystem::create_symlink("/usr/lib/wine/wine64-preloader", proc / "200" / "exe");
  testing::WriteFile(proc / "200" / "cmdline", "C:\\Games\\Foo\\foo.exe\0"s);
}

TEST(WindowReportsTest, AProcessIsNamedAnythingElseIsUnknownWithTheReason) {
  const testing::TempDir fixture;
  MakeProcesses(fixture.path());
  WindowReports reports(fixture.path());
  EXPECT_EQ(reports.Look().path, std::nullopt);
  EXPECT_NE(reports.Look().why_unknown.find("no compositor helper"), std::string::npos);

  struct Case {
    const char* pid;
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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("pid \"") + c.pid + "\" app \"" + c.app_id + "\"");
    reports.Activated("100", "");  // a known program before each report, which must not linger
    EXPECT_EQ(reports.Activated(c.pid, c.app_id), c.accepted);
    const ForegroundLook look = reports.Look();
    EXPECT_EQ(look.path, c.path);
    EXPECT_EQ(look.pid, c.named_pid);
    EXPECT_EQ(look.app_id, c.app_id);
    EXPECT_EQ(look.wine, c.path && c.path->starts_with("C:"));
    EXPECT_NE(look.why_unknown.find(c.why), std::string::npos) << look.why_unknown;
  }
  reports.Activated("100", "");
  reports.NothingActive();
  EXPECT_EQ(reports.Look().path, std::nullopt);
  EXPECT_EQ(reports.Look().why_unknown, "no window is active");
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

// The helpers' calls: the GNOME Shell extension calls through Gio (as gdbus does), KWin's
// callDBus through Qt (as dbus-send does, with plain string arguments).
class HelperCalls {
 public:
  explicit HelperCalls(std::string address) : address_(std::move(address)) {}

  bool GnomeActivated(const std::string& pid, const std::string& app_id) const {
    return Gdbus("WindowActivated", {"'" + pid + "'", "'" + app_id + "'"});
  }
  bool KwinActivated(const std::string& pid, const std::string& app_id) const {
    return RunTool({"dbus-send", "--bus=" + address_, "--print-reply",
                    "--dest=" + std::string(kForegroundBusName), std::string(kForegroundBusPath),
                    std::string(kForegroundBusInterface) + ".WindowActivated", "string:" + pid,
                    "string:" + app_id},
                   kWaitDeadline) == ToolOutcome::kSucceeded;
  }
  bool NothingActive() const { return Gdbus("NothingActive", {}); }

 private:
  bool Gdbus(const std::string& method, const std::vector<std::string>& values) const {
    std::vector<std::string> call = {
        "gdbus",         "call",
        "--address",     address_,
        "--dest",        std::string(kForegroundBusName),
        "--object-path", std::string(kForegroundBusPath),
        "--method",      std::string(kForegroundBusInterface) + "." + method};
    call.insert(call.end(), values.begin(), values.end());
    return RunTool(call, kWaitDeadline) == ToolOutcome::kSucceeded;
  }

  std::string address_;
};

TEST(BusForegroundProgramTest, HelpersCallsNameTheProgramWakeTheWatchersAndAnswerVandrelctl) {
  const testing::DbusTestDaemon daemon;
  if (daemon.address().empty()) GTEST_SKIP() << daemon.why_not();
  const testing::TempDir fixture;
  MakeProcesses(fixture.path());
  std::string why;
  EXPECT_EQ(AskForegroundLook(daemon.address(), why), std::nullopt);
  EXPECT_NE(why.find("not running"), std::string::npos) << why;

  auto source = BusForegroundProgram::Start(daemon.address(), fixture.path(), why);
  ASSERT_NE(source, nullptr) << why;
  EXPECT_EQ(source->Kind(), "wayland");
  EXPECT_TRUE(source->ReportsChanges());
  EXPECT_EQ(source->Current(), std::nullopt);
  std::string second_why;
  EXPECT_EQ(BusForegroundProgram::Start(daemon.address(), fixture.path(), second_why), nullptr);
  EXPECT_NE(second_why.find("is taken"), std::string::npos) << second_why;

  const HelperCalls helpers(daemon.address());
  struct Step {
    std::function<bool()> call;
    std::optional<std::string> path;
    const char* why;
  };
  const Step steps[] = {
      {[&] { return helpers.GnomeActivated("100", "org.kde.kate"); }, "/usr/bin/kate", ""},
      {[&] { return helpers.GnomeActivated("100", "org.kde.kate"); }, "/usr/bin/kate", ""},
      {[&] { return helpers.KwinActivated("200", ""); }, "C:\\Games\\Foo\\foo.exe", ""},
      {[&] { return helpers.KwinActivated("0", "firefox"); }, std::nullopt, "\"firefox\""},
      {[&] { return helpers.NothingActive(); }, std::nullopt, "no window is active"},
      {[&] { return !helpers.GnomeActivated("x", ""); }, std::nullopt, "no process"},
  };
  Event stop;
  SteadyClock clock;
  auto wake = std::make_unique<ForegroundWake>(*source, stop);
  for (const Step& step : steps) {
    ASSERT_TRUE(step.call()) << "the call was not answered as expected";
    ASSERT_TRUE(wake->Wait(clock, kWaitDeadline)) << "no wake for the call";
    EXPECT_EQ(source->Current(), step.path);
    const std::optional<ForegroundLook> asked = AskForegroundLook(daemon.address(), why);
    ASSERT_TRUE(asked) << why;
    EXPECT_EQ(asked->path, step.path);
    EXPECT_EQ(asked->wine, source->Look().wine);
    EXPECT_EQ(asked->pid, source->Look().pid);
    EXPECT_EQ(asked->app_id, source->Look().app_id);
    EXPECT_NE(asked->why_unknown.find(step.why), std::string::npos) << asked->why_unknown;
  }
  EXPECT_EQ(AskProgramsWithWindows(daemon.address(), why),
            (std::vector<std::string>{"C:\\Games\\Foo\\foo.exe", "/usr/bin/kate"}));

  wake.reset();
  {
    const testing::Watchdog watchdog("the bus source stopping");
    source.reset();
  }
  EXPECT_EQ(AskForegroundLook(daemon.address(), why), std::nullopt);
  EXPECT_NE(why.find("not running"), std::string::npos) << why;
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
  EXPECT_NE(source->Look().why_unknown.find("Wayland session"), std::string::npos);
  EXPECT_NE(source->Look().why_unknown.find("no session bus"), std::string::npos);
}

}  // namespace
}  // namespace vandrel
