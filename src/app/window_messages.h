// The main window's messages and timers: the numbers the worker threads, the tray icon, the menus
// and the recording hooks use to reach it. (The device link's own ones are in
// device/main_window_link.h.)
#pragma once

#include <string_view>

#include "device/main_window_link.h"

namespace vandrel {

// The activation a second copy of the program sends to the first, by name and as a message.
inline constexpr std::string_view kActivationName = "ORVEX_QD418";
inline constexpr int kMessageActivate = 0xC001;
// The window is being destroyed: stop the threads and end the message loop.
inline constexpr int kMessageDestroy = 0x0002;
// The window was activated or lost the activation (wparam 0): losing it stops recording.
inline constexpr int kMessageActivateChanged = 0x0006;
inline constexpr int kMessageTrayIcon = 0x0401;  // lparam: the mouse message below
inline constexpr int kTrayLeftButtonUp = 0x0202;
inline constexpr int kTrayRightButtonUp = 0x0205;
inline constexpr int kMessageMenuCommand = 0x0479;
inline constexpr int kMessageHookFirst = 0x0801;  // the recording hooks: 0x0801-0x0804
inline constexpr int kMessageHookLast = 0x0813;   // and 0x0810-0x0813
// A presence monitor found its device gone during a macro edit: wparam is the DeviceKind.
inline constexpr int kMessageAbandonMacroEdit = 0x0820;
// A profile watcher asks for a linked profile (wparam: the watched row; lparam: the profile's
// number, or -1 for the user's own choice).
inline constexpr int kMessageLinkedProfile = 0x0830;
inline constexpr int kMessagePadReset = 0x0A01;
inline constexpr int kMessageShowProgress = 0x0C00;
inline constexpr int kMessageHideProgressLater = 0x0C01;

inline constexpr int kTimerHideProgress = 1;
inline constexpr int kTimerApplyPending = 2;
inline constexpr int kTimerRepaintOnce = 7;
inline constexpr int kTimerRepaint = 10;
inline constexpr int kTimerMouseLighting = 13;
inline constexpr int kTimerMouseSettled = 1000;
inline constexpr int kTimerKeyboardFrame = 1001;
inline constexpr int kTimerPadFrame = 1002;
// One-shot: the pad has settled after its factory reset and is read again.
inline constexpr int kTimerPadReset = 1006;
// Repeating while the busy indicator is shown: moves its ring on.
inline constexpr int kTimerTurnProgress = 1007;

}  // namespace vandrel
