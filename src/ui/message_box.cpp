#include "ui/message_box.h"

#include <string>

#include "ui/control.h"
#include "ui/dialogs.h"

namespace vandrel {
namespace {

constexpr std::string_view kFormatLabel = "str_test";

// printf's "%d" for one number, without printf: the format comes from a language file.
std::string SubstituteNumber(std::string_view format, int number) {
  std::string text;
  const std::string digits = std::to_string(number);
  for (std::size_t i = 0; i < format.size(); ++i) {
    const std::string_view rest = format.substr(i);
    if (rest.starts_with("%d")) {
      text += digits;
      ++i;
    } else if (rest.starts_with("%%")) {
      text += '%';
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

}  // namespace

void PrepareMessageBox(WindowModel& box, std::string_view text, bool is_identifier) {
  if (text.empty()) return;
  Control* message = box.Find(kMessageTextControl);
  if (message == nullptr) return;
  message->SetResourceText(is_identifier);
  message->SetText(text);
}

std::optional<int> MessageBoxResult(const Notification& notification) {
  if (notification.type != notify::kClick) return std::nullopt;
  const std::string& name = notification.sender->Name();
  if (name == kConfirmButton) return 1;
  if (name == kCancelButton || name == kMessageCloseButton) return 0;
  return std::nullopt;
}

std::string FormatMessageText(WindowModel& main_window, std::string_view id, int number) {
  std::string format;
  if (Control* label = main_window.Find(kFormatLabel)) {
    label->SetResourceText(true);
    label->SetText(id);
    format = label->Text();
  } else {
    format = main_window.Texts().Lookup(id);
  }
  return SubstituteNumber(format, number);
}

int ShowFormattedMessage(Dialogs& dialogs, WindowModel& main_window, std::string_view id,
                         int number) {
  return dialogs.ShowMessage(&main_window, FormatMessageText(main_window, id, number), false);
}

}  // namespace vandrel
