#include "ui/qt/caption_drag.h"

#include <QMouseEvent>
#include <QStringList>
#include <QWidget>
#include <QWindow>
#include <array>

namespace vandrel {
namespace {

constexpr const char* kCaptionAttribute = "caption";

}  // namespace

std::optional<QRect> CaptionRect(const QString& attribute, int width) {
  const QStringList parts = attribute.split(',');
  if (parts.size() != 4) return std::nullopt;
  std::array<int, 4> numbers{};
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    bool ok = false;
    numbers[i] = parts[static_cast<qsizetype>(i)].trimmed().toInt(&ok);
    if (!ok || numbers[i] < 0) return std::nullopt;
  }
  const auto [left, top, right, bottom] = numbers;
  return QRect(QPoint(left, top), QPoint(width - right - 1, bottom - 1));
}

void CaptionDrag::Install(QWidget& window) {
  if (!window.property(kCaptionAttribute).isValid()) return;
  window.installEventFilter(new CaptionDrag(window));
}

CaptionDrag::CaptionDrag(QWidget& window) : QObject(&window), window_(window) {}

bool CaptionDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      return Press(mouse->position().toPoint(), mouse->globalPosition().toPoint());
    }
    case QEvent::MouseMove:
      if (!grab_offset_) break;
      window_.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - *grab_offset_);
      return true;
    case QEvent::MouseButtonRelease:
      grab_offset_.reset();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool CaptionDrag::Press(const QPoint& local, const QPoint& global) {
  const std::optional<QRect> caption =
      CaptionRect(window_.property(kCaptionAttribute).toString(), window_.width());
  if (!caption || !caption->contains(local)) return false;
  // The window manager moves the window where it can (and must, under Wayland); elsewhere the
  // window follows the mouse itself.
  QWindow* handle = window_.windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return true;
  grab_offset_ = global - window_.pos();
  return true;
}

}  // namespace vandrel
