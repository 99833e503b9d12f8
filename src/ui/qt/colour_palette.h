// ColourPalette: a field of colours the user picks from with the mouse. Hue runs from left to
// right; the upper half runs from white to the full colour, the lower half from the full colour
// to black. A click or drag emits ColourPicked; SetColour only moves the marker.
// User-interface thread only.
#pragma once

#include <QColor>
#include <QWidget>

namespace vandrel {

// The colour of the field at `point` in a field of `size` (opaque).
[[nodiscard]] QColor PaletteColourAt(QPoint point, QSize size);

class ColourPalette : public QWidget {
  Q_OBJECT

 public:
  explicit ColourPalette(QWidget* parent = nullptr);

  void SetColour(QColor colour);
  [[nodiscard]] QColor Colour() const { return colour_; }

 Q_SIGNALS:
  void ColourPicked(QColor colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void PickAt(QPoint point);
  [[nodiscard]] QPoint MarkerPosition() const;

  QColor colour_ = Qt::white;
};

}  // namespace vandrel
