// The X11 foreground-program source on a private Xvfb server: the test is the window manager (it
// sets the root window's _NET_ACTIVE_WINDOW) and the clients (windows with _NET_WM_PID and
// WM_CLIENT_MACHINE); processes come from a hand-written /proc-like folder.
#include "platform/x11_foreground_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "platform/platform_foreground_program.h"
#include "support/deadline.h"
#include "support/temp_dir.h"

extern char** environ;

namespace vandrel {
namespace {

using namespace std::string_literals;
using testing::kWaitDeadline;

// A private Xvfb on a display number it picks itself (-displayfd), ended with the test.
class Xvfb {
 public:
  Xvfb() {
    std::array<int, 2> pipe_fds{};
    if (pipe2(pipe_fds.data(), O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 3);
    const std::array<const char*, 9> arguments = {
        "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "64x64x24", nullptr};
    std::vector<char*> argv;
    for (const char* argument : arguments) argv.push_back(const_cast<char*>(argument));
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    if (pid_ != 0) display_ = ReadDisplayNumber(pipe_fds[0]);
    close(pipe_fds[0]);
  }
  ~Xvfb() { Kill(); }

  // ":N", or empty when the server did not start.
  [[nodiscard]] const std::string& display() const { return display_; }
  [[nodiscard]] pid_t pid() const { return pid_; }
  void Kill() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    EXPECT_TRUE(testing::AwaitChild(pid_, kWaitDeadline)) << "Xvfb ending";
    pid_ = 0;
  }

 private:
  static std::string ReadDisplayNumber(int fd) {
    std::string number;
    for (;;) {
      pollfd wait{fd, POLLIN, 0};
      if (poll(&wait, 1, static_cast<int>(kWaitDeadline.count())) <= 0) return {};
      char c = 0;
      if (read(fd, &c, 1) != 1) return {};
      if (c == '\n') return number.empty() ? std::string() : ":" + number;
      number += c;
    }
  }

  pid_t pid_ = 0;
  std::string display_;
};

// The test's own X client: windows and the properties a window manager and its clients set.
class Client {
 public:
  explicit Client(const std::string& display)
      : connection_(xcb_connect(display.c_str(), nullptr)),
        root_(xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root) {}
  ~Client() { xcb_disconnect(connection_); }

  // A window with `pid` as _NET_WM_PID (0: none) and `machine` as WM_CLIENT_MACHINE ("": none).
  xcb_window_t MakeWindow(std::uint32_t pid, std::string_view machine) {
    const xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 8, 8, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (pid != 0) Set(window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    if (!machine.empty()) {
      Set(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
          static_cast<std::uint32_t>(machine.size()), machine.data());
    }
    return window;
  }
  void Activate(xcb_window_t window) {
    Set(root_, Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
    free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  }

 private:
  xcb_atom_t Atom(std::string_view name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr);
    const xcb_atom_t atom = reply->atom;
    free(reply);
    return atom;
  }
  void Set(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, std::uint8_t format,
           std::uint32_t count, const void* data) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, format, count,
                        data);
  }

  xcb_connection_t* connection_;
  xcb_window_t root_;
};

// Processes 100 (a plain program), 200 (a Wine game); 300 is not running.
void MakeProcesses(const std::filesystem::path& proc) {
  std::filesystem::create_directories(proc / "100");
  std::filesystem::create_symlink("/usr/bin/kate", proc / "100" / "exe");
  std::filesystem::create_directories(proc / "200");
  std::filesystem::create_symlink("/usr/lib/wine/wine64-preloader", proc / "200" / "exe");
  testing::WriteFile(proc / "200" / "cmdline", "C:\\Games\\Foo\\foo.exe\0"s);
}

std::string ThisMachine() {
  std::array<char, 256> name{};
  return gethostname(name.data(), name.size() - 1) == 0 ? name.data() : "";
}

TEST(X11ForegroundProgramTest, FollowsTheActiveWindowAndWakesWaitersOnEachChange) {
  Xvfb server;
  if (server.display().empty()) GTEST_SKIP() << "Xvfb cannot start here";
  const testing::TempDir fixture;
  MakeProcesses(fixture.path() / "proc");
  Client client(server.display());
  const std::array<xcb_window_t, 6> windows = {
      XCB_WINDOW_NONE,
      client.MakeWindow(100, ThisMachine()),
      client.MakeWindow(200, ""),
      client.MakeWindow(0, ""),
      client.MakeWindow(100, "elsewhere.invalid"),
      client.MakeWindow(300, ""),
  };
  std::string why;
  auto source = X11ForegroundProgram::Start(server.display(), fixture.path() / "proc", why);
  ASSERT_NE(source, nullptr) << why;
  EXPECT_TRUE(source->ReportsChanges());
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

TEST(X11ForegroundProgramTest, SourceChosenFromTheSession) {
  Xvfb server;
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
    if (c.display == nullptr && server.display().empty()) GTEST_SKIP() << "Xvfb cannot start here";
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
