// The keys of the desktop's key events as the pages know keys: a virtual-key code, the
// extended flag and the down or up message. A key is named by where it sits on the keyboard (its
// Linux input code), as a US layout names that place, whatever layout the desktop uses: a key
// the mouse or keyboard is told to send is a place on the keyboard too, so a captured key sends
// what the pressed key types under any layout. Keypad keys stay keypad keys with Num Lock off.
// Constant data; any thread.
#pragma once

#include <cstdint>
#include <optional>

#include "app/input_capture.h"

namespace vandrel {

struct NativeKeyEvent {
  std::uint32_t evdev_code = 0;  // the Linux input code of the physical key; 0 when unknown
  bool pressed = false;
  bool alt_held = false;   // the desktop reports an Alt key held
  bool ctrl_held = false;  // the desktop reports a Ctrl key held
};

struct MappedKeyEvent {
  int key_message = 0;  // kKeyDown, kKeyUp, kSystemKeyDown or kSystemKeyUp
  CapturedKey key;
};

// The event as the pages take it; nullopt for a key that has no virtual-key code. An Alt key's
// own press counts as Alt held and its release as not held, whatever the desktop reported with it.
[[nodiscard]] std::optional<MappedKeyEvent> MapNativeKey(const NativeKeyEvent& event);

// The Linux input code of an X11 or Wayland keycode (which counts from 8); 0 when there is none.
[[nodiscard]] std::uint32_t EvdevCodeOfKeycode(std::uint32_t keycode);

}  // namespace vandrel
