#include "ui/qt/circle_progress.h"

#include <QPainter>
#include <algorithm>

namespace vandrel {

int CircleProgressSweep(int value, int minimum, int maximum) {
  const double span = static_cast<double>(maximum) - static_cast<double>(minimum);
  if (span <= 0) return 0;
  // Truncation toward zero, then held to one turn: a value above the span cannot wind further.
  const double degrees = static_cast<double>(value) / span * 360.0;
  return std::clamp(static_cast<int>(std::clamp(degrees, -1.0, 361.0)), 0, 360);
}

void PaintCircleProgress(QPainter& painter, const QRectF& area, const QColor& background,
                         const QColor& foreground, int sweep_degrees) {
  constexpr int kFullCircle = 360 * 16;  // Qt counts angles in sixteenths of a degree
  constexpr double kRing = 10;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(background);
  painter.drawPie(area, 0, kFullCircle);
  painter.setBrush(foreground);
  // Qt's angles run counter-clockwise from 3 o'clock: -90° is 6 o'clock, a negative span
  // turns clockwise.
  painter.drawPie(area, -90 * 16, -sweep_degrees * 16);
  painter.setBrush(Qt::white);
  painter.drawEllipse(area.adjusted(kRing, kRing, -kRing, -kRing));
  painter.restore();
}

CircleProgress::CircleProgress(QWidget* parent) : QWidget(parent) {}

void CircleProgress::SetColours(const QColor& background, const QColor& foreground) {
  background_ = background;
  foreground_ = foreground;
  update();
}

void CircleProgress::SetRange(int minimum, int maximum, int value) {
  minimum_ = minimum;
  maximum_ = maximum;
  value_ = value;
  update();
}

void CircleProgress::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintCircleProgress(painter, QRectF(rect()), background_, foreground_,
                      CircleProgressSweep(value_, minimum_, maximum_));
}

}  // namespace vandrel
