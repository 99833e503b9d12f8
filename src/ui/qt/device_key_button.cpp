#include "ui/qt/device_key_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <utility>

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

}  // namespace

DeviceKeyButton::DeviceKeyButton(QWidget* parent) : QPushButton(parent) {}

void DeviceKeyButton::SetLight(bool on, quint32 colour, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  // An unlit key looks the same whatever its light's colour and alpha.
  const bool looks_same =
      on == light_on_ && (!on || (colour == light_colour_ && alpha == light_alpha_));
  if (colour != light_colour_) tinted_current_ = false;
  light_on_ = on;
  light_colour_ = colour;
  light_alpha_ = alpha;
  if (!looks_same) update();
}

void DeviceKeyButton::SetLightImage(QImage image) {
  light_image_ = std::move(image);
  shape_ = QImage();
  update();
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

const QImage& DeviceKeyButton::LightShape() {
  // Drawn at the screen's resolution, so that the light's edges stay sharp at 200 %.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (shape_.size() == pixels && shape_.devicePixelRatio() == ratio) return shape_;
  shape_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
  shape_.setDevicePixelRatio(ratio);
  shape_.fill(Qt::transparent);
  QPainter painter(&shape_);
  if (light_image_.isNull()) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
  } else {
    painter.drawImage(rect(), light_image_);
  }
  tinted_current_ = false;
  return shape_;
}

const QImage& DeviceKeyButton::TintedLight() {
  const QImage& shape = LightShape();
  if (tinted_current_) return tinted_;
  // The same buffer is written over while the key keeps its size.
  if (tinted_.size() != shape.size()) tinted_ = QImage(shape.size(), shape.format());
  tinted_.setDevicePixelRatio(shape.devicePixelRatio());
  // Keep the light's shape, take the light's colour: each pixel is the colour at the shape's alpha.
  // Most of a shape is clear or solid; only its soft edges are worked out.
  const auto channel = [this](int shift) {
    return static_cast<int>((light_colour_ >> shift) & 0xFFu);
  };
  const QRgb solid = qRgb(channel(0), channel(16), channel(8));
  // Both pictures have the same size and format: 32-bit rows, never padded.
  const auto* from = reinterpret_cast<const QRgb*>(shape.constBits());
  auto* to = reinterpret_cast<QRgb*>(tinted_.bits());
  const qsizetype count = shape.sizeInBytes() / static_cast<qsizetype>(sizeof(QRgb));
  for (qsizetype i = 0; i < count; ++i) {
    const int alpha = qAlpha(from[i]);
    to[i] = alpha == 0     ? 0
            : alpha == 255 ? solid
                           : qPremultiply(qRgba(qRed(solid), qGreen(solid), qBlue(solid), alpha));
  }
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

QPixmap DeviceKeyButton::Drawn(const QStyleOptionButton& option, QRect area) {
  const qreal ratio = devicePixelRatioF();
  QPixmap picture(area.size() * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  QStylePainter painter(&picture, this);
  painter.translate(-area.topLeft());
  QStyleOptionButton placed = option;
  placed.rect = area;
  painter.drawControl(QStyle::CE_PushButton, placed);
  return picture;
}

QStyle::State DeviceKeyButton::FaceState() const {
  QStyleOption option;
  option.initFrom(this);
  QStyle::State state = option.state;
  state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  if (isChecked()) state |= QStyle::State_On;
  return state;
}

const DeviceKeyButton::LitFace& DeviceKeyButton::LitFaceNow() {
  const QStyle::State state = FaceState();
  const qreal ratio = devicePixelRatioF();
  if (lit_face_current_ && lit_face_.state == state && lit_face_.caption == text() &&
      lit_face_.size == size() && lit_face_.ratio == ratio) {
    return lit_face_;
  }
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton bare = option;
  bare.text.clear();
  lit_face_ = {state, text(), size(), ratio, Drawn(bare, rect()), {}, CaptionPlate()};
  if (!option.text.isEmpty()) {
    lit_face_.plate = Drawn(bare, lit_face_.plate_rect);
    QPainter painter(&lit_face_.plate);
    painter.translate(-lit_face_.plate_rect.topLeft());
    DrawCaption(painter, option.palette, option.text);
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
  if (!light_on_) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    DrawCaption(painter, option.palette, caption);
    return;
  }
  const LitFace& lit = LitFaceNow();
  QPainter painter(this);
  painter.drawPixmap(QPoint(0, 0), lit.face);
  painter.setOpacity(light_alpha_ / 255.0);
  painter.drawImage(QPoint(0, 0), TintedLight());
  painter.setOpacity(1.0);
  if (!lit.plate.isNull()) painter.drawPixmap(lit.plate_rect.topLeft(), lit.plate);
}

}  // namespace vandrel
