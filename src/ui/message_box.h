// The message box window's behaviour without its drawing: what goes into "MessageText" and which
// click closes the box with which result. The Qt dialog and test doubles share it.
#pragma once

#include <optional>
#include <string_view>

#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

// Puts `text` into the box's "MessageText" as an identifier or as literal text; an empty text
// leaves the skin's text. Any thread.
void PrepareMessageBox(WindowModel& box, std::string_view text, bool is_identifier);

// The result a notification closes the box with: "click" on "confirm_btn" 1, on "cancel_btn" or
// "closebtn" 0; nullopt for anything else, which leaves the box open.
[[nodiscard]] std::optional<int> MessageBoxResult(const Notification& notification);

}  // namespace vandrel
