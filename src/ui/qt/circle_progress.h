// CircleProgress: a progress drawn as a ring. A full disc in the background colour; over it a
// pie in the foreground colour from the bottom (6 o'clock) clockwise, sweeping
// value / (maximum - minimum) of the circle, truncated to whole degrees; over that a white disc
// inset by 10 pixels, which leaves a 10-pixel ring. User-interface thread only.
#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

namespace vandrel {

// The sweep in whole degrees, 0-360. A range of zero width sweeps nothing.
[[nodiscard]] int CircleProgressSweep(int value, int minimum, int maximum);
void PaintCircleProgress(QPainter& painter, const QRectF& area, const QColor& background,
                         const QColor& foreground, int sweep_degrees);

class CircleProgress : public QWidget {
  Q_OBJECT

 public:
  explicit CircleProgress(QWidget* parent = nullptr);

  void SetColours(const QColor& background, const QColor& foreground);
  void SetRange(int minimum, int maximum, int value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor background_;
  QColor foreground_;
  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
};

}  // namespace vandrel
