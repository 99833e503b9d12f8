#include "mouse/button_page.h"

#include <array>
#include <string_view>

#include "app/window_messages.h"
#include "core/decimal.h"
#include "macro/key_table.h"
#include "mouse/button_panels.h"

namespace vandrel {
namespace {

namespace type = assignment_type;

constexpr std::string_view kPrefix = "ms_key_";
constexpr std::string_view kCategoryCombo = "ms_key_fct_combo";
constexpr std::string_view kFunctionPanel = "ms_tab_function";
constexpr std::string_view kCapturedKeyEdit = "ms_key_fct_edit_21";
constexpr std::string_view kMacroPicker = "ms_key_fct_combo_23";
constexpr std::string_view kRepeatCombo = "ms_key_fct_combo_24";
constexpr std::string_view kRepeatCountPanel = "ms_tab_function_26";
constexpr std::string_view kRepeatCountEdit = "ms_key_fct_edit_25";
constexpr KeyAssignment kLeftClick = {type::kMouseButton, 0x01, 0};

// The picture of each button's area, as "ms/key_<name>_normal.png" and "…_down.png".
constexpr std::array<std::string_view, kMouseButtonCount> kPictures = {
    "left", "wheel", "right", "forward", "back", "dpi", "dpi1", "7", "8"};

// The tilt and wheel panels: direction combo, value edit, upper and lower nibble edits.
struct ScrollPanel {
  std::string_view direction, value, high, low;
};
constexpr ScrollPanel kTiltPanel = {"ms_key_fct_combo_12", "ms_key_fct_edit_15",
                                    "ms_key_fct_edit_17", "ms_key_fct_edit_20"};
constexpr ScrollPanel kWheelPanel = {"ms_key_fct_combo_13", "ms_key_fct_edit_16",
                                     "ms_key_fct_edit_18", "ms_key_fct_edit_19"};

const ScrollPanel& ScrollPanelOf(int category) {
  return category == kCategoryTilt ? kTiltPanel : kWheelPanel;
}

// The button number of "ms_key_<n>"; nullopt for the other controls of the family.
std::optional<int> ButtonOf(std::string_view name) {
  if (!name.starts_with(kPrefix)) return std::nullopt;
  const std::string_view number = name.substr(kPrefix.size());
  if (number.size() != 1 || number[0] < '0' || number[0] > '8') return std::nullopt;
  return number[0] - '0';
}

void SetShown(const WindowModel& window, std::string_view name, bool shown) {
  if (Control* control = window.Find(name)) control->SetVisible(shown);
}

std::string Picture(int button, bool hot) {
  return "file='ms/key_" + std::string(kPictures[static_cast<std::size_t>(button)]) +
         (hot ? "_down.png'" : "_normal.png'");
}

}  // namespace

MouseButtonPage::MouseButtonPage(WindowModel& window, MouseState& state, Dialogs& dialogs,
                                 ButtonPageLinks links)
    : window_(window), state_(state), dialogs_(dialogs), links_(std::move(links)) {}

MouseKeyTable& MouseButtonPage::Image() { return state_.ActiveKeys(); }

const MouseKeyTable& MouseButtonPage::Image() const { return state_.ActiveKeys(); }

KeyAssignment MouseButtonPage::Default(int button) const {
  return state_.defaults.Assignment(button);
}

void MouseButtonPage::RefreshButtonTexts() {
  for (int button = 0; button < kMouseButtonCount; ++button) {
    Control* option = window_.Find(std::string(kPrefix) + std::to_string(button));
    if (option == nullptr) continue;
    const AssignmentLabel label = AssignmentText(Image().Assignment(button), links_.macro_name,
                                                 AssignmentHolder::kMouseButton);
    option->SetResourceText(label.resource_text);
    if (!label.text) continue;
    option->SetText(*label.text);
    option->SetTooltip(*label.text);
  }
}

void MouseButtonPage::Refresh() {
  RefreshButtonTexts();
  SelectButton(selected_, /*by_user=*/false);
}

bool MouseButtonPage::Handle(const Notification& n) {
  const std::string& name = n.sender->Name();
  if (const std::optional<int> button = ButtonOf(name)) return HandleButton(n, *button);
  if (n.type == notify::kClick) {
    if (name == "ms_key_butt_keysave")
      Store();
    else if (name == "ms_key_butt_keydefalut")
      RestoreDefault();
    else if (name == "ms_key_butt_prosave")
      Download();
    else
      return false;
    return true;
  }
  if (n.type == notify::kTextChanged && name.starts_with("ms_key_fct_edit_")) {
    CorrectAndStore(*n.sender);
    return true;
  }
  if (n.type != notify::kItemSelect || !name.starts_with("ms_key_fct_combo")) return false;
  if (name == kCategoryCombo) {
    if (n.index >= 0) ChooseCategory(n.index);
  } else {
    Store();
  }
  return true;
}

bool MouseButtonPage::HandleButton(const Notification& n, int button) {
  if (n.type == notify::kSelectChanged) {
    if (n.sender->IsSelected()) SelectButton(button, /*by_user=*/true);
    return true;
  }
  const bool enter = n.type == notify::kMouseEnter;
  if (!enter && n.type != notify::kMouseLeave) return false;
  // The selected button stays hot when the pointer leaves it.
  ShowPicture(button, enter || button == selected_);
  return true;
}

void MouseButtonPage::ShowPicture(int button, bool hot) {
  if (Control* area = window_.Find(std::string(kPrefix) + std::to_string(button) + "_0")) {
    area->SetBackgroundImage(Picture(button, hot));
  }
}

bool MouseButtonPage::IsLastLeftClick(int button) const {
  const MouseKeyTable& image = Image();
  if (image.Assignment(button) != kLeftClick) return false;
  for (int other = 0; other < kMouseButtonCount; ++other) {
    if (other != button && image.Assignment(other) == kLeftClick) return false;
  }
  return true;
}

void MouseButtonPage::SelectButton(int button, bool by_user) {
  selected_ = button;
  pending_ = Image().Assignment(button);
  for (int other = 0; other < kMouseButtonCount; ++other) ShowPicture(other, other == button);
  const bool locked = IsLastLeftClick(button);
  // A refresh after a read only disables the panel: the refusal is said when a user asks.
  if (locked && by_user) (void)dialogs_.ShowMessage(&window_, "message_text_6", true);
  if (Control* combo = window_.Find(kCategoryCombo)) combo->SetEnabled(!locked);
  if (Control* panel = window_.Find(kFunctionPanel)) {
    panel->SetEnabled(!locked);
    if (!locked) panel->SetVisible(true);
  }
  showing_ = true;
  ShowAssignment(pending_);
  showing_ = false;
}

std::optional<int> MouseButtonPage::CategoryOf(const KeyAssignment& assignment) const {
  // The last left click names its function even when it is the factory one: the disabled panel
  // then says why it cannot change.
  if (assignment == Default(selected_) && !IsLastLeftClick(selected_)) return kCategoryDefault;
  return CategoryShowing(assignment);
}

void MouseButtonPage::ShowAssignment(const KeyAssignment& assignment) {
  const std::optional<int> category = CategoryOf(assignment);
  if (!category) return;
  ChooseCategory(*category);
  if (Control* combo = window_.Find(kCategoryCombo)) combo->SelectItem(*category, Notify::kNo);
  const ButtonCategory& shown = ButtonCategoryAt(*category);
  if (*category == kCategoryDefault) return;
  if (!shown.list.empty()) {
    if (Control* list = window_.Find(shown.list)) {
      list->SelectItem(ListItemOf(shown, assignment).value_or(-1), Notify::kNo);
    }
  } else if (*category == kCategoryTilt || *category == kCategoryWheel) {
    ShowScroll(*category, assignment);
  } else if (*category == kCategoryFire) {
    SetEditText("ms_key_fct_edit_11", std::to_string(assignment.param1));
    SetEditText("ms_key_fct_edit_12", std::to_string(assignment.param2));
  } else if (*category == kCategoryCapturedKey) {
    const KeyRow* row = FindDisplayRow(assignment.param1, assignment.param2);
    SetEditText(kCapturedKeyEdit, row != nullptr ? std::string(row->id) : std::string());
  } else if (*category == kCategoryMacro) {
    ShowMacro(assignment);
  }
}

void MouseButtonPage::ShowScroll(int category, const KeyAssignment& assignment) {
  const ScrollPanel& panel = ScrollPanelOf(category);
  if (Control* direction = window_.Find(panel.direction)) {
    direction->SelectItem((assignment.param2 & 0x80) != 0 ? 1 : 0, Notify::kNo);
  }
  SetEditText(panel.value, std::to_string(assignment.param2 & 0x7F));
  SetEditText(panel.high, std::to_string(assignment.param1 >> 4));
  SetEditText(panel.low, std::to_string(assignment.param1 & 0x0F));
}

void MouseButtonPage::ShowMacro(const KeyAssignment& assignment) {
  if (Control* picker = window_.Find(kMacroPicker)) {
    picker->SelectItem(assignment.param1 < picker->ItemCount() ? assignment.param1 : -1,
                       Notify::kNo);
  }
  const bool counted = assignment.type == type::kMacroCount;
  if (Control* repeat = window_.Find(kRepeatCombo)) {
    repeat->SelectItem(counted ? kRepeatCounted : assignment.param2, Notify::kNo);
  }
  if (counted) SetEditText(kRepeatCountEdit, std::to_string(assignment.param2));
  SetShown(window_, kRepeatCountPanel, counted);
}

void MouseButtonPage::ChooseCategory(int item) {
  if (item >= kButtonCategoryCount) return;
  if (capture_ != nullptr) capture_->RemoveAll();
  ShowCategory(item);
  category_ = item;
  if (item == kCategoryCapturedKey && capture_ != nullptr) {
    (void)capture_->Install(CaptureMode::kMouseSingleKey, /*keyboard=*/true, /*mouse=*/false);
  }
  Store();
}

void MouseButtonPage::ShowCategory(int item) {
  for (int panel = 0; panel < kButtonCategoryCount; ++panel) {
    SetShown(window_, std::string(kFunctionPanel) + "_" + std::to_string(panel), false);
  }
  SetShown(window_, std::string(kFunctionPanel) + "_" + std::to_string(item), true);
}

void MouseButtonPage::Store() {
  if (showing_ || category_ == kNoCategory || IsLastLeftClick(selected_)) return;
  const std::optional<KeyAssignment> assignment = PanelAssignment();
  if (category_ == kCategoryMacro) {
    SetShown(window_, kRepeatCountPanel, Current(kRepeatCombo) == kRepeatCounted);
  }
  if (!assignment) return;
  pending_ = *assignment;
  Image().SetAssignment(selected_, pending_);
  RefreshButtonTexts();
}

std::optional<KeyAssignment> MouseButtonPage::PanelAssignment() const {
  const ButtonCategory& category = ButtonCategoryAt(category_);
  switch (category_) {
    case kCategoryDefault:
      return Default(selected_);
    case kCategoryTilt:
    case kCategoryWheel: {
      const ScrollPanel& panel = ScrollPanelOf(category_);
      return ScrollAssignment(category.type, Current(panel.direction), EditValue(panel.value),
                              EditValue(panel.high), EditValue(panel.low));
    }
    case kCategoryFire:
      return KeyAssignment{type::kFire, static_cast<std::uint8_t>(EditValue("ms_key_fct_edit_11")),
                           static_cast<std::uint8_t>(EditValue("ms_key_fct_edit_12"))};
    case kCategoryCapturedKey: {
      const Control* edit = window_.Find(kCapturedKeyEdit);
      if (edit == nullptr || edit->RawText().empty() || pending_.type != type::kKey) {
        return std::nullopt;
      }
      return pending_;
    }
    case kCategoryMacro:
      return MacroAssignment();
    default:
      break;
  }
  const int item = Current(category.list);
  if (item < 0 || item >= static_cast<int>(category.items.size())) return std::nullopt;
  return category.items[static_cast<std::size_t>(item)].assignment;
}

std::optional<KeyAssignment> MouseButtonPage::MacroAssignment() const {
  const int macro = Current(kMacroPicker);
  const int repeat = Current(kRepeatCombo);
  if (macro < 0) return std::nullopt;
  if (repeat == kRepeatCounted) {
    return KeyAssignment{type::kMacroCount, static_cast<std::uint8_t>(macro),
                         static_cast<std::uint8_t>(EditValue(kRepeatCountEdit))};
  }
  return KeyAssignment{type::kMacro, static_cast<std::uint8_t>(macro),
                       static_cast<std::uint8_t>(repeat < 0 ? 0 : repeat)};
}

void MouseButtonPage::CorrectAndStore(Control& edit) {
  if (const std::optional<std::string> corrected = CorrectedEditText(edit.Name(), edit.Text())) {
    edit.SetText(*corrected);
    edit.SetSelection(-1, -1);
  }
  if (edit.Name() != kCapturedKeyEdit) Store();
}

void MouseButtonPage::TakeCapturedKey(std::intptr_t /*wparam*/, std::intptr_t lparam) {
  const CapturedKey key = CapturedKey::FromParam(lparam);
  const KeyRow* row = FindKey(HookedVirtualKey(key.virtual_key, key.flags));
  if (row == nullptr || row->type != type::kKey) return;
  SetEditText(kCapturedKeyEdit, std::string(row->id));
  pending_ = row->Assignment();
  Store();
}

void MouseButtonPage::RestoreDefault() {
  // The mouse keeps a left click somewhere: the last one is not given back to its factory
  // function either.
  if (IsLastLeftClick(selected_) && Default(selected_) != kLeftClick) {
    (void)dialogs_.ShowMessage(&window_, "message_text_6", true);
    return;
  }
  pending_ = Default(selected_);
  Image().SetAssignment(selected_, pending_);
  RefreshButtonTexts();
  SelectButton(selected_, /*by_user=*/true);
}

// The indicator shows from the start of the job to a moment after its end.
void MouseButtonPage::Download() {
  if (!links_.download) return;
  const bool started = links_.download([this](const DownloadResult& result) {
    if (links_.post) links_.post(kMessageHideProgressLater);
    ReportDownload(result);
  });
  if (started && links_.post) links_.post(kMessageShowProgress);
}

void MouseButtonPage::ShowDownloadRunning(bool running) {
  if (Control* button = window_.Find("ms_key_butt_prosave")) button->SetEnabled(!running);
}

void MouseButtonPage::ReportDownload(const DownloadResult& result) {
  switch (result.outcome) {
    case DownloadOutcome::kDone:
      return;
    case DownloadOutcome::kTooLong:
      (void)ShowFormattedMessage(dialogs_, window_, "message_text_16",
                                 result.steps_over.value_or(0));
      return;
    case DownloadOutcome::kImageFailed:
    case DownloadOutcome::kKeyPageFailed:
      (void)dialogs_.ShowMessage(&window_, "ms_key_download_failed", true);
      return;
  }
}

int MouseButtonPage::Current(std::string_view combo) const {
  const Control* control = window_.Find(combo);
  return control != nullptr ? control->CurrentIndex() : -1;
}

int MouseButtonPage::EditValue(std::string_view edit) const {
  const Control* control = window_.Find(edit);
  return control != nullptr ? ParseDecimalPrefix(control->Text()) : 0;
}

void MouseButtonPage::SetEditText(std::string_view edit, const std::string& text) {
  if (Control* control = window_.Find(edit)) control->SetText(text);
}

}  // namespace vandrel
