#include "platform/platform_foreground_program.h"

#include "platform/x11_foreground_program.h"

namespace vandrel {

std::unique_ptr<PlatformForegroundProgram> MakePlatformForegroundProgram(
    const DesktopEnvironment& environment) {
  if (environment.has_wayland_display) {
    return std::make_unique<UnknownForegroundProgram>(
        "a Wayland session: the program in front is not known without a compositor helper");
  }
  if (!environment.has_x11_display) {
    return std::make_unique<UnknownForegroundProgram>("no display: neither X11 nor Wayland");
  }
  std::string why;
  if (auto x11 = X11ForegroundProgram::Start("", "/proc", why)) return x11;
  return std::make_unique<UnknownForegroundProgram>(why);
}

}  // namespace vandrel
