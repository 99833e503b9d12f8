#include "app/input_capture.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kNumLock = 0x90;
constexpr std::uint16_t kCapsLock = 0x14;
constexpr std::uint16_t kScrollLock = 0x91;

}  // namespace

std::intptr_t CapturedKey::ToParam() const {
  return static_cast<std::intptr_t>(virtual_key) | static_cast<std::intptr_t>(flags & 0xFF) << 16;
}

CapturedKey CapturedKey::FromParam(std::intptr_t lparam) {
  return {static_cast<std::uint16_t>(lparam & 0xFFFF),
          static_cast<std::uint32_t>(lparam >> 16) & 0xFF};
}

int KeyMessageOf(CaptureMode mode) {
  switch (mode) {
    case CaptureMode::kKeyboardSingleKey:
      return kMessageKeyboardSingleKey;
    case CaptureMode::kKeyboardMacro:
      return kMessageKeyboardMacroKey;
    case CaptureMode::kMouseSingleKey:
      return kMessageMouseSingleKey;
    case CaptureMode::kMouseMacro:
      return kMessageMouseMacroKey;
  }
  return kMessageKeyboardSingleKey;
}

std::optional<int> MouseMessageOf(CaptureMode mode) {
  if (mode == CaptureMode::kKeyboardMacro) return kMessageKeyboardMacroMouse;
  if (mode == CaptureMode::kMouseMacro) return kMessageMouseMacroMouse;
  return std::nullopt;
}

bool PassesOn(std::uint16_t virtual_key) {
  return virtual_key == kNumLock || virtual_key == kCapsLock || virtual_key == kScrollLock;
}

bool DeliverKey(UiThread& ui, CaptureMode mode, int key_message, CapturedKey key) {
  ui.Post(KeyMessageOf(mode), key_message, key.ToParam());
  return PassesOn(key.virtual_key);
}

void DeliverMouse(UiThread& ui, CaptureMode mode, int mouse_message) {
  if (const std::optional<int> message = MouseMessageOf(mode)) ui.Post(*message, mouse_message, 0);
}

}  // namespace vandrel
