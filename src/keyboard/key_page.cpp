#include "keyboard/key_page.h"

#include <array>
#include <string>

#include "core/decimal.h"
#include "keyboard/keyboard_slots.h"
#include "macro/key_table.h"

namespace vandrel {
namespace {

constexpr std::string_view kKeyPrefix = "kb_key_";
constexpr std::string_view kCategoryCombo = "kb_key_fct_combo";
constexpr std::string_view kFunctionPanels = "kb_tab_function";
constexpr std::string_view kCapturedKeyEdit = "kb_key_fct_edit_21";
constexpr std::string_view kRestoreButton = "kb_key_butt_keydefalut";
constexpr std::string_view kDownloadButton = "kb_key_butt_prosave";
constexpr int kRepeatCombo = 24;

// The items of "kb_key_fct_combo", in order: item i shows panel "kb_tab_function_" + i.
constexpr std::array kCategories = {
    FunctionPanel::kDefault,  FunctionPanel::kCapturedKey, FunctionPanel::kMouseButton,
    FunctionPanel::kTiltTurn, FunctionPanel::kWheelTurn,   FunctionPanel::kDpi,
    FunctionPanel::kFire,     FunctionPanel::kMultimedia,  FunctionPanel::kSystem,
    FunctionPanel::kMacro,    FunctionPanel::kCombination,
};
constexpr int kCapturedKeyItem = 1;

int CategoryItemOf(FunctionPanel panel) {
  for (std::size_t item = 0; item < kCategories.size(); ++item) {
    if (kCategories[item] == panel) return static_cast<int>(item);
  }
  return -1;
}

// The slot of a key button "kb_key_" + slot; nullopt for every other name.
std::optional<std::size_t> SlotOf(std::string_view name) {
  if (name.substr(0, kKeyPrefix.size()) != kKeyPrefix) return std::nullopt;
  const std::string_view number = name.substr(kKeyPrefix.size());
  if (number.empty() || number.size() > 3) return std::nullopt;
  for (char c : number) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const auto slot = static_cast<std::size_t>(ParseDecimalPrefix(number));
  return slot < kKeySlotCount ? std::optional(slot) : std::nullopt;
}

}  // namespace

KeyboardKeyPage::KeyboardKeyPage(WindowModel& window, KeyboardDevice& keyboard, Dialogs& dialogs,
                                 DeviceJobs& jobs, BusySink busy)
    : window_(window),
      keyboard_(keyboard),
      dialogs_(dialogs),
      jobs_(jobs),
      busy_(std::move(busy)),
      panel_(window, "kb_", ListMatch::kBothParams) {}

void KeyboardKeyPage::SetMacros(const MacroStore& store) { macros_ = &store; }

void KeyboardKeyPage::SetCapture(InputCapture& capture) { capture_ = &capture; }

void KeyboardKeyPage::ShowDownloadRunning(bool running) {
  if (Control* button = window_.Find(kDownloadButton)) button->SetEnabled(!running);
}

bool KeyboardKeyPage::Handle(const Notification& notification) {
  Control& sender = *notification.sender;
  const std::string& name = sender.Name();
  const std::string_view type = notification.type;
  if (type == notify::kClick) {
    if (name == kRestoreButton) RestoreDefault();
    if (name == kDownloadButton) (void)Download();
    if (const std::optional<std::size_t> slot = SlotOf(name)) ClickKey(*slot);
    return name == kRestoreButton || name == kDownloadButton || SlotOf(name).has_value();
  }
  if (type == notify::kItemSelect && name == kCategoryCombo) {
    ChooseCategory(notification.index);
    return true;
  }
  if (type == notify::kItemSelect && panel_.ComboNumber(name)) {
    if (*panel_.ComboNumber(name) == kRepeatCombo) panel_.ShowCountPanel();
    Store();
    return true;
  }
  if (type == notify::kTextChanged && panel_.CorrectEdit(sender)) {
    Store();
    return true;
  }
  return false;
}

bool KeyboardKeyPage::IsActive() const {
  const Control* tab = window_.Find("kb_key_Op_tab");
  return tab != nullptr && tab->IsSelected();
}

void KeyboardKeyPage::LockKeys() {
  if (!IsActive()) return;
  for (std::size_t slot : kLockedKeySlots) {
    if (Control* key = window_.Find(std::string(kKeyPrefix) + std::to_string(slot))) {
      key->SetEnabled(false);
    }
  }
}

void KeyboardKeyPage::ClickKey(std::size_t slot) {
  // A key click on the lighting page paints the key instead; a key the keyboard lacks does
  // nothing.
  if (!IsActive() || DeviceIndexOfSlot(keyboard_.state(), slot) == kNoDeviceKey) return;
  if (Control* function = window_.Find(kFunctionPanels)) {
    function->SetVisible(true);
    function->SetEnabled(true);
  }
  LockKeys();
  SelectKey(slot);
}

void KeyboardKeyPage::SelectKey(std::size_t slot) {
  const std::uint32_t key = DeviceIndexOfSlot(keyboard_.state(), slot);
  if (key == kNoDeviceKey) return;
  selected_ = key;
  selected_slot_ = slot;
  pending_ = *AssignmentOfSlot(keyboard_.state(), slot);
  if (Control* edit = window_.Find(kCapturedKeyEdit)) edit->SetText("");
  captured_.reset();
  if (pending_ == keyboard_.state().defaults.Assignment(key)) {
    ShowCategory(0);
    return;
  }
  ShowAssignment(pending_);
}

void KeyboardKeyPage::ShowAssignment(const KeyAssignment& assignment) {
  const std::optional<FunctionPanel> panel = AssignmentPanel::PanelOf(assignment);
  // Functions without a panel of this page leave it as it is.
  const int item = panel ? CategoryItemOf(*panel) : -1;
  if (item < 0) return;
  showing_ = true;
  if (*panel == FunctionPanel::kCapturedKey) {
    const KeyRow* row = FindDisplayRow(assignment.param1, assignment.param2);
    if (Control* edit = window_.Find(kCapturedKeyEdit); edit != nullptr && row != nullptr) {
      edit->SetText(row->id);
      captured_ = assignment;
    }
  } else {
    panel_.Show(*panel, assignment);
  }
  showing_ = false;
  ShowCategory(item);
}

void KeyboardKeyPage::ShowCategory(int item) {
  if (Control* combo = window_.Find(kCategoryCombo)) (void)combo->SelectItem(item, Notify::kNo);
  const std::string panels = std::string(kFunctionPanels) + "_";
  for (std::size_t other = 0; other < kCategories.size(); ++other) {
    if (Control* panel = window_.Find(panels + std::to_string(other))) {
      panel->SetVisible(static_cast<int>(other) == item);
    }
  }
  category_ = item;
  ArmCapture(item == kCapturedKeyItem);
}

void KeyboardKeyPage::ChooseCategory(int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= kCategories.size()) return;
  ShowCategory(item);
  Store();
}

