// The key page's key tips and its download button.
#include <string>

#include "app/window_messages.h"
#include "keyboard/key_page.h"
#include "mouse/assignment_texts.h"

namespace vandrel {
namespace {

constexpr std::string_view kTranslator = "str_test";
constexpr std::string_view kKeySetText = "Key_Set";
// The one key whose tooltip stays empty while it keeps its own function.
constexpr std::string_view kUntippedKey = "keyboard_key_App";
constexpr std::string_view kTooLongMessage = "message_text_16";
constexpr std::string_view kMacrosFailedMessage = "message_text_download_macros_failed";
constexpr std::string_view kKeysFailedMessage = "message_text_download_keys_failed";

}  // namespace

std::string KeyboardKeyPage::Translate(std::string_view id) const {
  Control* translator = window_.Find(kTranslator);
  if (translator == nullptr) return window_.Texts().Lookup(id);
  translator->SetResourceText(true);
  translator->SetText(id);
  return translator->Text();
}

std::optional<std::string> KeyboardKeyPage::MacroName(int macro) const {
  if (macros_ == nullptr || macro < 0) return std::nullopt;
  std::vector<std::string> names = macros_->ReadCatalogue();
  if (static_cast<std::size_t>(macro) >= names.size()) return std::nullopt;
  return std::move(names[static_cast<std::size_t>(macro)]);
}

void KeyboardKeyPage::RefreshKeyTips() {
  const KeySlotMap& map = keyboard_.state().slot_map;
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    if (map[slot] == kNoDeviceKey) continue;
    if (Control* key = window_.Find("kb_key_" + std::to_string(slot))) ShowKeyTip(*key, map[slot]);
  }
}

// The key's own name against its current function's: a key doing something else says so in its
// tooltip and wears its hot image; the skin keeps its normal image in the user data.
void KeyboardKeyPage::ShowKeyTip(Control& key, std::size_t device_key) {
  const KeyboardState& state = keyboard_.state();
  const std::string own(KeyOwnName(state.defaults.Assignment(device_key)).value_or(""));
  const KeyAssignment current = state.keys[state.ProfileInUse()].Assignment(device_key);
  const AssignmentLabel function = AssignmentText(
      current, [this](int macro) { return MacroName(macro); }, AssignmentHolder::kKeyboardKey);
  const std::string function_name = function.text.value_or("");
  if (function_name == own) {
    key.SetTooltip(own == kUntippedKey || own.empty() ? std::string() : Translate(own));
    key.SetNormalImage(key.UserData());
    return;
  }
  const std::string shown_function =
      function.resource_text ? Translate(function_name) : function_name;
  key.SetTooltip((own.empty() ? std::string() : Translate(own)) + Translate(kKeySetText) +
                 shown_function);
  key.SetNormalImage(key.HotImage());
}

// The indicator shows from the start of the job to a moment after its end.
bool KeyboardKeyPage::Download() {
  if (macros_ == nullptr) {
    // No macro library to send from: nothing goes out, and the user is told.
    ReportDownload({.outcome = DownloadOutcome::kImageFailed,
                    .image_bytes = 0,
                    .steps_over = std::nullopt,
                    .channel_result = kChannelNoReply});
    return false;
  }
  if (jobs_.busy()) return false;
  const bool started = StartDownload(
      jobs_, keyboard_.channel(),
      TakeDownloadSnapshot(*macros_, keyboard_.state().info.macro_memory_units(),
                           keyboard_.TakeKeyTable()),
      [this] { keyboard_.KeyTableWritten(); },
      [this](const DownloadResult& result) {
        busy_(kMessageHideProgressLater);
        ReportDownload(result);
      });
  if (started) busy_(kMessageShowProgress);
  return started;
}

void KeyboardKeyPage::ReportDownload(const DownloadResult& result) {
  switch (result.outcome) {
    case DownloadOutcome::kDone:
      break;
    case DownloadOutcome::kTooLong:
      (void)ShowFormattedMessage(dialogs_, window_, kTooLongMessage, result.steps_over.value_or(0));
      break;
    case DownloadOutcome::kImageFailed:
      (void)dialogs_.ShowMessage(&window_, kMacrosFailedMessage, true);
      break;
    case DownloadOutcome::kKeyPageFailed:
      (void)dialogs_.ShowMessage(&window_, kKeysFailedMessage, true);
      break;
  }
  RefreshKeyTips();
}

}  // namespace vandrel
