#include "platform/desktop_session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace vandrel {
namespace {

[[nodiscard]] bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

[[nodiscard]] bool Names(std::string_view desktops, std::string_view name) {
  while (!desktops.empty()) {
    const std::size_t end = desktops.find(':');
    if (SameLetters(desktops.substr(0, end), name)) return true;
    if (end == std::string_view::npos) break;
    desktops.remove_prefix(end + 1);
  }
  return false;
}

[[nodiscard]] bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

Desktop DetectDesktop(const DesktopEnvironment& environment) {
  if (Names(environment.current_desktop, "GNOME")) return Desktop::kGnome;
  if (Names(environment.current_desktop, "KDE")) return Desktop::kKde;
  if (environment.has_x11_display && !environment.has_wayland_display) return Desktop::kX11;
  return Desktop::kNone;
}

DesktopEnvironment ProcessDesktopEnvironment() {
  const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
  return {desktops != nullptr ? desktops : "", IsSet("DISPLAY"), IsSet("WAYLAND_DISPLAY")};
}

}  // namespace vandrel
