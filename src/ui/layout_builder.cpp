// Builds control-model controls from Qt Designer .ui XML.
#include <array>
#include <optional>
#include <pugixml.hpp>
#include <string>

#include "core/decimal.h"
#include "core/trace.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxWidgetDepth = 64;
// Includes multiply: a few placeholders including each other eight deep would otherwise make
// millions of controls out of a small file.
constexpr int kMaxControls = 20000;

struct ClassKind {
  std::string_view widget_class;
  ControlKind kind;
};

constexpr std::array kClassKinds = {
    ClassKind{"QPushButton", ControlKind::kButton},
    ClassKind{"QToolButton", ControlKind::kButton},
    ClassKind{"QRadioButton", ControlKind::kOption},
    ClassKind{"QCheckBox", ControlKind::kCheckBox},
    ClassKind{"QLabel", ControlKind::kLabel},
    ClassKind{"QLineEdit", ControlKind::kEdit},
    ClassKind{"QComboBox", ControlKind::kCombo},
    ClassKind{"QSlider", ControlKind::kSlider},
    ClassKind{"QProgressBar", ControlKind::kProgress},
    ClassKind{"QStackedWidget", ControlKind::kTabLayout},
    ClassKind{"QListWidget", ControlKind::kList},
    ClassKind{"ColourPalette", ControlKind::kColourPalette},
    ClassKind{"DeviceKeyButton", ControlKind::kDeviceKeyButton},
    ClassKind{"CircleProgress", ControlKind::kCircleProgress},
    ClassKind{"WndHost", ControlKind::kHostedWindow},
    ClassKind{"ChartView", ControlKind::kChart},
};

ControlKind KindOfClass(std::string_view widget_class) {
  for (const ClassKind& entry : kClassKinds) {
    if (entry.widget_class == widget_class) return entry.kind;
  }
  return ControlKind::kContainer;
}

// The value of a <property>: the text of its one value element (<string>, <bool>, <number> …).
std::string_view PropertyValue(const pugi::xml_node property) {
  return property.first_child().text().as_string();
}

bool IsTrue(std::string_view value) { return value == "true" || value == "1"; }

// Properties that must wait until the children and items exist, or that come as a pair.
struct Deferred {
  std::optional<int> minimum, maximum, value, current;
};

// Standard Qt properties with a meaning in the model; others (geometry, sizes …) are the view's.
void ApplyStandardProperty(Control& control, std::string_view name, std::string_view value,
                           Deferred& deferred) {
  if (name == "text")
    control.SetText(value);
  else if (name == "toolTip")
    control.SetTooltip(value);
  else if (name == "enabled")
    control.SetEnabled(IsTrue(value));
  else if (name == "visible")
    control.SetVisible(IsTrue(value));
  else if (name == "checked")
    control.SetSelected(IsTrue(value), Notify::kNo);
  else if (name == "minimum")
    deferred.minimum = ParseDecimalPrefix(value);
  else if (name == "maximum")
    deferred.maximum = ParseDecimalPrefix(value);
  else if (name == "value")
    deferred.value = ParseDecimalPrefix(value);
  else if (name == "currentIndex")
    deferred.current = ParseDecimalPrefix(value);
}

void ApplyProperties(Control& control, const pugi::xml_node widget, Deferred& deferred) {
  for (const pugi::xml_node property : widget.children("property")) {
    const std::string_view name = property.attribute("name").as_string();
    const std::string_view value = PropertyValue(property);
    if (std::string_view(property.attribute("stdset").as_string()) == "0") {
      control.SetAttribute(name, value);
    } else {
      ApplyStandardProperty(control, name, value, deferred);
    }
  }
}

void AddItems(Control& control, const pugi::xml_node widget) {
  const bool resource_text = IsTrue(control.Attribute("itemresourcetext"));
  for (const pugi::xml_node item : widget.children("item")) {
    const pugi::xml_node text = item.find_child_by_attribute("property", "name", "text");
    control.AddItem(ListItem::OfText(std::string(PropertyValue(text)), resource_text));
  }
}

