// Which desktop the pointer settings talk to, from the session's environment.
#include "platform/desktop_session.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

struct Case {
  const char* current_desktop;
  bool x11;
  bool wayland;
  Desktop expected;
};

TEST(DesktopSessionTest, DesktopChosenFromTheEnvironment) {
  const Case cases[] = {
      {"GNOME", false, true, Desktop::kGnome},
      {"ubuntu:GNOME", true, true, Desktop::kGnome},
      {"gnome", true, false, Desktop::kGnome},
      {"KDE", false, true, Desktop::kKde},
      {"kde", true, false, Desktop::kKde},
      {"XFCE", true, false, Desktop::kX11},
      {"", true, false, Desktop::kX11},
      {"sway", true, true, Desktop::kNone},  // xset would reach only Xwayland
      {"", false, false, Desktop::kNone},
      {"GNOME-Flashback:Unity", true, false, Desktop::kX11},  // no entry is GNOME itself
      {"X-KDE-Something", false, true, Desktop::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectDesktop({c.current_desktop, c.x11, c.wayland}), c.expected)
        << c.current_desktop << " x11=" << c.x11 << " wayland=" << c.wayland;
  }
}

}  // namespace
}  // namespace vandrel
