#include "ui/control.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "core/decimal.h"
#include "ui/colour.h"
#include "ui/transaction.h"
#include "ui/window_model.h"

namespace vandrel {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsTrue(std::string_view value) { return EqualsIgnoringCase(value, "true") || value == "1"; }

void SetColour(std::uint32_t& field, std::string_view value) {
  if (const std::optional<std::uint32_t> colour = ParseColour(value)) field = *colour;
}

int ClampByte(int value) { return std::clamp(value, 0, 255); }

// Skin attributes that have a field of their own, and the change each one makes.
struct AttributeField {
  std::string_view name;
  Property property;
  void (*apply)(ControlState& state, std::string_view value);
};

constexpr std::array kAttributeFields = {
    AttributeField{"text", Property::kText,
                   [](ControlState& s, std::string_view v) { s.text = v; }},
    AttributeField{"tooltip", Property::kText,
                   [](ControlState& s, std::string_view v) { s.tooltip = v; }},
    AttributeField{"resourcetext", Property::kText,
                   [](ControlState& s, std::string_view v) { s.resource_text = IsTrue(v); }},
    AttributeField{"visible", Property::kVisible,
                   [](ControlState& s, std::string_view v) { s.visible = IsTrue(v); }},
    AttributeField{"enabled", Property::kEnabled,
                   [](ControlState& s, std::string_view v) { s.enabled = IsTrue(v); }},
    AttributeField{"userdata", Property::kUserData,
                   [](ControlState& s, std::string_view v) { s.user_data = v; }},
    AttributeField{"bkcolor", Property::kLook,
                   [](ControlState& s, std::string_view v) { SetColour(s.background_colour, v); }},
    AttributeField{"bkimage", Property::kLook,
                   [](ControlState& s, std::string_view v) { s.background_image = v; }},
    AttributeField{"bordercolor", Property::kLook,
                   [](ControlState& s, std::string_view v) { SetColour(s.border_colour, v); }},
    AttributeField{"bordersize", Property::kLook,
                   [](ControlState& s, std::string_view v) {
                     s.border_size = std::max(0, ParseDecimalPrefix(v));
                   }},
    AttributeField{"normalimage", Property::kLook,
                   [](ControlState& s, std::string_view v) { s.normal_image = v; }},
    AttributeField{"hotimage", Property::kLook,
                   [](ControlState& s, std::string_view v) { s.hot_image = v; }},
    AttributeField{"forecolor", Property::kLook,
                   [](ControlState& s, std::string_view v) { SetColour(s.fore_colour, v); }},
    AttributeField{"tintcolor", Property::kLook,
                   [](ControlState& s, std::string_view v) { SetColour(s.tint_colour, v); }},
    AttributeField{"tintalpha", Property::kLook,
                   [](ControlState& s, std::string_view v) {
                     s.tint_alpha = ClampByte(ParseDecimalPrefix(v));
                   }},
    AttributeField{"group", Property::kSelected,
                   [](ControlState& s, std::string_view v) { s.group = v; }},
    AttributeField{"selected", Property::kSelected,
                   [](ControlState& s, std::string_view v) { s.selected = IsTrue(v); }},
    AttributeField{"lightimage", Property::kLook,
                   [](ControlState& s, std::string_view v) { s.light_image = v; }},
    AttributeField{"keysetimage", Property::kLook,
                   [](ControlState& s, std::string_view v) { s.key_set_image = v; }},
    AttributeField{"selectedcolor", Property::kColour,
                   [](ControlState& s, std::string_view v) { SetColour(s.selected_colour, v); }},
};

}  // namespace

ListItem ListItem::OfText(std::string text, bool resource_text) {
  ListItem item;
  item.cells.push_back({std::move(text), resource_text, {}});
  return item;
}

bool IsButtonKind(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kOption ||
         kind == ControlKind::kCheckBox || kind == ControlKind::kDeviceKeyButton;
}

bool HasRange(ControlKind kind) {
  return kind == ControlKind::kSlider || kind == ControlKind::kProgress ||
         kind == ControlKind::kCircleProgress;
}

bool HasItems(ControlKind kind) {
  return kind == ControlKind::kCombo || kind == ControlKind::kList;
}

Control::Control(WindowModel& window, Control* parent, ControlKind kind, std::string name)
    : kind_(kind), name_(std::move(name)), window_(window), parent_(parent) {}

std::vector<Control*> Control::Children() const {
  std::lock_guard lock(window_.mutex_);
  return children_;
}

ControlState Control::State() const {
  std::lock_guard lock(window_.mutex_);
  return state_;
}

