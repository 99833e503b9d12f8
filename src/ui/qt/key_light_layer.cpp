#include "ui/qt/key_light_layer.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstring>

#include "ui/qt/device_key_button.h"

namespace vandrel {
namespace {

// The pixels of `area` of `to` copied from `from`, where they start at `from_at`; 32-bit pictures.
// What lies outside either picture is left out: at a fractional screen scale an area's corner and
// its size are rounded apart and may reach a pixel past a picture's edge.
void CopyPixels(const QImage& from, QPoint from_at, QImage& to, QRect area) {
  const QPoint shift = from_at - area.topLeft();
  area = area.intersected(to.rect()).intersected(from.rect().translated(-shift));
  if (area.isEmpty()) return;
  from_at = area.topLeft() + shift;
  const uchar* source = from.constBits() + from_at.y() * from.bytesPerLine() + from_at.x() * 4;
  uchar* target = to.bits() + area.y() * to.bytesPerLine() + area.x() * 4;
  const auto length = static_cast<std::size_t>(area.width()) * 4;
  for (int y = 0; y < area.height(); ++y) {
    std::memcpy(target + y * to.bytesPerLine(), source + y * from.bytesPerLine(), length);
  }
}

// Runs `work` once the events of the moment are handled, outside any paint; asked again meanwhile,
// it still runs once. `posted` tells whether it waits. Dropped if `context` goes first.
template <typename Work>
void PostOnce(QObject& context, bool& posted, Work work) {
  if (posted) return;
  posted = true;
  QMetaObject::invokeMethod(
      &context,
      [&posted, work] {
        posted = false;
        work();
      },
      Qt::QueuedConnection);
}

}  // namespace

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
  picture.installEventFilter(this);
  raise();
  hide();
  RetakeBackdrop();
}

// Not within a paint: drawing the window from a paint event would paint within the paint. Until
// then the layer stays hidden and the keys paint themselves.
void KeyLightLayer::RetakeBackdrop() {
  PostOnce(*this, retake_posted_, [this] {
    TakeBackdrop();
    Compose();
    to_paint_ = QRect();
    show();
    update();
  });
}

// The keys changed are written once the changes of the moment are in, outside a paint; then one
// rectangle around them is painted: painting through a region of a hundred rectangles would clip
// every picture the slow way. Not while the layer is out of sight: its keys, shown, ask again.
void KeyLightLayer::RequestCompose() {
  PostOnce(*this, compose_posted_, [this] {
    if (!isVisible()) return;
    if (Compose()) {
      update();
    } else if (!to_paint_.isEmpty()) {
      update(to_paint_);
    }
    to_paint_ = QRect();
  });
}

void KeyLightLayer::UpdateKey(const DeviceKeyButton& key) { Mark(key, true); }

void KeyLightLayer::UpdateLight(const DeviceKeyButton& key) { Mark(key, false); }

void KeyLightLayer::Mark(const DeviceKeyButton& key, bool look) {
  const std::size_t place = key.LayerPlace();
  if (!keys_current_ || place >= places_.size() || places_[place].key != &key) {
    write_all_ = true;
    RequestCompose();
    return;
  }
  places_[place].look_changed = places_[place].look_changed || look;
  if (!places_[place].to_write) {
    places_[place].to_write = true;
    to_write_.push_back(place);
  }
  const QRect area = key.geometry().translated(-pos());
  // A key that went past the layer (moved while hidden, say) would not show: the layer takes the
  // keys' place again.
  if (!rect().contains(area) && geometry() != KeysBounds()) {
    keys_current_ = false;
    write_all_ = true;
    RetakeBackdrop();
    return;
  }
  to_paint_ = to_paint_.united(area);
  RequestCompose();
}

bool KeyLightLayer::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
      hide();
      RetakeBackdrop();
      break;
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
      keys_current_ = false;
      break;
    case QEvent::LayoutRequest:  // a key's caption changed, among others
      write_all_ = true;
      RequestCompose();
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

// The layer lies over its keys, not over all of the picture: its pictures are no larger than the
// keys need.
QRect KeyLightLayer::KeysBounds() const {
  QRect bounds;
  for (const QObject* child : parentWidget()->children()) {
    if (const auto* key = qobject_cast<const DeviceKeyButton*>(child)) bounds |= key->geometry();
  }
  return bounds.intersected(parentWidget()->rect());
}

// A key is written alone when its place holds no part of another key. A key that lies outside the
// layer now (it moved, or came) has the layer take its place again.
void KeyLightLayer::FindKeys() {
  places_.clear();
  for (QObject* child : parentWidget()->children()) {
    if (auto* key = qobject_cast<DeviceKeyButton*>(child)) {
      key->JoinLayer(this, places_.size());
      places_.push_back(
          {key, key->geometry(), geometry().contains(key->geometry()), 0, true, false});
    }
  }
  if (!places_.empty() && geometry() != KeysBounds()) RetakeBackdrop();
  for (Place& place : places_) {
    for (const Place& other : places_) {
      if (&other != &place && other.area.intersects(place.area)) place.alone = false;
    }
  }
  keys_current_ = true;
  write_all_ = true;
}

// A window that moved the picture, or grew under it, may show something else beneath.
bool KeyLightLayer::BackdropCurrent() const {
  return backdrop_current_ && shown_.devicePixelRatio() == devicePixelRatioF() &&
         shown_.deviceIndependentSize().toSize() == size() &&
         mapTo(window(), QPoint()) == backdrop_place_;
}

