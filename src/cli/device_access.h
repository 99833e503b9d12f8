// DeviceAccess: the program's own device objects — the mouse, keyboard and pad with their states —
// on a DeviceSession, as the window holds them but without pages, profile files or desktop
// settings, so that every command reads and writes through the same code as the window.
#pragma once

#include <memory>
#include <string>

#include "cli/device_session.h"
#include "keyboard/keyboard_device.h"
#include "mouse/mouse_device.h"
#include "pad/pad_device.h"

namespace vandrel::cli {

class DeviceAccess {
 public:
  // The devices of `session`, which must outlive this.
  explicit DeviceAccess(DeviceSession& session);
  ~DeviceAccess();
  DeviceAccess(const DeviceAccess&) = delete;
  DeviceAccess& operator=(const DeviceAccess&) = delete;

  // Reads everything `kind` holds, as after attachment; false with `error` set when it is not
  // connected or does not answer.
  [[nodiscard]] bool Read(DeviceKind kind, std::string& error);
  // Sends what an edit of the live settings left pending, as the 100 ms apply does; false with
  // `error` set when the device refused or did not answer.
  [[nodiscard]] bool ApplyPending(DeviceKind kind, std::string& error);

  [[nodiscard]] MouseDevice& mouse() { return mouse_; }
  [[nodiscard]] KeyboardDevice& keyboard() { return keyboard_; }
  [[nodiscard]] PadDevice& pad() { return pad_; }
  // The keyboard model the keyboard's product ID selected; 3 before a keyboard is found.
  [[nodiscard]] int keyboard_model() const;

 private:
  class KeptPointerSettings;

  DeviceSession& session_;
  NoProfileSaver profiles_;
  std::unique_ptr<KeptPointerSettings> pointer_;
  MouseState mouse_state_;
  KeyboardState keyboard_state_;
  PadState pad_state_;
  MouseDevice mouse_;
  KeyboardDevice keyboard_;
  PadDevice pad_;
};

}  // namespace vandrel::cli
