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
  light_on_ = on;
  light_colour_ = colour;
  light_alpha_ = std::clamp(alpha, 0, 255);
  update();
}

void DeviceKeyButton::SetLightImage(QImage image) {
  light_image_ = std::move(image);
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

QImage DeviceKeyButton::TintedLight() const {
  // Drawn at the screen's resolution, so that the light's edges stay sharp at 200 %.
  const qreal ratio = devicePixelRatioF();
  QImage tinted(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  tinted.setDevicePixelRatio(ratio);
  tinted.fill(Qt::transparent);
  QPainter painter(&tinted);
  if (light_image_.isNull()) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
  } else {
    painter.drawImage(rect(), light_image_);
  }
  // Keep the light's shape, take the light's colour.
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  const auto channel = [this](int shift) {
    return static_cast<int>((light_colour_ >> shift) & 0xFFu);
  };
  painter.fillRect(rect(), QColor(channel(0), channel(16), channel(8)));
  return tinted;
}

// The key's face without its caption, the light over it, then the caption (on a small copy of the
// face while lit: light of any colour never covers it), set small enough to fit the key.
void DeviceKeyButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  if (light_on_) {
    painter.setOpacity(light_alpha_ / 255.0);
    painter.drawImage(QPoint(0, 0), TintedLight());
    painter.setOpacity(1.0);
  }
  if (caption.isEmpty()) return;
  if (light_on_) {
    option.rect = CaptionPlate();
    painter.drawControl(QStyle::CE_PushButton, option);
  }
  painter.setFont(CaptionFont());
  painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                      QPalette::ButtonText));
  painter.drawText(rect(), Qt::AlignCenter, caption);
}

}  // namespace vandrel
