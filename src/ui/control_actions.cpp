// The kind-specific operations of Control: what a user's click, selection, typing and dragging
// do to the model and which notifications they raise.
#include <algorithm>
#include <utility>

#include "ui/control.h"
#include "ui/transaction.h"
#include "ui/window_model.h"

namespace vandrel {
namespace {

bool IsSelectable(ControlKind kind) {
  return kind == ControlKind::kOption || kind == ControlKind::kCheckBox;
}

bool InRange(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

void Control::Click() {
  WindowModel::Transaction transaction(window_);
  if (!IsButtonKind(kind_) || !state_.enabled || !state_.input_enabled) return;
  transaction.Raise({notify::kClick, this});
  if (!IsSelectable(kind_)) return;
  // An option of a group becomes selected; a check box or an ungrouped option toggles.
  const bool grouped = kind_ == ControlKind::kOption && !state_.group.empty();
  const bool selected = grouped ? true : !state_.selected;
  if (selected == state_.selected) return;
  state_.selected = selected;
  if (selected) window_.UnselectGroupLocked(*this, transaction);
  transaction.Changed(*this, Property::kSelected);
  transaction.Raise({notify::kSelectChanged, this});
}

void Control::MouseEnter() {
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kMouseEnter, this});
}

void Control::MouseLeave() {
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kMouseLeave, this});
}

void Control::SetFocus(Notify notify) {
  WindowModel::Transaction transaction(window_);
  window_.MoveFocusLocked(this, notify, transaction);
}

bool Control::HasFocus() const {
  std::lock_guard lock(window_.mutex_);
  return window_.focused_ == this;
}

bool Control::IsSelected() const { return Read(&ControlState::selected); }

bool Control::SetSelected(bool selected, Notify notify) {
  WindowModel::Transaction transaction(window_);
  if (!IsSelectable(kind_)) return false;
  if (state_.selected == selected) return true;
  state_.selected = selected;
  if (selected) window_.UnselectGroupLocked(*this, transaction);
  transaction.Changed(*this, Property::kSelected);
  if (notify == Notify::kYes) transaction.Raise({notify::kSelectChanged, this});
  return true;
}

std::string Control::Group() const { return Read(&ControlState::group); }

void Control::Type(std::string_view text) {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kEdit) return;
  if (state_.text != text) {
    state_.text = text;
    transaction.Changed(*this, Property::kText);
  }
  transaction.Raise({notify::kTextChanged, this});
}

void Control::SetSelection(int start, int end) {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kEdit) return;
  state_.selection_start = start;
  state_.selection_end = end;
  transaction.Changed(*this, Property::kSelection);
}

std::pair<int, int> Control::Selection() const {
  std::lock_guard lock(window_.mutex_);
  return {state_.selection_start, state_.selection_end};
}

int Control::Minimum() const { return Read(&ControlState::minimum); }
int Control::Maximum() const { return Read(&ControlState::maximum); }
int Control::Value() const { return Read(&ControlState::value); }

void Control::SetRange(int minimum, int maximum) {
  WindowModel::Transaction transaction(window_);
  if (!HasRange(kind_)) return;
  state_.minimum = std::min(minimum, maximum);
  state_.maximum = std::max(minimum, maximum);
  state_.value = std::clamp(state_.value, state_.minimum, state_.maximum);
  transaction.Changed(*this, Property::kRange);
}

void Control::SetValue(int value) {
  WindowModel::Transaction transaction(window_);
  if (!HasRange(kind_)) return;
  const int clamped = std::clamp(value, state_.minimum, state_.maximum);
  if (clamped == state_.value) return;
  state_.value = clamped;
  transaction.Changed(*this, Property::kRange);
}

void Control::MoveSlider(int value) {
  SetValue(value);
  if (kind_ != ControlKind::kSlider) return;
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kMoveValueChanged, this});
}

void Control::ReleaseSlider(int value) {
  SetValue(value);
  if (kind_ != ControlKind::kSlider) return;
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kValueChanged, this});
}

int Control::ItemCount() const {
  std::lock_guard lock(window_.mutex_);
  return static_cast<int>(state_.items.size());
}

std::vector<ListItem> Control::Items() const { return Read(&ControlState::items); }

ListItem Control::Item(int index) const {
  std::lock_guard lock(window_.mutex_);
  if (!InRange(index, state_.items.size())) return {};
  return state_.items[static_cast<std::size_t>(index)];
}

std::string Control::ItemText(int index) const {
  const ListItem item = Item(index);
  if (item.cells.empty()) return {};
  return Resolve(item.cells.front().text, item.cells.front().resource_text);
}

void Control::AddItem(ListItem item) {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_)) return;
  state_.items.push_back(std::move(item));
  transaction.Changed(*this, Property::kItems);
}

bool Control::InsertItem(int index, ListItem item) {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_) || !InRange(index, state_.items.size() + 1)) return false;
  state_.items.insert(state_.items.begin() + index, std::move(item));
  transaction.Changed(*this, Property::kItems);
  if (state_.current >= index) {
    ++state_.current;
    transaction.Changed(*this, Property::kCurrent);
  }
  return true;
}

