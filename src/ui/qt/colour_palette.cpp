#include "ui/qt/colour_palette.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace vandrel {
namespace {

constexpr int kMarkerRadius = 5;

double Fraction(int position, int length) {
  if (length <= 1) return 0;
  return std::clamp(static_cast<double>(position) / (length - 1), 0.0, 1.0);
}

}  // namespace

QColor PaletteColourAt(QPoint point, QSize size) {
  const double hue = Fraction(point.x(), size.width());
  const double down = Fraction(point.y(), size.height());
  // Upper half: saturation rises at full value; lower half: value falls at full saturation.
  const double saturation = down < 0.5 ? down * 2 : 1.0;
  const double value = down < 0.5 ? 1.0 : 1.0 - (down - 0.5) * 2;
  return QColor::fromHsvF(static_cast<float>(std::min(hue, 0.9999)), static_cast<float>(saturation),
                          static_cast<float>(value));
}

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent) { setCursor(Qt::CrossCursor); }

void ColourPalette::SetColour(QColor colour) {
  colour_ = colour;
  update();
}

QPoint ColourPalette::MarkerPosition() const {
  const QColor hsv = colour_.toHsv();
  const double hue = std::max(0.0, static_cast<double>(hsv.hsvHueF()));
  const double saturation = hsv.hsvSaturationF();
  const double value = hsv.valueF();
  const double down = value < 1.0 ? 0.5 + (1.0 - value) / 2 : saturation / 2;
  return {static_cast<int>(hue * (width() - 1)), static_cast<int>(down * (height() - 1))};
}

void ColourPalette::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // One colour per pixel of the device drawn on, so that the field stays smooth at 200 %. The
  // painter's scale is the screen's, or the image's when the widget is rendered into one.
  const qreal ratio = std::max(1.0, painter.deviceTransform().m11());
  QImage field(size() * ratio, QImage::Format_RGB32);
  for (int y = 0; y < field.height(); ++y) {
    for (int x = 0; x < field.width(); ++x) {
      field.setPixel(x, y, PaletteColourAt({x, y}, field.size()).rgb());
    }
  }
  field.setDevicePixelRatio(ratio);
  painter.drawImage(0, 0, field);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 2));
  painter.drawEllipse(MarkerPosition(), kMarkerRadius, kMarkerRadius);
}

void ColourPalette::mousePressEvent(QMouseEvent* event) { PickAt(event->position().toPoint()); }

void ColourPalette::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) PickAt(event->position().toPoint());
}

void ColourPalette::PickAt(QPoint point) {
  colour_ = PaletteColourAt(point, size());
  update();
  Q_EMIT ColourPicked(colour_);
}

}  // namespace vandrel
