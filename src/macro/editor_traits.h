// What differs between the mouse's and the keyboard's macro editor; everything else is shared.
// Constant data; any thread.
#pragma once

#include <string_view>

#include "app/input_capture.h"
#include "device/device_kind.h"

namespace vandrel {

struct EditorTraits {
  DeviceKind kind;
  std::string_view prefix;           // of every control name: "ms_" or "kb_"
  std::string_view unsaved_message;  // shown when another macro is chosen during an edit
  bool inserts_after_selection;      // mouse steps go after the selected row, not before it
  bool save_shows_name_panel;        // saving switches back from the mouse-event panel
  bool uptop_keeps_enabled;          // the uptop button changes its hot image instead
  CaptureMode recording_mode;        // of the input capture while the page records
};

// The mouse page's uptop button while it works, and while there is nothing to move.
inline constexpr std::string_view kUptopHotImage = "file='common/up_top_over.png'";
inline constexpr std::string_view kUptopUnusedImage = "file='common/unuse.png'";

// The mouse's or the keyboard's traits (the pad has no macros: it gets the keyboard's).
[[nodiscard]] const EditorTraits& TraitsOf(DeviceKind kind);

}  // namespace vandrel
