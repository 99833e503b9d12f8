// The foreground-program source of this session: X11's active window in an X11 session, what the
// compositor helpers report over our D-Bus interface in a Wayland session, and an honest
// "unknown" where the program cannot tell (no display, no session bus), so that
// no linked profile is ever applied for a wrong program. Each source can also say what it sees
// and why it does not know, for a user whose link does not switch.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_session.h"
#include "platform/foreground_program.h"

namespace vandrel {

// What a source sees now.
struct ForegroundLook {
  std::optional<std::string> path = std::nullopt;  // as ForegroundProgram::Current answers
  std::string why_unknown = std::string();         // a sentence for the user when path is nullopt
  std::uint32_t window = 0;                // the X11 window in front; 0 when none or not X11
  std::optional<long> pid = std::nullopt;  // the process named for that window
  bool wine = false;                       // that process runs Wine
  std::string app_id = std::string();      // the application a Wayland helper named; "" when none
};

class PlatformForegroundProgram : public ForegroundProgram {
 public:
  // The source's kind, for the user: "x11", "wayland", "none".
  [[nodiscard]] virtual std::string Kind() const = 0;
  // The whole of what Current answers from. Any thread.
  [[nodiscard]] virtual ForegroundLook Look() const = 0;

  // The programs running now with a window, each once, named as Current names them: what a user
  // may link a profile to. Empty when the source cannot tell. Any thread.
  [[nodiscard]] virtual std::vector<std::string> ProgramsWithWindows() const = 0;

  [[nodiscard]] std::optional<std::string> Current() final { return Look().path; }
};

// A source that never knows: every answer is nullopt, for the reason given. Nothing ever changes,
// so it reports changes (none) and the watchers need not poll it.
class UnknownForegroundProgram final : public PlatformForegroundProgram {
 public:
  explicit UnknownForegroundProgram(std::string why) : why_(std::move(why)) {}

  [[nodiscard]] bool ReportsChanges() const override { return true; }
  [[nodiscard]] std::string Kind() const override { return "none"; }
  [[nodiscard]] ForegroundLook Look() const override {
    return {.path = std::nullopt, .why_unknown = why_};
  }
  [[nodiscard]] std::vector<std::string> ProgramsWithWindows() const override { return {}; }

 private:
  const std::string why_;
};

// The source for a session with `environment`: under Wayland, the helpers' reports over our D-Bus
// interface on the session bus (Xwayland's active window says nothing of Wayland windows); X11
// when there is an X display and no Wayland one; unknown otherwise, or when the bus or the X
// server cannot be reached. Only the desktop program may make one: under Wayland it takes the
// interface's name on the bus.
[[nodiscard]] std::unique_ptr<PlatformForegroundProgram> MakePlatformForegroundProgram(
    const DesktopEnvironment& environment);

}  // namespace vandrel
