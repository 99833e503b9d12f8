#include "ui/qt/chart_view.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace vandrel {
namespace {

constexpr std::array<QRgb, 18> kSliceColours = {
    0xFF00B4FF, 0xFFFF6B3D, 0xFF7ED957, 0xFFFFC93C, 0xFFB76CFF, 0xFF3DDBD9,
    0xFFFF4F8B, 0xFF5C7CFA, 0xFFA3E635, 0xFFF59E0B, 0xFF22D3EE, 0xFFE879F9,
    0xFF94A3B8, 0xFFEF4444, 0xFF10B981, 0xFF6366F1, 0xFFFACC15, 0xFFFB7185};
constexpr int kLegendWidth = 100;
constexpr int kLegendLine = 22;
constexpr int kLegendSquare = 18;
constexpr int kBarLabelHeight = 25;
constexpr int kPathMargin = 12;
constexpr double kPathDot = 2.5;
constexpr double kPathRing = 6;
constexpr QRgb kPathLine = 0xFF00B4FF;
constexpr QRgb kPathMark = 0xFFFFC93C;
constexpr QRgb kPathAxes = 0xFF333845;

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {}

void ChartView::SetItems(std::vector<Item> items) {
  items_ = std::move(items);
  update();
}

void ChartView::SetView(View view) {
  view_ = view;
  update();
}

void ChartView::SetShowText(bool show) {
  show_text_ = show;
  update();
}

void ChartView::SetShadow(QImage image, int height) {
  shadow_ = std::move(image);
  shadow_height_ = std::max(0, height);
  update();
}

void ChartView::SetPillar(QImage image, int width) {
  pillar_ = std::move(image);
  pillar_width_ = std::max(1, width);
  update();
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (view_) {
    case View::kPie:
      PaintPie(painter);
      break;
    case View::kBar:
      PaintBars(painter);
      break;
    case View::kPath:
      PaintPath(painter);
      break;
  }
}

void ChartView::PaintPie(QPainter& painter) const {
  const double sum =
      std::accumulate(items_.begin(), items_.end(), 0.0,
                      [](double total, const Item& item) { return total + item.value; });
  if (items_.empty() || sum <= 0) return;
  const int legend = show_text_ ? kLegendWidth : 0;
  const int diameter = std::min(width() - 10 - legend, height() - 10);
  if (diameter <= 0) return;
  const QPointF centre((width() - legend) / 2.0, height() / 2.0);
  const auto disc = [&](double size) {
    return QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size);
  };
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgba(0x1E1E1E1E));
  painter.drawEllipse(disc(diameter + 8));
  painter.setBrush(QColor::fromRgba(0x64646464));
  painter.drawEllipse(disc(diameter + 2));
  double start = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const double sweep = items_[i].value / sum * 360.0;
    painter.setBrush(QColor::fromRgba(kSliceColours[i % kSliceColours.size()]));
    painter.drawPie(disc(diameter), static_cast<int>(-start * 16), static_cast<int>(-sweep * 16));
    start += sweep;
  }
  if (!show_text_) return;
  const int count = static_cast<int>(items_.size());
  int y = (height() - count * kLegendLine) / 2;
  const int x = width() - legend;
  for (std::size_t i = 0; i < items_.size(); ++i, y += kLegendLine) {
    painter.fillRect(x, y + 2, kLegendSquare, kLegendSquare,
                     QColor::fromRgba(kSliceColours[i % kSliceColours.size()]));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(x + kLegendSquare + 4, y, legend - kLegendSquare - 4, kLegendLine),
                     Qt::AlignVCenter | Qt::AlignLeft, items_[i].label);
  }
}

void ChartView::PaintBars(QPainter& painter) const {
  const int label_height = show_text_ ? kBarLabelHeight : 0;
  const int base = height() - label_height - shadow_height_;
  if (!shadow_.isNull() && shadow_height_ > 0) {
    painter.drawImage(QRect(0, base, width(), shadow_height_), shadow_);
  }
  double largest = 0;
  for (const Item& item : items_) largest = std::max(largest, item.value);
  if (items_.empty() || largest <= 0) return;
  const int slot = width() / static_cast<int>(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int pillar = static_cast<int>(std::max(0.0, items_[i].value) / largest * base);
    const QRect area(static_cast<int>(i) * slot + (slot - pillar_width_) / 2, base - pillar,
                     pillar_width_, pillar);
    if (pillar_.isNull()) {
      painter.fillRect(area, QColor::fromRgba(kSliceColours[i % kSliceColours.size()]));
    } else {
      painter.drawImage(area, pillar_);
    }
    if (!show_text_) continue;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(static_cast<int>(i) * slot, height() - label_height, slot, label_height),
                     Qt::AlignCenter, items_[i].label);
  }
}

void ChartView::PaintPath(QPainter& painter) const {
  if (items_.empty()) return;
  // The box of the points and of 0, 0, so the start of a path is always in the picture.
  double left = 0, right = 0, top = 0, bottom = 0;
  for (const Item& item : items_) {
    left = std::min(left, item.value);
    right = std::max(right, item.value);
    top = std::min(top, item.y);
    bottom = std::max(bottom, item.y);
  }
  const double room_across = width() - 2.0 * kPathMargin;
  const double room_down = height() - 2.0 * kPathMargin;
  if (room_across <= 0 || room_down <= 0) return;
  const double scale =
      std::min(room_across / std::max(1.0, right - left), room_down / std::max(1.0, bottom - top));
  const QPointF offset(kPathMargin + (room_across - (right - left) * scale) / 2 - left * scale,
                       kPathMargin + (room_down - (bottom - top) * scale) / 2 - top * scale);
  const auto at = [&](double across, double down) {
    return QPointF(across * scale, down * scale) + offset;
  };
  painter.setPen(QPen(QColor::fromRgba(kPathAxes), 1));
  painter.drawLine(QPointF(0, offset.y()), QPointF(width(), offset.y()));
  painter.drawLine(QPointF(offset.x(), 0), QPointF(offset.x(), height()));
  QPolygonF line;
  for (const Item& item : items_) line << at(item.value, item.y);
  painter.setPen(QPen(QColor::fromRgba(kPathLine), 1.5));
  painter.drawPolyline(line);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgba(kPathLine));
  for (const QPointF& point : line) painter.drawEllipse(point, kPathDot, kPathDot);
  painter.setPen(QPen(QColor::fromRgba(kPathMark), 2));
  painter.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].marked) painter.drawEllipse(line[static_cast<int>(i)], kPathRing, kPathRing);
  }
}

}  // namespace vandrel
