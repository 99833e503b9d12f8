#include "mouse/assignment_panel.h"

#include <algorithm>
#include <span>

#include "core/decimal.h"
#include "mouse/button_panels.h"
#include "mouse/function_lists.h"

namespace vandrel {
namespace {

namespace type = assignment_type;

// A list panel: its combo and the functions it offers, item for item.
struct ListPanel {
  FunctionPanel panel;
  int combo;
  std::span<const FunctionItem> (*items)();
};

constexpr ListPanel kListPanels[] = {
    {FunctionPanel::kMouseButton, 11, MouseButtonFunctions},
    {FunctionPanel::kDpi, 14, DpiFunctions},
    {FunctionPanel::kMultimedia, 21, MultimediaFunctions},
    {FunctionPanel::kSystem, 22, SystemFunctions},
    {FunctionPanel::kRecoil, 25, RecoilTableFunctions},
    {FunctionPanel::kCombination, 26, KeyCombinations},
};

// A tilt or wheel panel: its type, direction combo, value edit and the edits of the high and
// low nibble of param1.
struct DirectionalPanel {
  FunctionPanel panel;
  std::uint8_t type;
  int direction, value, high, low;
};

constexpr DirectionalPanel kDirectionalPanels[] = {
    {FunctionPanel::kTiltTurn, type::kTilt, 12, 15, 17, 20},
    {FunctionPanel::kWheelTurn, type::kWheel, 13, 16, 18, 19},
};

constexpr int kFireCountEdit = 11, kFireDelayEdit = 12, kMacroCombo = 23, kRepeatCombo = 24,
              kRepeatCountEdit = 25;
constexpr std::uint8_t kDirectionBit = 0x80;

const ListPanel* ListPanelOf(FunctionPanel panel) {
  for (const ListPanel& list : kListPanels) {
    if (list.panel == panel) return &list;
  }
  return nullptr;
}

const DirectionalPanel* DirectionalPanelOf(FunctionPanel panel) {
  for (const DirectionalPanel& directional : kDirectionalPanels) {
    if (directional.panel == panel) return &directional;
  }
  return nullptr;
}

// The number edits whose text is corrected before it is stored.
constexpr int kCorrectedEdits[] = {11, 12, 15, 16, 17, 18, 19, 20, 25};

std::optional<int> NumberAfter(std::string_view name, std::string_view family) {
  if (name.size() <= family.size() || name.substr(0, family.size()) != family) return std::nullopt;
  const std::string_view number = name.substr(family.size());
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return ParseDecimalPrefix(number);
}

}  // namespace

AssignmentPanel::AssignmentPanel(WindowModel& window, std::string prefix, ListMatch match)
    : window_(window), prefix_(std::move(prefix)), match_(match) {}

std::optional<KeyAssignment> AssignmentPanel::Read(FunctionPanel panel) const {
  if (const DirectionalPanel* directional = DirectionalPanelOf(panel)) {
    const bool second_direction = Selected(directional->direction) == 1;
    const auto param1 = static_cast<std::uint8_t>((EditValue(directional->high) << 4) |
                                                  (EditValue(directional->low) & 0x0F));
    const auto param2 = static_cast<std::uint8_t>(EditValue(directional->value) +
                                                  (second_direction ? kDirectionBit : 0));
    return KeyAssignment{directional->type, param1, param2};
  }
  if (panel == FunctionPanel::kFire) {
    return KeyAssignment{type::kFire, EditValue(kFireCountEdit), EditValue(kFireDelayEdit)};
  }
  if (panel == FunctionPanel::kMacro) return ReadMacro();
  return ReadList(panel);
}

std::optional<KeyAssignment> AssignmentPanel::ReadList(FunctionPanel panel) const {
  const ListPanel* list = ListPanelOf(panel);
  if (list == nullptr) return std::nullopt;
  const int index = Selected(list->combo);
  const std::span<const FunctionItem> items = list->items();
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return std::nullopt;
  return items[static_cast<std::size_t>(index)].assignment;
}

std::optional<KeyAssignment> AssignmentPanel::ReadMacro() const {
  const int macro = Selected(kMacroCombo);
  if (macro < 0) return std::nullopt;
  const int repeat = Selected(kRepeatCombo);
  if (repeat == kRepeatCounted) {
    return KeyAssignment{type::kMacroCount, static_cast<std::uint8_t>(macro),
                         EditValue(kRepeatCountEdit)};
  }
  return KeyAssignment{type::kMacro, static_cast<std::uint8_t>(macro),
                       static_cast<std::uint8_t>(std::max(repeat, 0))};
}

std::optional<FunctionPanel> AssignmentPanel::PanelOf(const KeyAssignment& assignment) {
  switch (assignment.type) {
    case type::kKeySingle:
    case type::kKey:
      return assignment.param1 != 0 && assignment.param2 != 0 ? FunctionPanel::kCombination
                                                              : FunctionPanel::kCapturedKey;
    case type::kMouseButton:
      return FunctionPanel::kMouseButton;
    case type::kTilt:
      return FunctionPanel::kTiltTurn;
    case type::kWheel:
      return FunctionPanel::kWheelTurn;
    case type::kDpi:
      return FunctionPanel::kDpi;
    case type::kFire:
      return FunctionPanel::kFire;
    case type::kMultimediaAlt:
      return FunctionPanel::kMultimedia;
    case type::kSystem:
      return FunctionPanel::kSystem;
    case type::kMacro:
    case type::kMacroCount:
      return FunctionPanel::kMacro;
    case type::kRecoil:
      return FunctionPanel::kRecoil;
    default:
      return std::nullopt;
  }
}

void AssignmentPanel::Show(FunctionPanel panel, const KeyAssignment& assignment) {
  if (DirectionalPanelOf(panel) != nullptr) {
    ShowDirectional(panel, assignment);
  } else if (panel == FunctionPanel::kFire) {
    SetEdit(kFireCountEdit, assignment.param1);
    SetEdit(kFireDelayEdit, assignment.param2);
  } else if (panel == FunctionPanel::kMacro) {
    ShowMacro(assignment);
  } else {
    ShowListItem(panel, assignment);
  }
}

void AssignmentPanel::ShowDirectional(FunctionPanel panel, const KeyAssignment& assignment) {
  const DirectionalPanel& directional = *DirectionalPanelOf(panel);
  SetEdit(directional.value, assignment.param2 & 0x7F);
  SetEdit(directional.high, assignment.param1 >> 4);
  SetEdit(directional.low, assignment.param1 & 0x0F);
  SelectInCombo(directional.direction, (assignment.param2 & kDirectionBit) != 0 ? 1 : 0);
}

void AssignmentPanel::ShowMacro(const KeyAssignment& assignment) {
  const bool counted = assignment.type == type::kMacroCount;
  if (counted) SetEdit(kRepeatCountEdit, assignment.param2);
  const Control* macros = Combo(kMacroCombo);
  const bool listed = macros != nullptr && assignment.param1 < macros->ItemCount();
  SelectInCombo(kMacroCombo, listed ? assignment.param1 : -1);
  SelectInCombo(kRepeatCombo, counted ? kRepeatCounted : assignment.param2);
  ShowCountPanel();
}

void AssignmentPanel::ShowListItem(FunctionPanel panel, const KeyAssignment& assignment) {
  const ListPanel* list = ListPanelOf(panel);
  if (list == nullptr) return;
  const std::span<const FunctionItem> items = list->items();
  const FunctionItem* found = nullptr;
  if (panel == FunctionPanel::kRecoil) {
    if (assignment.param1 < items.size()) found = &items[assignment.param1];
  } else if (match_ == ListMatch::kParam1ForButtonsAndDpi &&
             (panel == FunctionPanel::kMouseButton || panel == FunctionPanel::kDpi)) {
    found = FindByParam1(items, assignment.param1);
  } else {
    found = FindByParams(items, assignment);
  }
  // No item holds it: the list names nothing rather than what it showed before.
  SelectInCombo(list->combo, found != nullptr ? static_cast<int>(found - items.data()) : -1);
}

void AssignmentPanel::ShowCountPanel() {
  if (Control* count = window_.Find(prefix_ + "tab_function_26")) {
    count->SetVisible(Selected(kRepeatCombo) == kRepeatCounted);
  }
}

bool AssignmentPanel::CorrectEdit(Control& edit) const {
  const std::optional<int> number = EditNumber(edit.Name());
  if (!number || std::find(std::begin(kCorrectedEdits), std::end(kCorrectedEdits), *number) ==
                     std::end(kCorrectedEdits)) {
    return false;
  }
  if (const std::optional<std::string> corrected = CorrectedEditText(edit.Name(), edit.Text())) {
    edit.SetText(*corrected);
    edit.SetSelection(-1, -1);
  }
  return true;
}

std::optional<int> AssignmentPanel::EditNumber(std::string_view name) const {
  return NumberAfter(name, prefix_ + "key_fct_edit_");
}

std::optional<int> AssignmentPanel::ComboNumber(std::string_view name) const {
  return NumberAfter(name, prefix_ + "key_fct_combo_");
}

Control* AssignmentPanel::Combo(int number) const {
  return window_.Find(prefix_ + "key_fct_combo_" + std::to_string(number));
}

Control* AssignmentPanel::Edit(int number) const {
  return window_.Find(prefix_ + "key_fct_edit_" + std::to_string(number));
}

int AssignmentPanel::Selected(int combo) const {
  const Control* control = Combo(combo);
  return control != nullptr ? control->CurrentIndex() : -1;
}

std::uint8_t AssignmentPanel::EditValue(int edit) const {
  const Control* control = Edit(edit);
  return control != nullptr ? static_cast<std::uint8_t>(ParseDecimalPrefix(control->Text())) : 0;
}

void AssignmentPanel::SetEdit(int edit, int value) {
  if (Control* control = Edit(edit)) control->SetText(std::to_string(value));
}

void AssignmentPanel::SelectInCombo(int combo, int index) {
  if (Control* control = Combo(combo)) (void)control->SelectItem(index, Notify::kYes);
}

}  // namespace vandrel
