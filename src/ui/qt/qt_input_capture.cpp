#include "ui/qt/qt_input_capture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <optional>

#include "platform/native_key_map.h"
#include "ui/qt/qt_key_places.h"

namespace vandrel {
namespace {

// By the desktop's keycode, which names the key's place; by Qt's key where there is none.
std::uint32_t EvdevCodeOf(const QKeyEvent& event) {
  if (const std::uint32_t code = EvdevCodeOfKeycode(event.nativeScanCode())) return code;
  return EvdevCodeOfQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

std::optional<MappedKeyEvent> MapQtKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return MapNativeKey({.evdev_code = EvdevCodeOf(event),
                       .pressed = event.type() != QEvent::KeyRelease,
                       .alt_held = modifiers.testFlag(Qt::AltModifier),
                       .ctrl_held = modifiers.testFlag(Qt::ControlModifier)});
}

int ButtonMessage(Qt::MouseButton button, bool down) {
  switch (button) {
    case Qt::LeftButton:
      return down ? kLeftButtonDown : kLeftButtonUp;
    case Qt::RightButton:
      return down ? kRightButtonDown : kRightButtonUp;
    case Qt::MiddleButton:
      return down ? kMiddleButtonDown : kMiddleButtonUp;
    default:
      return down ? kExtraButtonDown : kExtraButtonUp;
  }
}

// The mouse event's message; none for events that are not mouse input.
std::optional<int> MouseMessage(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseMove:
      return kMouseMove;
    // A second click is one more press: the desktop's double-click is not an event of its own.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return ButtonMessage(static_cast<const QMouseEvent&>(event).button(), true);
    case QEvent::MouseButtonRelease:
      return ButtonMessage(static_cast<const QMouseEvent&>(event).button(), false);
    case QEvent::Wheel: {
      const QPoint angle = static_cast<const QWheelEvent&>(event).angleDelta();
      return angle.x() != 0 && angle.y() == 0 ? kHorizontalWheel : kWheel;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

QtInputCapture::QtInputCapture(QWidget& window, UiThread& ui) : window_(&window), ui_(ui) {}

QtInputCapture::~QtInputCapture() { RemoveAll(); }

bool QtInputCapture::Install(CaptureMode mode, bool keyboard, bool mouse) {
  RemoveAll();
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr || window_ == nullptr) return false;
  mode_ = mode;
  keyboard_ = keyboard;
  mouse_ = mouse;
  if (IsInstalled()) application->installEventFilter(this);
  return true;
}

void QtInputCapture::RemoveAll() {
  if (IsInstalled()) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
      application->removeEventFilter(this);
    }
  }
  keyboard_ = false;
  mouse_ = false;
}

// Events reach the window's QWindow once, before any widget sees them; a widget's event may be
// handed on to its parents and would be seen again.
bool QtInputCapture::IsMainWindow(const QObject* watched) const {
  return window_ != nullptr && watched != nullptr && watched == window_->windowHandle();
}

bool QtInputCapture::IsInsideMainWindow(const QObject* watched) const {
  if (window_ == nullptr || watched == nullptr || !watched->isWidgetType()) return false;
  return static_cast<const QWidget*>(watched)->window() == window_;
}

bool QtInputCapture::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::WindowDeactivate) {
    RemoveAll();
    return false;
  }
  const QEvent::Type type = event->type();
  if (keyboard_ && type == QEvent::ShortcutOverride && IsInsideMainWindow(watched)) {
    return OverrideShortcut(static_cast<QKeyEvent&>(*event));
  }
  if (!IsMainWindow(watched)) return false;
  if (keyboard_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
    return TakeKey(static_cast<const QKeyEvent&>(*event));
  }
  if (mouse_) TakeMouse(*event);
  return false;
}

bool QtInputCapture::TakeKey(const QKeyEvent& event) {
  const std::optional<MappedKeyEvent> mapped = MapQtKey(event);
  if (!mapped) return true;
  // A held key repeats its press only; the desktop's repeated releases are not key events.
  if (event.isAutoRepeat() && event.type() == QEvent::KeyRelease) {
    return !PassesOn(mapped->key.virtual_key);
  }
  return !DeliverKey(ui_, mode_, mapped->key_message, mapped->key);
}

// Accepting the override keeps a swallowed key from firing a shortcut before it reaches the
// window; the lock keys keep what they do.
bool QtInputCapture::OverrideShortcut(QKeyEvent& event) {
  const std::optional<MappedKeyEvent> mapped = MapQtKey(event);
  if (mapped && PassesOn(mapped->key.virtual_key)) return false;
  event.accept();
  return true;
}

void QtInputCapture::TakeMouse(const QEvent& event) {
  if (const std::optional<int> message = MouseMessage(event)) DeliverMouse(ui_, mode_, *message);
}

}  // namespace vandrel
