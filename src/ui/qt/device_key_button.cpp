#include "ui/qt/device_key_button.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "ui/qt/key_light_layer.h"

namespace vandrel {
namespace {

// Room around the caption on its plate, and the rim of light the plate always leaves: thin at the
// sides, where a long caption needs the width, and wider above and below.
constexpr int kPlateMarginX = 3;
constexpr int kPlateMarginY = 1;
constexpr int kLightRimX = 1;
constexpr int kLightRimY = 3;
// A caption wider than its key is set smaller, down to this size (pixels or points).
constexpr int kSmallestCaption = 7;
// A face's picture keeps its outermost pixel unstretched, as a style sheet's border image would
// with the theme's one-pixel border.
constexpr QMargins kFaceImageBorder(1, 1, 1, 1);

// A picture painted once and kept: a painted picture keeps its painter's engine (several kilobytes)
// for as long as it lives, a copy of it none.
QImage Kept(const QImage& painted) { return painted.copy(); }

QImage DrawnShape(const QImage& light, QSize size, qreal ratio) {
  QImage shape(size * ratio, QImage::Format_ARGB32_Premultiplied);
  shape.setDevicePixelRatio(ratio);
  shape.fill(Qt::transparent);
  {
    QPainter painter(&shape);
    if (light.isNull()) {
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::white);
      painter.drawRoundedRect(QRectF(QPointF(), size).adjusted(1, 1, -1, -1), 4, 4);
    } else {
      painter.drawImage(QRect(QPoint(), size), light);
    }
  }
  return Kept(shape);
}

}  // namespace

// A keyboard has a hundred keys in a dozen sizes: keys of one size and light share their shape.
struct KeyLightShape {
  QImage image;
  LightShape split;
};

std::shared_ptr<const KeyLightShape> DeviceKeyButton::SharedShape(const QImage& light, QSize size,
                                                                  qreal ratio) {
  using Key = std::tuple<qint64, int, int, qreal>;
  static std::map<Key, std::weak_ptr<const KeyLightShape>> shapes;
  const Key key{light.cacheKey(), size.width(), size.height(), ratio};
  if (auto shape = shapes[key].lock()) return shape;
  std::erase_if(shapes, [](const auto& entry) { return entry.second.expired(); });
  auto shape = std::make_shared<KeyLightShape>();
  shape->image = DrawnShape(light, size, ratio);
  shape->split.Split(shape->image);
  shapes[key] = shape;
  return shape;
}

DeviceKeyButton::DeviceKeyButton(QWidget* parent) : QPushButton(parent) {}

void DeviceKeyButton::SetLight(bool on, quint32 colour, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  // An unlit key looks the same whatever its light's colour and alpha.
  const bool looks_same =
      on == light_on_ && (!on || (colour == light_colour_ && alpha == light_alpha_));
  if (colour != light_colour_ || alpha != light_alpha_) tinted_current_ = false;
  light_on_ = on;
  light_colour_ = colour;
  light_alpha_ = alpha;
  if (!looks_same) Repaint(false);
}

void DeviceKeyButton::SetLightImage(QImage image) {
  light_image_ = std::move(image);
  shape_ = nullptr;
  Repaint(true);
}

void DeviceKeyButton::SetFaceImages(FacePicture normal, FacePicture hot) {
  const auto same = [](const FacePicture& a, const FacePicture& b) {
    return a.one.cacheKey() == b.one.cacheKey() && a.two.cacheKey() == b.two.cacheKey();
  };
  if (same(normal, face_normal_) && same(hot, face_hot_)) return;
  face_normal_ = std::move(normal);
  face_hot_ = std::move(hot);
  lit_face_current_ = false;
  Repaint(true);
}

void DeviceKeyButton::JoinLayer(KeyLightLayer* layer, std::size_t place) {
  layer_ = layer;
  layer_place_ = place;
}

bool DeviceKeyButton::event(QEvent* event) {
  const bool handled = QPushButton::event(event);
  if (layer_ == nullptr) return handled;
  switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ActivationChange:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      layer_->UpdateKey(*this);
      break;
    default:
      break;
  }
  return handled;
}

void DeviceKeyButton::checkStateSet() {
  QPushButton::checkStateSet();
  if (layer_ != nullptr) layer_->UpdateKey(*this);
}

void DeviceKeyButton::nextCheckState() {
  QPushButton::nextCheckState();
  if (layer_ != nullptr) layer_->UpdateKey(*this);
}

