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

QRect DeviceKeyButton::CaptionPlate() const {
  if (text().isEmpty()) return {};
  const QFontMetrics metrics = fontMetrics();
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
  // The same buffer is drawn over while the key keeps its size.
  if (tinted_.size() != shape.size()) tinted_ = QImage(shape.size(), shape.format());
  tinted_.setDevicePixelRatio(shape.devicePixelRatio());
  QPainter painter(&tinted_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(0, 0), shape);
  // Keep the light's shape, take the light's colour.
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  const auto channel = [this](int shift) {
    return static_cast<int>((light_colour_ >> shift) & 0xFFu);
  };
  painter.fillRect(rect(), QColor(channel(0), channel(16), channel(8)));
  tinted_current_ = true;
  return tinted_;
}

// The key's face without its caption, the light over it, then the caption on a small copy of the
// face: light of any colour never covers the caption.
void DeviceKeyButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  if (!light_on_) {
    painter.drawControl(QStyle::CE_PushButton, option);
    return;
  }
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  painter.setOpacity(light_alpha_ / 255.0);
  painter.drawImage(QPoint(0, 0), TintedLight());
  painter.setOpacity(1.0);
  if (caption.isEmpty()) return;
  option.text = caption;
  option.rect = CaptionPlate();
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace vandrel
