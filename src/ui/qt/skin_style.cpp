#include "ui/qt/skin_style.h"

#include <QApplication>
#include <QDir>
#include <optional>
#include <string>

namespace vandrel {

bool ApplySkinStyle(QApplication& application, const Skin& skin) {
  // The style sheet names its pictures "skin:…": Qt would take plain relative names from the
  // working directory, which is anywhere.
  QDir::setSearchPaths(QStringLiteral("skin"), {QString::fromStdString(skin.Folder().string())});
  const std::optional<std::string> style = skin.Read("style.qss");
  if (!style) return false;
  application.setStyleSheet(QString::fromStdString(*style));
  return true;
}

}  // namespace vandrel
