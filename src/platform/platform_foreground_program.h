// The foreground-program source of this session: X11's active window in an X11 session, and an
// honest "unknown" where the program cannot tell (a Wayland session, no display at all), so that
// no linked profile is ever applied for a wrong program. Each source can also say what it sees
// and why it does not know, for a user whose link does not switch.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop_session.h"
#include "platform/foreground_program.h"

namespace vandrel {

// What a source sees now.
struct ForegroundLook {
  std::optional<std::string> path = std::nullopt;  // as ForegroundProgram::Current answers
  std::string why_unknown;                         // a sentence for the user when path is nullopt
  std::uint32_t window = 0;                // the X11 window in front; 0 when none or not X11
  std::optional<long> pid = std::nullopt;  // the process named for that window
  bool wine = false;                       // that process runs Wine
};

class PlatformForegroundProgram : public ForegroundProgram {
 public:
  // The source's kind, for the user: "x11", "none".
  [[nodiscard]] virtual std::string Kind() const = 0;
  // The whole of what Current answers from. Any thread.
  [[nodiscard]] virtual ForegroundLook Look() const = 0;

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

 private:
  const std::string why_;
};

// The source for a session with `environment`: X11 when there is an X display and no Wayland one
// (under Wayland, Xwayland's active window says nothing of Wayland windows), unknown otherwise or
// when the X server cannot be reached.
[[nodiscard]] std::unique_ptr<PlatformForegroundProgram> MakePlatformForegroundProgram(
    const DesktopEnvironment& environment);

}  // namespace vandrel
