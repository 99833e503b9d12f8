#include "ui/qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace vandrel {

QPoint ClampIntoArea(const QRect& window, const QRect& area) {
  // The right and bottom limits first, so that a window larger than the area keeps its
  // top-left corner inside it.
  const int x = std::max(area.left(), std::min(window.left(), area.right() + 1 - window.width()));
  const int y = std::max(area.top(), std::min(window.top(), area.bottom() + 1 - window.height()));
  return {x, y};
}

QPoint KeepOnScreen(const QRect& window) {
  const QScreen* screen = QGuiApplication::screenAt(window.topLeft());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return window.topLeft();
  return ClampIntoArea(window, screen->availableGeometry());
}

QPoint PalettePosition(const QPoint& cursor) { return cursor + QPoint(-20, 20); }

QPoint SkinPopupPosition(const QRect& anchor, int popup_width) {
  return {anchor.x() + anchor.width() - popup_width, anchor.y() + anchor.height()};
}

QPoint AboutPosition(const QRect& main_window) {
  return {2 * main_window.x(), (main_window.y() + main_window.height()) / 2 - 80};
}

}  // namespace vandrel