std::string Control::Resolve(const std::string& text, bool resource_text) const {
  return resource_text ? window_.Texts().Lookup(text) : text;
}

std::string Control::Text() const {
  std::unique_lock lock(window_.mutex_);
  std::string text = state_.text;
  const bool resource = state_.resource_text;
  lock.unlock();
  return Resolve(text, resource);
}

std::string Control::RawText() const { return Read(&ControlState::text); }
void Control::SetText(std::string_view text) {
  Write(&ControlState::text, std::string(text), Property::kText);
}
bool Control::IsResourceText() const { return Read(&ControlState::resource_text); }
void Control::SetResourceText(bool on) { Write(&ControlState::resource_text, on, Property::kText); }

std::string Control::Tooltip() const {
  std::unique_lock lock(window_.mutex_);
  std::string tooltip = state_.tooltip;
  const bool resource = state_.resource_text;
  lock.unlock();
  return Resolve(tooltip, resource);
}

void Control::SetTooltip(std::string_view tooltip) {
  Write(&ControlState::tooltip, std::string(tooltip), Property::kText);
}

bool Control::IsVisible() const { return Read(&ControlState::visible); }
bool Control::IsShown() const {
  std::lock_guard lock(window_.mutex_);
  return window_.IsShownLocked(*this);
}
void Control::SetVisible(bool visible) {
  Write(&ControlState::visible, visible, Property::kVisible);
}
bool Control::IsEnabled() const { return Read(&ControlState::enabled); }
void Control::SetEnabled(bool enabled) {
  Write(&ControlState::enabled, enabled, Property::kEnabled);
}
bool Control::IsInputEnabled() const { return Read(&ControlState::input_enabled); }
void Control::SetInputEnabled(bool enabled) {
  Write(&ControlState::input_enabled, enabled, Property::kEnabled);
}

std::string Control::UserData() const { return Read(&ControlState::user_data); }
void Control::SetUserData(std::string_view data) {
  Write(&ControlState::user_data, std::string(data), Property::kUserData);
}

std::uint32_t Control::BackgroundColour() const { return Read(&ControlState::background_colour); }
void Control::SetBackgroundColour(std::uint32_t argb) {
  Write(&ControlState::background_colour, argb, Property::kLook);
}
std::string Control::BackgroundImage() const { return Read(&ControlState::background_image); }
void Control::SetBackgroundImage(std::string_view image) {
  Write(&ControlState::background_image, std::string(image), Property::kLook);
}
std::uint32_t Control::BorderColour() const { return Read(&ControlState::border_colour); }
void Control::SetBorderColour(std::uint32_t argb) {
  Write(&ControlState::border_colour, argb, Property::kLook);
}
int Control::BorderSize() const { return Read(&ControlState::border_size); }
void Control::SetBorderSize(int pixels) {
  Write(&ControlState::border_size, std::max(0, pixels), Property::kLook);
}
std::string Control::NormalImage() const { return Read(&ControlState::normal_image); }
void Control::SetNormalImage(std::string_view image) {
  Write(&ControlState::normal_image, std::string(image), Property::kLook);
}
std::string Control::HotImage() const { return Read(&ControlState::hot_image); }
void Control::SetHotImage(std::string_view image) {
  Write(&ControlState::hot_image, std::string(image), Property::kLook);
}
std::uint32_t Control::TintColour() const { return Read(&ControlState::tint_colour); }
void Control::SetTintColour(std::uint32_t argb) {
  Write(&ControlState::tint_colour, argb, Property::kLook);
}
int Control::TintAlpha() const { return Read(&ControlState::tint_alpha); }
void Control::SetTintAlpha(int alpha) {
  Write(&ControlState::tint_alpha, ClampByte(alpha), Property::kLook);
}
std::uint32_t Control::ForeColour() const { return Read(&ControlState::fore_colour); }
void Control::SetForeColour(std::uint32_t argb) {
  Write(&ControlState::fore_colour, argb, Property::kLook);
}

void Control::SetAttribute(std::string_view name, std::string_view value) {
  WindowModel::Transaction transaction(window_);
  for (const AttributeField& field : kAttributeFields) {
    if (!EqualsIgnoringCase(field.name, name)) continue;
    field.apply(state_, value);
    transaction.Changed(*this, field.property);
    return;
  }
  state_.attributes[Lowercase(name)] = value;
  transaction.Changed(*this, Property::kLook);
}

std::string Control::Attribute(std::string_view name) const {
  std::lock_guard lock(window_.mutex_);
  const auto found = state_.attributes.find(Lowercase(name));
  return found == state_.attributes.end() ? std::string() : found->second;
}

}  // namespace vandrel
