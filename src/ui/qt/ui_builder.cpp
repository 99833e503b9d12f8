#include "ui/qt/ui_builder.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpacerItem>
#include <QStackedWidget>
#include <algorithm>
#include <array>
#include <pugixml.hpp>

#include "core/trace.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_palette.h"
#include "ui/qt/colour_swatch.h"
#include "ui/qt/device_key_button.h"
#include "ui/qt/wnd_host.h"

namespace vandrel {
namespace {

// Deeper than any window nests its widgets: a file that goes further is not a skin's.
constexpr int kDeepest = 32;

template <typename Widget>
QWidget* Make(QWidget* parent) {
  return new Widget(parent);
}

struct WidgetClass {
  std::string_view name;
  QWidget* (*make)(QWidget* parent);
  // Qt's loader makes its own classes' pages of a stacked widget without a parent and adds them
  // to the stack afterwards; the skin's classes it is handed with the stack as their parent.
  bool skin_class;
};

constexpr std::array kWidgetClasses{
    WidgetClass{"QWidget", &Make<QWidget>, false},
    WidgetClass{"QDialog", &Make<QDialog>, false},
    WidgetClass{"QFrame", &Make<QFrame>, false},
    WidgetClass{"QLabel", &Make<QLabel>, false},
    WidgetClass{"QPushButton", &Make<QPushButton>, false},
    WidgetClass{"QRadioButton", &Make<QRadioButton>, false},
    WidgetClass{"QCheckBox", &Make<QCheckBox>, false},
    WidgetClass{"QComboBox", &Make<QComboBox>, false},
    WidgetClass{"QLineEdit", &Make<QLineEdit>, false},
    WidgetClass{"QListWidget", &Make<QListWidget>, false},
    WidgetClass{"QSlider", &Make<QSlider>, false},
    WidgetClass{"QStackedWidget", &Make<QStackedWidget>, false},
    WidgetClass{"DeviceKeyButton", &Make<DeviceKeyButton>, true},
    WidgetClass{"CircleProgress", &Make<CircleProgress>, true},
    WidgetClass{"ColourPalette", &Make<ColourPalette>, true},
    WidgetClass{"WndHost", &Make<WndHost>, true},
    WidgetClass{"ChartView", &Make<ChartView>, true},
};

const WidgetClass* FindClass(std::string_view name) {
  const auto found = std::find_if(kWidgetClasses.begin(), kWidgetClasses.end(),
                                  [&](const WidgetClass& each) { return each.name == name; });
  return found == kWidgetClasses.end() ? nullptr : &*found;
}

std::string_view NameOf(const pugi::xml_node node) { return node.attribute("name").as_string(); }

QString Text(const pugi::xml_node node) { return QString::fromUtf8(node.text().as_string()); }

int Number(const pugi::xml_node node, const char* child) {
  return node.child(child).text().as_int();
}

// The value of an enum or set element for the property `name` of `meta`, as the enumeration
// behind the property reads its keys ("Qt::AlignRight|Qt::AlignVCenter"); invalid when it has
// none or does not know them.
QVariant EnumValue(const QMetaObject& meta, const char* name, const pugi::xml_node value) {
  const int index = meta.indexOfProperty(name);
  const QMetaEnum enumeration = index < 0 ? QMetaEnum() : meta.property(index).enumerator();
  if (!enumeration.isValid()) return {};
  const char* keys = value.text().as_string();
  bool known = false;
  const int number = std::string_view(value.name()) == "set" ? enumeration.keysToValue(keys, &known)
                                                             : enumeration.keyToValue(keys, &known);
  return known ? QVariant(number) : QVariant();
}

// A property element's value as Qt's loader reads it; invalid for a kind the skin does not use.
QVariant Value(const QMetaObject& meta, const char* name, const pugi::xml_node value) {
  const std::string_view kind = value.name();
  if (kind == "string") return Text(value);
  if (kind == "bool") return std::string_view(value.text().as_string()) == "true";
  if (kind == "number") return value.text().as_int();
  if (kind == "rect") {
    return QRect(Number(value, "x"), Number(value, "y"), Number(value, "width"),
                 Number(value, "height"));
  }
  if (kind == "size") return QSize(Number(value, "width"), Number(value, "height"));
  if (kind == "enum" || kind == "set") return EnumValue(meta, name, value);
  return {};
}

pugi::xml_node PropertyOf(const pugi::xml_node element, const char* name) {
  return element.find_child_by_attribute("property", "name", name);
}

bool SwatchClass(const pugi::xml_node element) {
  return std::string_view(PropertyOf(element, "class").child("string").text().as_string()) ==
         "swatch";
}

// One layout file being made into widgets.
class Form {
 public:
  Form(UiBuilder& builder, QWidget* parent) : builder_(builder), parent_(parent) {}

