// ChartView: a pie or bar chart of labelled values. The program never fills one itself; a skin
// may. Pie: a disc of diameter min(width - 10 - legend, height - 10) (legend 100 pixels wide when
// texts are shown, else none), centred left of the legend on two shadow discs, one slice per
// item in order sweeping its share of the sum, coloured from an 18-colour table in turn; with
// texts a legend line (18 × 18 square and label, 22 pixels a line) per item. Bar chart: the
// shadow image along the bottom, then one pillar per item whose height is its share of the
// largest value, with its label under it (25 pixels) when texts are shown.
// User-interface thread only.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <vector>

namespace vandrel {

class ChartView : public QWidget {
  Q_OBJECT

 public:
  enum class View { kPie, kBar };
  struct Item {
    QString label;
    double value = 0;
  };

  explicit ChartView(QWidget* parent = nullptr);

  void SetItems(std::vector<Item> items);
  // The skin's attributes: "view" ("pie", "histpgram"), "showtext", "shadowimageheight",
  // "pillarimagewidth" and the two images.
  void SetView(View view);
  void SetShowText(bool show);
  void SetShadow(QImage image, int height);
  void SetPillar(QImage image, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintPie(QPainter& painter) const;
  void PaintBars(QPainter& painter) const;

  std::vector<Item> items_;
  View view_ = View::kPie;
  bool show_text_ = false;
  QImage shadow_;
  int shadow_height_ = 0;
  QImage pillar_;
  int pillar_width_ = 20;
};

}  // namespace vandrel
