// SkinUiLoader: loads the skin's layout files into widgets with Qt's own .ui loader, creates the
// custom widgets by their class names, and fills each placeholder (a widget with the dynamic
// property "tag") with the sub-layout the tag names, as the control model's skin loader does.
// User-interface thread only.
#pragma once

#include <QUiLoader>
#include <string_view>

#include "ui/skin.h"

namespace vandrel {

class SkinUiLoader : public QUiLoader {
  Q_OBJECT

 public:
  explicit SkinUiLoader(const Skin& skin, QObject* parent = nullptr);

  QWidget* createWidget(const QString& class_name, QWidget* parent = nullptr,
                        const QString& name = QString()) override;

  // The widgets of a skin resource or layout file, with their placeholders filled; nullptr when
  // the file cannot be read or loaded.
  [[nodiscard]] QWidget* LoadLayout(std::string_view resource, QWidget* parent = nullptr);

 private:
  [[nodiscard]] QWidget* LoadWithIncludes(std::string_view resource, QWidget* parent, int depth);

  const Skin& skin_;
};

}  // namespace vandrel
