#include "ui/qt/colour_swatch.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>

namespace vandrel {

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent) {}

void ColourSwatch::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

// Inside the theme's border (its contents, as the theme's padding and border leave them), with
// the corners the border's inner edge has, so that no corner of the face shows between them: the
// theme rounds a swatch's outer corners by 4 px, and a border takes its width off that.
void ColourSwatch::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!colour_.isValid() || colour_.alpha() == 0) return;
  constexpr int kOuterRadius = 4;
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect inside = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  const qreal radius = std::max(0, kOuterRadius - (inside.left() - rect().left()));
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour_);
  painter.drawRoundedRect(QRectF(inside), radius, radius);
}

}  // namespace vandrel
