#include "ui/qt/skin_style.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <optional>
#include <string>

namespace vandrel {
namespace {

// The theme's text size. It is the application's font, not a style-sheet rule for every widget:
// such a rule gives each widget a font of its own when it is polished, and a combo box builds its
// pop-up list on a font change.
constexpr int kTextPixels = 13;

}  // namespace

bool ApplySkinStyle(QApplication& application, const Skin& skin) {
  // The style sheet names its pictures "skin:…": Qt would take plain relative names from the
  // working directory, which is anywhere.
  QDir::setSearchPaths(QStringLiteral("skin"), {QString::fromStdString(skin.Folder().string())});
  const std::optional<std::string> style = skin.Read("style.qss");
  if (!style) return false;
  QFont font = QApplication::font();
  font.setPixelSize(kTextPixels);
  QApplication::setFont(font);
  application.setStyleSheet(QString::fromStdString(*style));
  return true;
}

}  // namespace vandrel