// Only a lit key is worth a layer: a picture whose keys never light up paints as it always did.
void DeviceKeyButton::Repaint(bool look) {
  if (light_on_ && !layer_sought_ && parentWidget() != nullptr) {
    layer_sought_ = true;
    if (layer_ == nullptr) layer_ = KeyLightLayer::Over(*parentWidget());
  }
  if (layer_ == nullptr) {
    update();
  } else if (look) {
    layer_->UpdateKey(*this);
  } else {
    layer_->UpdateLight(*this);
  }
}

QFont DeviceKeyButton::CaptionFont() const {
  QFont font = this->font();
  // A long caption may use its plate's side margins, all but a pixel.
  const int room = width() - 2 * (kLightRimX + 1);
  const auto advance = [this](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text()); };
  // Style sheets give the size in pixels, fonts of the platform in points.
  const bool in_pixels = font.pixelSize() > 0;
  int size = in_pixels ? font.pixelSize() : font.pointSize();
  while (advance(font) > room && size > kSmallestCaption) {
    --size;
    if (in_pixels) {
      font.setPixelSize(size);
    } else {
      font.setPointSize(size);
    }
  }
  return font;
}

QRect DeviceKeyButton::CaptionPlate() const {
  if (text().isEmpty()) return {};
  const QFontMetrics metrics(CaptionFont());
  QRect plate(0, 0, metrics.horizontalAdvance(text()) + 2 * kPlateMarginX,
              metrics.height() + 2 * kPlateMarginY);
  plate.moveCenter(rect().center());
  return plate.intersected(rect().adjusted(kLightRimX, kLightRimY, -kLightRimX, -kLightRimY));
}

// Drawn at the screen's resolution, so that the light's edges stay sharp at 200 %.
const QImage& DeviceKeyButton::Shape(qreal ratio) {
  if (shape_ != nullptr && shape_->image.size() == size() * ratio &&
      shape_->image.devicePixelRatio() == ratio) {
    return shape_->image;
  }
  shape_ = SharedShape(light_image_, size(), ratio);
  lit_face_current_ = false;  // a layer takes the face again, with the new shape's pixels
  tinted_ = QImage();
  tinted_current_ = false;
  return shape_->image;
}

QRgb DeviceKeyButton::LightRgb() const {
  const auto channel = [this](int shift) { return (light_colour_ >> shift) & 0xFFu; };
  return channel(0) << 16 | channel(16) << 8 | channel(8);
}

const QImage& DeviceKeyButton::TintedLight() {
  const QImage& shape = Shape(devicePixelRatioF());
  if (tinted_.isNull()) {
    // Its clear pixels stay clear: tinting writes only the shape's own.
    tinted_ = QImage(shape.size(), shape.format());
    tinted_.setDevicePixelRatio(shape.devicePixelRatio());
    tinted_.fill(Qt::transparent);
    tinted_current_ = false;
  }
  if (tinted_current_) return tinted_;
  shape_->split.Tint(tinted_, LightRgb(), light_alpha_);
  tinted_current_ = true;
  return tinted_;
}

void DeviceKeyButton::changeEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::StyleChange || type == QEvent::PaletteChange || type == QEvent::FontChange) {
    lit_face_current_ = false;
  }
  QPushButton::changeEvent(event);
}

QImage DeviceKeyButton::Drawn(const QStyleOptionButton& option, QRect area,
                              const QString& caption) {
  const qreal ratio = devicePixelRatioF();
  QImage picture(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.translate(-area.topLeft());
    DrawFace(painter, option);
    DrawCaption(painter, option.palette, caption);
  }
  return Kept(picture);
}

// A face's picture takes the place of the style's face, border included, smoothly stretched as a
// style sheet's border image is.
void DeviceKeyButton::DrawFace(QPainter& painter, const QStyleOptionButton& option) {
  // As a style sheet's ":hover", which a disabled key never matches.
  const bool hot = (option.state & QStyle::State_MouseOver) &&
                   (option.state & QStyle::State_Enabled) && !face_hot_.one.isNull();
  const FacePicture& picture = hot ? face_hot_ : face_normal_;
  const bool sharp = painter.device()->devicePixelRatioF() > 1 && !picture.two.isNull();
  const QPixmap& image = sharp ? picture.two : picture.one;
  if (image.isNull()) {
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
  } else {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    qDrawBorderPixmap(&painter, option.rect, kFaceImageBorder, image);
    painter.restore();
  }
}