bool Control::SetItem(int index, ListItem item) {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_) || !InRange(index, state_.items.size())) return false;
  state_.items[static_cast<std::size_t>(index)] = std::move(item);
  transaction.Changed(*this, Property::kItems);
  return true;
}

bool Control::RemoveItem(int index) {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_) || !InRange(index, state_.items.size())) return false;
  state_.items.erase(state_.items.begin() + index);
  state_.scrolled_to = std::min(state_.scrolled_to, static_cast<int>(state_.items.size()) - 1);
  transaction.Changed(*this, Property::kItems);
  if (state_.current >= index) {
    state_.current = state_.current == index ? -1 : state_.current - 1;
    transaction.Changed(*this, Property::kCurrent);
  }
  return true;
}

void Control::RemoveAllItems() {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_)) return;
  state_.items.clear();
  state_.current = -1;
  state_.scrolled_to = -1;
  transaction.Changed(*this, Property::kItems);
  transaction.Changed(*this, Property::kCurrent);
}

int Control::CurrentIndex() const { return Read(&ControlState::current); }

bool Control::SelectItem(int index, Notify notify) {
  WindowModel::Transaction transaction(window_);
  if (!HasItems(kind_)) return false;
  if (index != -1 && !InRange(index, state_.items.size())) return false;
  const int previous = state_.current;
  if (index == previous) return true;
  state_.current = index;
  transaction.Changed(*this, Property::kCurrent);
  if (notify == Notify::kYes) transaction.Raise({notify::kItemSelect, this, index, previous});
  return true;
}

bool Control::ClickItem(int index) {
  if (!IsEnabled() || !IsInputEnabled()) return false;
  if (!SelectItem(index, Notify::kYes) || index == -1) return false;
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kItemClick, this, index, -1});
  return true;
}

void Control::ScrollToEnd() {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kList || state_.items.empty()) return;
  state_.scrolled_to = static_cast<int>(state_.items.size()) - 1;
  transaction.Changed(*this, Property::kScroll);
}

int Control::ScrolledTo() const { return Read(&ControlState::scrolled_to); }

int Control::CurrentPage() const { return kind_ == ControlKind::kTabLayout ? CurrentIndex() : -1; }

bool Control::SelectPage(int index) {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kTabLayout || !InRange(index, children_.size())) return false;
  if (state_.current != index) {
    state_.current = index;
    transaction.Changed(*this, Property::kCurrent);
  }
  return true;
}

std::uint32_t Control::SelectedColour() const { return Read(&ControlState::selected_colour); }

void Control::SetSelectedColour(std::uint32_t argb) {
  if (kind_ != ControlKind::kColourPalette) return;
  Write(&ControlState::selected_colour, argb, Property::kColour);
}

void Control::PickColour(std::uint32_t argb) {
  if (kind_ != ControlKind::kColourPalette) return;
  SetSelectedColour(argb);
  WindowModel::Transaction transaction(window_);
  transaction.Raise({notify::kColorChanged, this});
}

bool Control::IsLightOn() const { return Read(&ControlState::light_on); }
void Control::SetLightOn(bool on) { Write(&ControlState::light_on, on, Property::kLight); }
std::uint32_t Control::LightColour() const { return Read(&ControlState::light_colour); }
void Control::SetLightColour(std::uint32_t colour) {
  Write(&ControlState::light_colour, colour, Property::kLight);
}
int Control::LightAlpha() const { return Read(&ControlState::light_alpha); }
void Control::SetLightAlpha(int alpha) {
  Write(&ControlState::light_alpha, std::clamp(alpha, 0, 255), Property::kLight);
}
void Control::SetLight(bool on, std::uint32_t colour, int alpha) {
  WindowModel::Transaction transaction(window_);
  alpha = std::clamp(alpha, 0, 255);
  if (state_.light_on == on && state_.light_colour == colour && state_.light_alpha == alpha) return;
  state_.light_on = on;
  state_.light_colour = colour;
  state_.light_alpha = alpha;
  transaction.Changed(*this, Property::kLight);
}
Control::Light Control::LightNow() const {
  std::lock_guard lock(window_.mutex_);
  return {state_.light_on, state_.light_colour, state_.light_alpha};
}
std::string Control::LightImage() const { return Read(&ControlState::light_image); }
std::string Control::KeySetImage() const { return Read(&ControlState::key_set_image); }

std::vector<ChartItem> Control::ChartItems() const { return Read(&ControlState::chart_items); }

void Control::AddChartItem(ChartItem item) {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kChart) return;
  state_.chart_items.push_back(std::move(item));
  transaction.Changed(*this, Property::kChart);
}

void Control::SetChartItems(std::vector<ChartItem> items) {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kChart || state_.chart_items == items) return;
  state_.chart_items = std::move(items);
  transaction.Changed(*this, Property::kChart);
}

void Control::RemoveAllChartItems() {
  WindowModel::Transaction transaction(window_);
  if (kind_ != ControlKind::kChart) return;
  state_.chart_items.clear();
  transaction.Changed(*this, Property::kChart);
}

}  // namespace vandrel
