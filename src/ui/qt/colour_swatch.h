// ColourSwatch: a button that shows a colour, for the swatches of the colour pickers. The theme
// draws its frame, hover and all, as for any button of its class; the swatch fills the inside with
// its colour. A style sheet of its own per swatch would cost Qt a parsed sheet and a style object
// for each of the hundred swatches of the pages. User-interface thread only.
#pragma once

#include <QColor>
#include <QPushButton>

namespace vandrel {

class ColourSwatch final : public QPushButton {
  Q_OBJECT

 public:
  explicit ColourSwatch(QWidget* parent = nullptr);

  // An invalid or fully transparent colour leaves the theme's face as it is.
  void SetColour(const QColor& colour);
  [[nodiscard]] QColor Colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace vandrel