void KeyboardKeyPage::ArmCapture(bool armed) {
  if (capture_ == nullptr) return;
  if (capturing_) capture_->RemoveAll();
  capturing_ = armed && capture_->Install(CaptureMode::kKeyboardSingleKey, true, false);
}

std::optional<KeyAssignment> KeyboardKeyPage::PendingFromPanel() const {
  const FunctionPanel panel = kCategories[static_cast<std::size_t>(category_)];
  if (panel == FunctionPanel::kDefault) return keyboard_.state().defaults.Assignment(*selected_);
  if (panel == FunctionPanel::kCapturedKey) {
    const Control* edit = window_.Find(kCapturedKeyEdit);
    if (edit == nullptr || edit->RawText().empty()) return std::nullopt;
    return captured_;
  }
  return panel_.Read(panel);
}

void KeyboardKeyPage::Store() {
  if (showing_ || !selected_slot_) return;
  const std::optional<KeyAssignment> assignment = PendingFromPanel();
  if (!assignment) return;
  pending_ = *assignment;
  (void)SetAssignmentOfSlot(keyboard_.state(), *selected_slot_, pending_);
  RefreshKeyTips();
}

void KeyboardKeyPage::ReceiveCapturedKeys(HookReceivers& receivers) {
  receivers.Set(kMessageKeyboardSingleKey, [this](std::intptr_t /*wparam*/, std::intptr_t lparam) {
    TakeCapturedKey(CapturedKey::FromParam(lparam));
  });
}

void KeyboardKeyPage::TakeCapturedKey(CapturedKey key) {
  if (!capturing_ || !selected_slot_) return;
  const KeyRow* row = FindKey(HookedVirtualKey(key.virtual_key, key.flags));
  if (row == nullptr || row->type != assignment_type::kKey) return;
  if (Control* edit = window_.Find(kCapturedKeyEdit)) edit->SetText(row->id);
  captured_ = row->Assignment();
  Store();
}

void KeyboardKeyPage::RestoreDefault() {
  if (!selected_slot_) return;
  (void)RestoreDefaultOfSlot(keyboard_.state(), *selected_slot_);
  SelectKey(*selected_slot_);
  RefreshKeyTips();
}

}  // namespace vandrel
