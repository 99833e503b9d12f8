#include "ui/qt/key_light_layer.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/qt/device_key_button.h"

namespace vandrel {

KeyLightLayer* KeyLightLayer::Over(QWidget& picture) {
  if (auto* layer = picture.findChild<KeyLightLayer*>({}, Qt::FindDirectChildrenOnly)) return layer;
  for (const QObject* child : picture.children()) {
    if (child->isWidgetType() && qobject_cast<const DeviceKeyButton*>(child) == nullptr)
      return nullptr;
  }
  return new KeyLightLayer(picture);
}

KeyLightLayer::KeyLightLayer(QWidget& picture) : QWidget(&picture) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(picture.rect());
  picture.installEventFilter(this);
  raise();
  hide();
  RetakeBackdrop();
}

// Not within a paint: drawing the window from a paint event would paint within the paint. Until
// then the layer stays hidden and the keys paint themselves.
void KeyLightLayer::RetakeBackdrop() {
  if (retake_posted_) return;
  retake_posted_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        retake_posted_ = false;
        TakeBackdrop();
        show();
        update();
      },
      Qt::QueuedConnection);
}

// One rectangle around every key changed since the last paint: painting through a region of a
// hundred rectangles would clip every picture the slow way.
void KeyLightLayer::UpdateKey(const QWidget& key) {
  to_paint_ = to_paint_.united(key.geometry().translated(-pos()));
  update(to_paint_);
}

bool KeyLightLayer::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
      setGeometry(parentWidget()->rect());
      hide();
      RetakeBackdrop();
      break;
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
      keys_current_ = false;
      break;
    case QEvent::LayoutRequest:  // a key's caption changed, among others
      update();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void KeyLightLayer::changeEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::StyleChange || type == QEvent::PaletteChange) {
    backdrop_current_ = false;
    hide();
    RetakeBackdrop();
  }
  QWidget::changeEvent(event);
}

const std::vector<DeviceKeyButton*>& KeyLightLayer::Keys() {
  if (keys_current_) return keys_;
  keys_.clear();
  for (QObject* child : parentWidget()->children()) {
    if (auto* key = qobject_cast<DeviceKeyButton*>(child)) {
      key->JoinLayer(this);
      keys_.push_back(key);
    }
  }
  keys_current_ = true;
  return keys_;
}

// A window that moved the picture, or grew under it, may show something else beneath.
bool KeyLightLayer::BackdropCurrent() const {
  return backdrop_current_ && backdrop_.devicePixelRatio() == devicePixelRatioF() &&
         backdrop_.deviceIndependentSize().toSize() == size() &&
         mapTo(window(), QPoint()) == backdrop_place_;
}

// The window drawn where the layer lies, without the layer (not opaque for the while, so that
// what lies beneath is drawn, in case it is shown) and without the keys.
void KeyLightLayer::TakeBackdrop() {
  (void)Keys();
  const qreal ratio = devicePixelRatioF();
  backdrop_ = QPixmap(size() * ratio);
  backdrop_.setDevicePixelRatio(ratio);
  // Opaque, as a window is: drawn as a copy, without blending.
  backdrop_.fill(Qt::black);
  QWidget* top = window();
  backdrop_place_ = mapTo(top, QPoint());
  taking_backdrop_ = true;
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  top->render(&backdrop_, QPoint(), QRegion(QRect(backdrop_place_, size())),
              QWidget::DrawWindowBackground | QWidget::DrawChildren);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  taking_backdrop_ = false;
  backdrop_current_ = true;
}

void KeyLightLayer::paintEvent(QPaintEvent* event) {
  if (taking_backdrop_) return;
  // Moved in its window, or shown at another resolution: the old picture serves this once.
  if (!BackdropCurrent()) RetakeBackdrop();
  to_paint_ = QRect();
  QPainter painter(this);
  const QRegion& region = event->region();
  const qreal ratio = backdrop_.devicePixelRatio();
  for (const QRect& rect : region) {
    painter.drawPixmap(rect.topLeft(), backdrop_,
                       QRect(rect.topLeft() * ratio, rect.size() * ratio));
  }
  for (DeviceKeyButton* key : Keys()) {
    if (key->isHidden()) continue;
    const QRect place = key->geometry().translated(-pos());
    if (region.intersects(place)) key->PaintAt(painter, place.topLeft());
  }
}

}  // namespace vandrel