  QWidget* Widget(const pugi::xml_node element, QWidget* parent, int depth);

 private:
  QWidget* Make(const pugi::xml_node element, QWidget* parent, int depth);
  void Apply(QObject& object, const pugi::xml_node property);
  void Layout(const pugi::xml_node element, QWidget& owner, int depth);
  QSpacerItem* Spacer(const pugi::xml_node element);
  void Items(const pugi::xml_node element, QWidget& widget);
  void Skip(std::string_view what, std::string_view name) {
    builder_.TraceOnce("skin layout: skipped " + std::string(what) + " \"" + std::string(name) +
                       "\"");
  }

  UiBuilder& builder_;
  QWidget* const parent_;  // what the top widget is made in
};

QWidget* Form::Make(const pugi::xml_node element, QWidget* parent, int depth) {
  const std::string_view class_name = element.attribute("class").as_string();
  const WidgetClass* type = FindClass(class_name);
  if (type == nullptr || depth > kDeepest) {
    Skip(type == nullptr ? "widget class" : "widget nested too deep", class_name);
    return nullptr;
  }
  QWidget* const made_in =
      qobject_cast<QStackedWidget*>(parent) && !type->skin_class ? nullptr : parent;
  // The skin's swatches show their colours without a style sheet each.
  QWidget* widget = class_name == "QPushButton" && SwatchClass(element) ? new ColourSwatch(made_in)
                                                                        : type->make(made_in);
  widget->setObjectName(QString::fromUtf8(element.attribute("name").as_string()));
  return widget;
}

QWidget* Form::Widget(const pugi::xml_node element, QWidget* parent, int depth) {
  QWidget* widget = Make(element, parent, depth);
  if (widget == nullptr) return nullptr;
  // Like Qt's loader: the widget's properties, then its children, then its layout.
  for (const pugi::xml_node property : element.children("property")) Apply(*widget, property);
  for (const pugi::xml_node child : element.children()) {
    const std::string_view kind = child.name();
    if (kind == "widget") {
      Widget(child, widget, depth + 1);
    } else if (kind != "property" && kind != "layout" && kind != "item") {
      Skip("element", kind);
    }
  }
  for (const pugi::xml_node layout : element.children("layout")) Layout(layout, *widget, depth + 1);
  Items(element, *widget);
  if (auto* stack = qobject_cast<QStackedWidget*>(parent)) stack->addWidget(widget);
  // Not placed yet, so that showing a dialog made in a widget centres it there.
  if (qobject_cast<QDialog*>(widget) && parent != nullptr) {
    widget->setAttribute(Qt::WA_Moved, false);
  }
  return widget;
}

void Form::Apply(QObject& object, const pugi::xml_node property) {
  const char* name = property.attribute("name").as_string();
  const QVariant value =
      *name == '\0' ? QVariant() : Value(*object.metaObject(), name, property.first_child());
  if (!value.isValid()) return Skip("property", name);
  auto* widget = qobject_cast<QWidget*>(&object);
  // A form's top widget takes the size of its geometry; where it goes is its parent's business.
  if (widget != nullptr && widget->parent() == parent_ && std::string_view(name) == "geometry") {
    return widget->resize(value.toRect().size());
  }
  object.setProperty(name, value);
}

void Form::Layout(const pugi::xml_node element, QWidget& owner, int depth) {
  const std::string_view class_name = element.attribute("class").as_string();
  const bool across = class_name == "QHBoxLayout";
  if (!across && class_name != "QVBoxLayout") return Skip("layout class", class_name);
  if (owner.layout() != nullptr) return Skip("second layout", NameOf(element));
  QBoxLayout* layout = across ? static_cast<QBoxLayout*>(new QHBoxLayout(&owner))
                              : static_cast<QBoxLayout*>(new QVBoxLayout(&owner));
  layout->setObjectName(QString::fromUtf8(element.attribute("name").as_string()));
  QMargins margins = layout->contentsMargins();
  for (const pugi::xml_node property : element.children("property")) {
    const std::string_view name = NameOf(property);
    const int number = property.child("number").text().as_int();
    if (name == "leftMargin") margins.setLeft(number);
    if (name == "topMargin") margins.setTop(number);
    if (name == "rightMargin") margins.setRight(number);
    if (name == "bottomMargin") margins.setBottom(number);
    // Qt's loader keeps the margins as dynamic properties of the layout too.
    Apply(*layout, property);
  }
  layout->setContentsMargins(margins);
  for (const pugi::xml_node item : element.children("item")) {
    if (const pugi::xml_node widget = item.child("widget")) {
      if (QWidget* made = Widget(widget, &owner, depth + 1)) layout->addWidget(made);
    } else if (const pugi::xml_node spacer = item.child("spacer")) {
      layout->addItem(Spacer(spacer));
    } else {
      Skip("layout item", item.first_child().name());
    }
  }
}

QSpacerItem* Form::Spacer(const pugi::xml_node element) {
  QSize size(0, 0);
  bool upright = false;
  auto stretch = QSizePolicy::Expanding;
  const QMetaEnum policies = QSizePolicy::staticMetaObject.enumerator(
      QSizePolicy::staticMetaObject.indexOfEnumerator("Policy"));
  for (const pugi::xml_node property : element.children("property")) {
    const std::string_view name = NameOf(property);
    bool known = true;
    if (name == "orientation") {
      upright = std::string_view(property.child("enum").text().as_string()) == "Qt::Vertical";
    } else if (name == "sizeHint") {
      size =
          QSize(Number(property.child("size"), "width"), Number(property.child("size"), "height"));
    } else if (name == "sizeType") {
      const int policy = policies.keyToValue(property.child("enum").text().as_string(), &known);
      if (known) stretch = static_cast<QSizePolicy::Policy>(policy);
    } else {
      known = false;
    }
    if (!known) Skip("spacer property", name);
  }
  return upright ? new QSpacerItem(size.width(), size.height(), QSizePolicy::Minimum, stretch)
                 : new QSpacerItem(size.width(), size.height(), stretch, QSizePolicy::Minimum);
}

// What Qt's loader does once a widget's children are made: the items of combo boxes and lists,
// and the current entry, which only means something once there are entries.
void Form::Items(const pugi::xml_node element, QWidget& widget) {
  const auto item_text = [](const pugi::xml_node item) {
    return Text(PropertyOf(item, "text").child("string"));
  };
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    for (const pugi::xml_node item : element.children("item")) combo->addItem(item_text(item));
    if (const pugi::xml_node index = PropertyOf(element, "currentIndex")) {
      combo->setCurrentIndex(index.child("number").text().as_int());
    }
  } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
    for (const pugi::xml_node item : element.children("item")) {
      new QListWidgetItem(item_text(item), list);
    }
    if (const pugi::xml_node row = PropertyOf(element, "currentRow")) {
      list->setCurrentRow(row.child("number").text().as_int());
    }
  } else if (auto* stack = qobject_cast<QStackedWidget*>(&widget)) {
    if (const pugi::xml_node index = PropertyOf(element, "currentIndex")) {
      stack->setCurrentIndex(index.child("number").text().as_int());
    }
  } else if (element.child("item")) {
    Skip("items of", NameOf(element));
  }
}

}  // namespace

QWidget* UiBuilder::Build(std::string_view ui_xml, QWidget* parent) {
  pugi::xml_document document;
  if (!document.load_buffer(ui_xml.data(), ui_xml.size())) return nullptr;
  const pugi::xml_node ui = document.child("ui");
  for (const pugi::xml_node child : ui.children()) {
    const std::string_view kind = child.name();
    if (kind != "class" && kind != "widget" && kind != "customwidgets" && kind != "resources" &&
        kind != "connections") {
      TraceOnce("skin layout: skipped element \"" + std::string(kind) + "\"");
    }
  }
  Form form(*this, parent);
  return form.Widget(ui.child("widget"), parent, 0);
}

void UiBuilder::TraceOnce(const std::string& what) {
  if (traced_.insert(what).second) Trace(what);
}

}  // namespace vandrel
