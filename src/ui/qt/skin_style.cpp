#include "ui/qt/skin_style.h"

#include <QApplication>
#include <optional>
#include <string>

namespace vandrel {

bool ApplySkinStyle(QApplication& application, const Skin& skin) {
  const std::optional<std::string> style = skin.Read("style.qss");
  if (!style) return false;
  application.setStyleSheet(QString::fromStdString(*style));
  return true;
}

}  // namespace vandrel
