// SkinUiLoader: makes the widgets of the skin's layout files (UiBuilder). A layout's placeholders
// (widgets with the dynamic property "tag"), the pages of its tab layouts and the panels it hides
// are made empty: FillPlaceholder puts the sub-layout the control model chose for a placeholder
// into it, and FillPage puts back what a page held (see SplitPages), whenever the caller needs
// that page. User-interface thread only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/qt/ui_builder.h"
#include "ui/skin.h"

class QWidget;

namespace vandrel {

class SkinUiLoader {
 public:
  explicit SkinUiLoader(Skin skin);

  // The widgets of one skin resource or layout file, its placeholders and pages empty;
  // nullptr when the file cannot be read or loaded.
  [[nodiscard]] QWidget* LoadFile(std::string_view resource, QWidget* parent = nullptr);
  // Loads the layout `file` into `placeholder`, filling it edge to edge: the page's top widget,
  // not shown yet, or nullptr when the file cannot be loaded. The page's own placeholders and tab
  // pages are empty.
  [[nodiscard]] QWidget* FillPlaceholder(QWidget& placeholder, std::string_view file);
  // Whether `page` is a page of this loader's whose contents are still set aside.
  [[nodiscard]] bool HoldsSetAside(const QWidget& page) const;
  // Loads the contents set aside from `page` into it, like FillPlaceholder; nullptr when there
  // are none (any more).
  [[nodiscard]] QWidget* FillPage(QWidget& page);

 private:
  [[nodiscard]] QWidget* LoadText(std::string_view ui_xml, QWidget* parent);
  // The number of what is still set aside from `page`.
  [[nodiscard]] std::optional<std::size_t> SetAsideNumber(const QWidget& page) const;

  const Skin skin_;
  UiBuilder builder_;
  std::vector<std::string> set_aside_;  // pages' contents by their number; empty once loaded
};

}  // namespace vandrel
