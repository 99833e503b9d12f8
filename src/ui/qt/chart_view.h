// ChartView: a pie or bar chart of labelled values, or a path through points. Pie: a disc of
// diameter min(width - 10 - legend, height - 10) (legend 100 pixels wide when texts are shown, else
// none), centred left of the legend on two shadow discs, one slice per item in order sweeping its
// share of the sum, coloured from an 18-colour table in turn; with texts a legend line (18 × 18
// square and label, 22 pixels a line) per item. Bar chart: the shadow image along the bottom, then
// one pillar per item whose height is its share of the largest value, with its label under it (25
// pixels) when texts are shown. Path: the points joined in order, one scale across and down so a
// shape is not distorted, fitted with a margin and centred, the lines through 0 across and 0 down
// drawn faintly behind, a dot per point and a ring around each marked one. User-interface thread
// only.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <vector>

namespace vandrel {

class ChartView : public QWidget {
  Q_OBJECT

 public:
  enum class View { kPie, kBar, kPath };
  struct Item {
    QString label;
    double value = 0;  // a path's points: across
    double y = 0;      // a path's points: down
    bool marked = false;
  };

  explicit ChartView(QWidget* parent = nullptr);

  void SetItems(std::vector<Item> items);
  // The skin's attributes: "view" ("pie", "histpgram", "path"), "showtext", "shadowimageheight",
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
  void PaintPath(QPainter& painter) const;

  std::vector<Item> items_;
  View view_ = View::kPie;
  bool show_text_ = false;
  QImage shadow_;
  int shadow_height_ = 0;
  QImage pillar_;
  int pillar_width_ = 20;
};

}  // namespace vandrel
