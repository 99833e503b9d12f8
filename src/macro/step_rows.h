// The rows of the step list. Each row carries its action line as user data; the cells are only a
// view of it. A step row is the "ms_macro_action" / "kb_macro_action" element of three labels
// (name, press state or distance, delay); a row made by the recorder is a plain three-column row
// "macro_action" (name, "▼" or "▲", delay). Any thread.
#pragma once

#include <string>
#include <string_view>

#include "macro/macro_action.h"
#include "ui/control_state.h"

namespace vandrel {

inline constexpr int kStepRowHeight = 30;
inline constexpr int kRecordedRowHeight = 25;
inline constexpr std::string_view kRecordedRowName = "macro_action";
inline constexpr std::string_view kMouseLabelStyle = "macro_label_mouse_style";
inline constexpr std::string_view kKeyboardLabelStyle = "macro_label_keyboard_style";
inline constexpr std::string_view kTextLabelStyle = "macro_label_text_style";
inline constexpr std::string_view kDownLabelStyle = "macro_label_down_style";
inline constexpr std::string_view kUpLabelStyle = "macro_label_up_style";

// The step row of `line` on the page with control prefix `prefix` ("ms_" or "kb_"). A line that
// does not parse keeps its text as the row's only label, so that nothing is lost on a save.
[[nodiscard]] ListItem StepRow(std::string_view prefix, std::string_view line);
// The recorder's row of `action`.
[[nodiscard]] ListItem RecordedRow(const MacroAction& action);
// The name of a step row's element: "ms_macro_action" or "kb_macro_action".
[[nodiscard]] std::string StepRowName(std::string_view prefix);

}  // namespace vandrel
