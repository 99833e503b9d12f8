#include "ui/qt/colour_swatch.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace vandrel {

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent) {}

void ColourSwatch::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

// Inside the theme's border (its contents, as the theme's padding and border leave them), rounded
// as little as the theme rounds a swatch's corners, so that no corner of the face shows past it.
void ColourSwatch::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!colour_.isValid() || colour_.alpha() == 0) return;
  constexpr qreal kCornerRadius = 3;
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect inside = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour_);
  painter.drawRoundedRect(QRectF(inside), kCornerRadius, kCornerRadius);
}

}  // namespace vandrel
