// UiBuilder: makes the widgets a Qt Designer layout file describes, as Qt's own .ui loader makes
// them, for what the skin's layouts use: the Qt widget classes of a settings window, the skin's
// custom widgets, box layouts with spacers, combo box and list items, and properties of the kinds
// string, bool, number, rect, size, enum and set. A property the widget's class does not declare
// becomes a dynamic property (the skin's own names: "class", "userdata", "normalimage" ...). The
// skin is a folder users may replace, so anything else (an unknown class, element or kind of
// value, a key no enumeration has, nesting deeper than a window needs) is traced once and
// skipped, never trusted. User-interface thread only.
#pragma once

#include <set>
#include <string>
#include <string_view>

class QWidget;

namespace vandrel {

class UiBuilder {
 public:
  // The top widget of the layout `ui_xml` with everything under it, a child of `parent` (the top
  // widget takes only the size of its geometry, as a form does); nullptr when the text is not XML
  // or holds no widget that can be made.
  [[nodiscard]] QWidget* Build(std::string_view ui_xml, QWidget* parent);

  // Traces `what` (an element, class or value the builder does not know) unless it did already.
  void TraceOnce(const std::string& what);

 private:
  std::set<std::string> traced_;
};

}  // namespace vandrel