void ApplyDeferred(Control& control, const Deferred& deferred) {
  if (deferred.minimum || deferred.maximum) {
    control.SetRange(deferred.minimum.value_or(control.Minimum()),
                     deferred.maximum.value_or(control.Maximum()));
  }
  if (deferred.value) control.SetValue(*deferred.value);
  if (!deferred.current) return;
  if (control.Kind() == ControlKind::kTabLayout)
    (void)control.SelectPage(*deferred.current);
  else
    (void)control.SelectItem(*deferred.current, Notify::kNo);
}

class Builder {
 public:
  Builder(const LayoutContext& context, int& budget) : context_(context), budget_(budget) {}

  // Builds the children of `widget` (direct <widget>s and those inside <layout>s) into `parent`.
  void BuildChildren(const pugi::xml_node widget, Control& parent, int depth) {
    if (depth >= kMaxWidgetDepth) {
      Trace("skin layout nested too deeply under " + parent.Name());
      return;
    }
    for (const pugi::xml_node child : widget.children()) {
      const std::string_view tag = child.name();
      if (tag == "widget")
        BuildWidget(child, parent, depth + 1);
      else if (tag == "layout" || tag == "item")
        BuildChildren(child, parent, depth + 1);
    }
  }

  void BuildWidget(const pugi::xml_node widget, Control& parent, int depth) {
    if (budget_ <= 0) {
      if (budget_ == 0) Trace("skin layout has too many controls; the rest are left out");
      budget_ = -1;
      return;
    }
    --budget_;
    const ControlKind kind = KindOfClass(widget.attribute("class").as_string());
    Control& control =
        parent.Window().AddControl(parent, kind, widget.attribute("name").as_string());
    Fill(control, widget, depth);
  }

  // Properties, items, children and the included layout of one widget, in that order.
  void Fill(Control& control, const pugi::xml_node widget, int depth) {
    Deferred deferred;
    ApplyProperties(control, widget, deferred);
    if (HasItems(control.Kind())) AddItems(control, widget);
    BuildChildren(widget, control, depth);
    Include(control);
    ApplyDeferred(control, deferred);
  }

  bool BuildText(std::string_view ui_xml, Control& parent, bool apply_top, int include_depth) {
    pugi::xml_document document;
    const auto parsed = document.load_buffer(ui_xml.data(), ui_xml.size(), pugi::parse_default,
                                             pugi::encoding_utf8);
    const pugi::xml_node top = document.child("ui").child("widget");
    if (!parsed || !top) return false;
    include_depth_ = include_depth;
    if (apply_top) {
      Fill(parent, top, 0);
    } else {
      BuildChildren(top, parent, 0);
    }
    return true;
  }

 private:
  void Include(Control& placeholder) {
    const std::string tag = placeholder.Attribute("tag");
    if (tag.empty()) return;
    const std::optional<std::string> file = context_.resolve_tag
                                                ? context_.resolve_tag(tag)
                                                : std::optional<std::string>(SubLayoutForTag(tag));
    if (!file) return;
    std::optional<std::string> text;
    if (include_depth_ < kMaxIncludeDepth && context_.read_file) text = context_.read_file(*file);
    Builder nested(context_, budget_);
    if (!text || !nested.BuildText(*text, placeholder, false, include_depth_ + 1)) {
      Trace("skin layout not included: " + *file + " for " + placeholder.Name());
      return;
    }
    placeholder.SetAttribute("layout", *file);
  }

  const LayoutContext& context_;
  int& budget_;  // controls still allowed, shared by the nested builders of one layout
  int include_depth_ = 0;
};

}  // namespace

bool BuildLayout(std::string_view ui_xml, Control& parent, const LayoutContext& context,
                 bool apply_top) {
  int budget = kMaxControls;
  Builder builder(context, budget);
  return builder.BuildText(ui_xml, parent, apply_top, 0);
}

}  // namespace vandrel
