// The D-Bus interface through which a compositor helper (the KWin script, the GNOME Shell
// extension) tells the desktop program which window is in front under Wayland, where no client
// may ask the compositor itself. The desktop program owns the name on the session bus; vandrelctl
// asks it what it was last told.
//
// Methods of kForegroundBusInterface at kForegroundBusPath:
//   WindowActivated(s pid, s app_id)  a window came to the front: its process as decimal text
//                                     ("" or "0" when the compositor gives none) and its
//                                     application id ("" when none). The PID travels as text
//                                     because KWin's callDBus may send a script's number as a
//                                     double, which no integer signature would accept.
//   NothingActive()                   no window is in front.
//   Look() -> (s program, s why_unknown, s app_id, x pid, b wine)
//                                     what the program makes of the last call: program is ""
//                                     when unknown, pid 0 when none was given.
//   Programs() -> (as)                the programs reported in front since the desktop program
//                                     started that are still running, most recent first.
#pragma once

#include <string_view>

namespace vandrel {

inline constexpr std::string_view kForegroundBusName = "io.github.vandrel.Foreground";
inline constexpr std::string_view kForegroundBusPath = "/io/github/vandrel/Foreground";
inline constexpr std::string_view kForegroundBusInterface = "io.github.vandrel.Foreground";

}  // namespace vandrel