// The bits QStyleOption::initFrom sets, without the copies of palette and font it makes too.
QStyle::State DeviceKeyButton::FaceState() const {
  const QWidget* top = window();
  QStyle::State state = QStyle::State_None;
  if (isEnabled()) state |= QStyle::State_Enabled;
  if (hasFocus()) state |= QStyle::State_HasFocus;
  if (top->testAttribute(Qt::WA_KeyboardFocusChange)) state |= QStyle::State_KeyboardFocusChange;
  if (underMouse()) state |= QStyle::State_MouseOver;
  if (top->isActiveWindow()) state |= QStyle::State_Active;
  if (isWindow()) state |= QStyle::State_Window;
  state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  if (isChecked()) state |= QStyle::State_On;
  return state;
}

const DeviceKeyButton::LitFace& DeviceKeyButton::LitFaceNow(qreal ratio) {
  const QStyle::State state = FaceState();
  if (lit_face_current_ && !lit_face_.face.isNull() && lit_face_.state == state &&
      lit_face_.caption == text() && lit_face_.size == size() && lit_face_.ratio == ratio) {
    return lit_face_;
  }
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton bare = option;
  bare.text.clear();
  lit_face_ = {state,
               text(),
               size(),
               ratio,
               Drawn(bare, rect(), {}),
               {},
               CaptionPlate(),
               ++lit_faces_drawn_};
  if (!option.text.isEmpty()) {
    QStyleOptionButton plate = bare;
    plate.rect = lit_face_.plate_rect;
    lit_face_.plate = Drawn(plate, lit_face_.plate_rect, option.text);
  }
  lit_face_current_ = true;
  return lit_face_;
}

// The caption centred on the key, in a font small enough to fit it.
void DeviceKeyButton::DrawCaption(QPainter& painter, const QPalette& palette,
                                  const QString& caption) const {
  if (caption.isEmpty()) return;
  painter.setFont(CaptionFont());
  painter.setPen(
      palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(rect(), Qt::AlignCenter, caption);
}

// The key's face without its caption, the light over it, then the caption (on a small copy of the
// face while lit: light of any colour never covers it), set small enough to fit the key.
void DeviceKeyButton::paintEvent(QPaintEvent* /*event*/) {
  if (layer_ != nullptr && layer_->TakingBackdrop()) return;
  QPainter painter(this);
  PaintAt(painter, QPoint(0, 0));
}

void DeviceKeyButton::PaintAt(QPainter& painter, QPoint at) {
  if (!light_on_) {
    painter.save();
    painter.translate(at);
    PaintUnlit(painter);
    painter.restore();
    return;
  }
  const LitFace& lit = LitFaceNow(devicePixelRatioF());
  painter.drawImage(at, lit.face);
  painter.drawImage(at, TintedLight());
  // A layer writes this key's light itself and has it painted only now and then.
  if (layer_ != nullptr) tinted_ = QImage();
  if (!lit.plate.isNull()) painter.drawImage(at + lit.plate_rect.topLeft(), lit.plate);
}

quint64 DeviceKeyButton::LitFaceNumber(qreal ratio) {
  (void)Shape(ratio);
  return LitFaceNow(ratio).number;
}

void DeviceKeyButton::PaintLitFaceAt(QPainter& painter, QPoint at) {
  painter.drawImage(at, lit_face_.face);
}

bool DeviceKeyButton::TakeLitFaceAt(QImage& image, QPoint at) {
  if (shape_ == nullptr || !lit_pixels_.Take(image, at, shape_->image, lit_face_.plate,
                                             lit_face_.plate_rect.topLeft() * lit_face_.ratio)) {
    return false;
  }
  // The layer keeps the face's pixels now: a paint of the whole key draws the face again, as a
  // face of another number.
  lit_face_.face = QImage();
  return true;
}

bool DeviceKeyButton::ComposeLightAt(QImage& image, QPoint at) {
  return lit_pixels_.Write(image, at, LightRgb(), light_alpha_);
}

// As a painter on the key itself would start: the key's font and caption colour.
void DeviceKeyButton::PaintUnlit(QPainter& painter) {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  DrawFace(painter, option);
  DrawCaption(painter, option.palette, caption);
}

}  // namespace vandrel
