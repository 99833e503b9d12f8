#include "platform/platform_foreground_program.h"

#include "platform/bus_foreground_program.h"
#include "platform/x11_foreground_program.h"

namespace vandrel {

std::unique_ptr<PlatformForegroundProgram> MakePlatformForegroundProgram(
    const DesktopEnvironment& environment) {
  std::string why;
  if (environment.has_wayland_display) {
    if (auto wayland = BusForegroundProgram::Start("", "/proc", why)) return wayland;
    return std::make_unique<UnknownForegroundProgram>("a Wayland session, and " + why);
  }
  if (!environment.has_x11_display) {
    return std::make_unique<UnknownForegroundProgram>("no display: neither X11 nor Wayland");
  }
  if (auto x11 = X11ForegroundProgram::Start("", "/proc", why)) return x11;
  return std::make_unique<UnknownForegroundProgram>(why);
}

}  // namespace vandrel
