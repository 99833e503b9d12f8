// MainWindowLink: what the device link's threads (presence monitors, notification listeners) may
// ask of the main window. The main window implements it; every member may be called from those
// worker threads and must carry the request over to the user-interface thread itself.
//
// A presence monitor calls these while it holds its channel's lock, and the user-interface thread
// takes that lock for every exchange: so no member may wait for the user-interface thread, except
// SendMessage, which must give up once the threads are being stopped. IsVisible answers from the
// control's own state, without a round trip.
#pragma once

#include <string_view>

#include "core/clock.h"
#include "device/device_kind.h"

namespace vandrel {

// Messages the device link sends to the main window.
inline constexpr int kMessageMouseFullChange = 0x0901;
inline constexpr int kMessageKeyboardFullChange = 0x0B01;
inline constexpr int kMessageKeyboardLightingChanged = 0x0B02;
inline constexpr int kMessageNoDeviceLeft = 0x0C05;

// Timers the device link sets on the main window.
inline constexpr int kTimerMouseReread = 14;
inline constexpr int kTimerKeyboardAttached = 1003;
inline constexpr int kTimerPadAttached = 1004;
inline constexpr int kTimerMouseAttached = 1005;

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  // Starts (or restarts) the one-shot timer `timer_id`.
  virtual void SetTimer(int timer_id, Clock::Duration delay) = 0;
  virtual void PostMessage(int message) = 0;
  // Returns once the main window has handled the message.
  virtual void SendMessage(int message) = 0;
  // Brings the main window to the front, as a second start of the program does.
  virtual void PostActivation() = 0;

  [[nodiscard]] virtual bool IsVisible(std::string_view control) = 0;
  virtual void SetVisible(std::string_view control, bool visible) = 0;
  // Selects a tab option with its selection notification, as a click would.
  virtual void SelectTab(std::string_view control) = 0;
  virtual void SetFocus(std::string_view control) = 0;
  // Stops a recording, cancels the open macro edit of `kind` and reloads its list.
  virtual void AbandonMacroEdit(DeviceKind kind) = 0;

  // The keyboard model, chosen from the product ID of the keyboard found.
  virtual void SetKeyboardModel(int model) = 0;
  virtual void SetMousePageReady(bool ready) = 0;
  // Asks the pad's effects for one flash (the mouse's 0x0403 notification).
  virtual void RequestPadFlash() = 0;
};

}  // namespace vandrel
