// InputCapture: the recording and single-key capture of the keyboard and mouse. While installed,
// every key event (and, when asked, every mouse event) becomes a message to the main window,
// posted through the UiThread; the mode decides which message. Key events are swallowed, except
// Num Lock, Caps Lock and Scroll Lock, which keep their effect. The desktop implementation sees
// the program's own input while the main window is active and removes itself when the window
// loses the activation. User-interface thread only.
#pragma once

#include <cstdint>
#include <optional>

#include "app/ui_thread.h"

namespace vandrel {

// What a capture is for; the value is the mode number the messages are chosen by.
enum class CaptureMode : int {
  kKeyboardSingleKey = 1,  // the keyboard's key page takes one key
  kKeyboardMacro = 4,      // the keyboard's macro editor records
  kMouseSingleKey = 16,    // the mouse's button page takes one key
  kMouseMacro = 64,        // the mouse's macro editor records
};

// The messages a capture posts. Key messages carry the key event's message in wparam and its
// CapturedKey in lparam; mouse messages carry the mouse event's message in wparam.
inline constexpr int kMessageKeyboardSingleKey = 0x0801;
inline constexpr int kMessageKeyboardMacroKey = 0x0803;
inline constexpr int kMessageKeyboardMacroMouse = 0x0804;
inline constexpr int kMessageMouseSingleKey = 0x0810;
inline constexpr int kMessageMouseMacroKey = 0x0812;
inline constexpr int kMessageMouseMacroMouse = 0x0813;

// Key event messages (wparam of a key message): a key with Alt held (and Ctrl not) is a
// "system" key.
inline constexpr int kKeyDown = 0x0100;
inline constexpr int kKeyUp = 0x0101;
inline constexpr int kSystemKeyDown = 0x0104;
inline constexpr int kSystemKeyUp = 0x0105;

// Mouse event messages (wparam of a mouse message).
inline constexpr int kMouseMove = 0x0200;
inline constexpr int kLeftButtonDown = 0x0201;
inline constexpr int kLeftButtonUp = 0x0202;
inline constexpr int kRightButtonDown = 0x0204;
inline constexpr int kRightButtonUp = 0x0205;
inline constexpr int kMiddleButtonDown = 0x0207;
inline constexpr int kMiddleButtonUp = 0x0208;
inline constexpr int kWheel = 0x020A;
inline constexpr int kExtraButtonDown = 0x020B;
inline constexpr int kExtraButtonUp = 0x020C;
inline constexpr int kHorizontalWheel = 0x020E;

// The key of a key event: its virtual-key code and flags, as the pages look keys up.
struct CapturedKey {
  static constexpr std::uint32_t kExtended = 0x01;  // right-hand or navigation-block key
  static constexpr std::uint32_t kAltDown = 0x20;   // an Alt key is held
  static constexpr std::uint32_t kReleased = 0x80;  // the key went up

  std::uint16_t virtual_key = 0;
  std::uint32_t flags = 0;  // the bits above

  // The record as a message's lparam, and back: the code in bits 0-15, the flags in 16-23.
  [[nodiscard]] std::intptr_t ToParam() const;
  [[nodiscard]] static CapturedKey FromParam(std::intptr_t lparam);
  friend bool operator==(const CapturedKey&, const CapturedKey&) = default;
};

class InputCapture {
 public:
  virtual ~InputCapture() = default;

  // Removes any capture, then captures the keyboard when `keyboard` and the mouse when `mouse`
  // for `mode`. False when a capture could not be set up (callers carry on without events).
  virtual bool Install(CaptureMode mode, bool keyboard, bool mouse) = 0;
  // Removes the capture; nothing is posted afterwards. Harmless when none is installed.
  virtual void RemoveAll() = 0;
};

// The message a key event produces in `mode`.
[[nodiscard]] int KeyMessageOf(CaptureMode mode);
// The message a mouse event produces in `mode`; none in the single-key modes.
[[nodiscard]] std::optional<int> MouseMessageOf(CaptureMode mode);
// Whether a captured key event still reaches the program's window: only the three lock keys.
[[nodiscard]] bool PassesOn(std::uint16_t virtual_key);

// What every implementation does with an event once it has one: posts the mode's message and
// tells whether the event goes on (true) or is swallowed (false).
bool DeliverKey(UiThread& ui, CaptureMode mode, int key_message, CapturedKey key);
void DeliverMouse(UiThread& ui, CaptureMode mode, int mouse_message);

}  // namespace vandrel
