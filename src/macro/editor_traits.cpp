#include "macro/editor_traits.h"

namespace vandrel {

const EditorTraits& TraitsOf(DeviceKind kind) {
  static constexpr EditorTraits kMouse{
      DeviceKind::kMouse, "ms_", "message_text_4", false, true, true, CaptureMode::kMouseMacro};
  static constexpr EditorTraits kKeyboard{
      DeviceKind::kKeyboard,      "kb_", "message_text_3", true, false, false,
      CaptureMode::kKeyboardMacro};
  return kind == DeviceKind::kMouse ? kMouse : kKeyboard;
}

}  // namespace vandrel
