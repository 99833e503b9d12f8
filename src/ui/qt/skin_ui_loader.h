// SkinUiLoader: loads the skin's layout files into widgets with Qt's own .ui loader and creates
// the custom widgets by their class names. A layout's placeholders (widgets with the dynamic
// property "tag") are loaded empty; FillPlaceholder puts the sub-layout the control model chose
// for one of them into it, whenever the caller needs that page. User-interface thread only.
#pragma once

#include <QUiLoader>
#include <string_view>

#include "ui/skin.h"

namespace vandrel {

class SkinUiLoader : public QUiLoader {
  Q_OBJECT

 public:
  explicit SkinUiLoader(Skin skin, QObject* parent = nullptr);

  QWidget* createWidget(const QString& class_name, QWidget* parent = nullptr,
                        const QString& name = QString()) override;

  // The widgets of one skin resource or layout file, its placeholders empty; nullptr when the
  // file cannot be read or loaded.
  [[nodiscard]] QWidget* LoadFile(std::string_view resource, QWidget* parent = nullptr);
  // Loads the layout `file` into `placeholder`, filling it edge to edge: the page's top widget,
  // not shown yet, or nullptr when the file cannot be loaded. The page's placeholders are empty.
  [[nodiscard]] QWidget* FillPlaceholder(QWidget& placeholder, std::string_view file);

 private:
  const Skin skin_;
};

}  // namespace vandrel