// The layer's picture made for where the keys lie now, at the screen's resolution; it is written
// whole next.
void KeyLightLayer::TakeBackdrop() {
  setGeometry(KeysBounds());
  FindKeys();
  ratio_ = devicePixelRatioF();
  // Opaque, as a window is: copied to the screen without blending.
  shown_ = QImage(size() * ratio_, QImage::Format_RGB32);
  shown_.setDevicePixelRatio(ratio_);
  backdrop_place_ = mapTo(window(), QPoint());
  backdrop_current_ = true;
  write_all_ = true;
}

// The window drawn into `area` of the picture without the layer (not opaque for the while, so
// that what lies beneath is drawn, in case it is shown) and without the keys. Black where the
// window draws nothing.
void KeyLightLayer::DrawBeneath(QRect area) {
  if (area.isEmpty()) return;
  QPainter(&shown_).fillRect(area, Qt::black);
  taking_backdrop_ = true;
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  window()->render(&shown_, area.topLeft(), QRegion(area.translated(backdrop_place_)),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  taking_backdrop_ = false;
}

void KeyLightLayer::WriteAll() { WriteArea(rect()); }

bool KeyLightLayer::Compose() {
  // A picture made at another size or resolution waits to be made again, which writes it all.
  if (shown_.isNull() || shown_.devicePixelRatio() != devicePixelRatioF() ||
      shown_.deviceIndependentSize().toSize() != size()) {
    return false;
  }
  if (!keys_current_) FindKeys();
  if (!write_all_) {
    for (const std::size_t place : to_write_) {
      places_[place].to_write = false;
      WriteKey(places_[place]);
      if (write_all_) break;  // a key moved
    }
  }
  to_write_.clear();
  if (!write_all_) return false;
  for (Place& place : places_) place.to_write = false;
  if (!keys_current_) FindKeys();
  WriteAll();
  write_all_ = false;
  return true;
}

// A lit key alone is written by itself: its lit face and plate when they changed, then the light
// over the face. The others are painted.
void KeyLightLayer::WriteKey(Place& place) {
  DeviceKeyButton& key = *place.key;
  if (key.geometry() != place.area) {  // moved: its old place shows something else now
    keys_current_ = false;
    write_all_ = true;
    return;
  }
  const QRect area = place.area.translated(-pos());
  if (!place.alone || key.isHidden() || !key.IsLightOn()) {
    WriteArea(area);
    return;
  }
  const QRect pixels = Pixels(area);
  // Asking the key's look costs more than writing its light: only when it may have changed.
  const quint64 face =
      place.look_changed || place.face_drawn == 0 ? key.LitFaceNumber(ratio_) : place.face_drawn;
  place.look_changed = false;
  if (place.face_drawn != face) {
    DrawBeneath(area);
    if (!TakeLitFace(place, area, face)) {
      WriteArea(area);
      return;
    }
  }
  if (!key.ComposeLightAt(shown_, pixels.topLeft())) WriteArea(area);
}

// The key's lit face over what was drawn beneath `area`, its place; the key hands over the face's
// pixels and keeps no picture of it.
bool KeyLightLayer::TakeLitFace(Place& place, QRect area, quint64 face) {
  {
    QPainter painter(&shown_);
    place.key->PaintLitFaceAt(painter, area.topLeft());
  }
  if (!place.key->TakeLitFaceAt(shown_, Pixels(area).topLeft())) return false;
  place.face_drawn = face;
  return true;
}

// What lies beneath `area`, and every key over it, from the bottom up. A lit key alone and
// wholly inside is written as its light changes, so that it keeps no picture of its face; the
// others are painted.
void KeyLightLayer::WriteArea(QRect area) {
  area = area.intersected(rect());
  DrawBeneath(area);
  for (Place& place : places_) {
    DeviceKeyButton& key = *place.key;
    const QRect key_area = key.geometry().translated(-pos());
    const QRect part = key_area.intersected(area);
    place.face_drawn = part.isEmpty() ? place.face_drawn : 0;
    if (part.isEmpty() || key.isHidden()) continue;
    if (place.alone && part == key_area && key.IsLightOn() &&
        TakeLitFace(place, key_area, key.LitFaceNumber(ratio_)) &&
        key.ComposeLightAt(shown_, Pixels(key_area).topLeft())) {
      continue;
    }
    PaintKey(key, key_area, part);
  }
}

// The key paints its place as it would paint itself, on a picture of that place: a style may
// replace a painter's clip and draw beyond the key, not beyond the picture. Then `part` of the
// place is put back.
void KeyLightLayer::PaintKey(DeviceKeyButton& key, QRect key_area, QRect part) {
  const QRect place = key_area.intersected(rect());
  QImage picture = shown_.copy(Pixels(place));
  {
    QPainter painter(&picture);
    key.PaintAt(painter, key_area.topLeft() - place.topLeft());
  }
  CopyPixels(picture, Pixels(part.translated(-place.topLeft())).topLeft(), shown_, Pixels(part));
}

QRect KeyLightLayer::Pixels(QRect area) const {
  return {area.topLeft() * ratio_, area.size() * ratio_};
}

void KeyLightLayer::paintEvent(QPaintEvent* event) {
  if (taking_backdrop_) return;
  // Moved in its window, or shown at another resolution: the old picture serves this once.
  if (!BackdropCurrent()) RetakeBackdrop();
  QPainter painter(this);
  for (const QRect& rect : event->region()) {
    painter.drawImage(rect.topLeft(), shown_, QRect(rect.topLeft() * ratio_, rect.size() * ratio_));
  }
}

}  // namespace vandrel
