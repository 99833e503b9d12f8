// Which desktop the program runs in, as far as the pointer settings care: GNOME and KDE keep the
// pointer speed in their own settings, a bare X11 session takes it from the X server, and
// anything else (another Wayland compositor, no display at all) offers no way to set it.
#pragma once

#include <string>

namespace vandrel {

enum class Desktop { kGnome, kKde, kX11, kNone };

// What the environment says about the session.
struct DesktopEnvironment {
  std::string current_desktop;       // XDG_CURRENT_DESKTOP: names separated by ':'
  bool has_x11_display = false;      // DISPLAY set and not empty
  bool has_wayland_display = false;  // WAYLAND_DISPLAY set and not empty
};

// GNOME or KDE when XDG_CURRENT_DESKTOP names it (any of its entries, in any case); else X11 when
// there is an X display and no Wayland one (xset would reach only the Xwayland server); else none.
[[nodiscard]] Desktop DetectDesktop(const DesktopEnvironment& environment);
// The environment of this process.
[[nodiscard]] DesktopEnvironment ProcessDesktopEnvironment();

}  // namespace vandrel
