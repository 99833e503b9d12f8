#include "ui/qt/lit_key_pixels.h"

namespace vandrel {
namespace {

QRgb& PixelOf(QImage& image, QPoint at) {
  return reinterpret_cast<QRgb*>(image.scanLine(at.y()))[at.x()];
}

QRgb PixelOf(const QImage& image, QPoint at) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(at.y()))[at.x()];
}

// `shape` less the pixels where `plate`, with its top left corner at `plate_at`, is opaque.
QImage Uncovered(const QImage& shape, const QImage& plate, QPoint plate_at) {
  QImage uncovered = shape;
  const QRect covered = QRect(plate_at, plate.size()).intersected(shape.rect());
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    for (int x = covered.left(); x <= covered.right(); ++x) {
      if (qAlpha(PixelOf(plate, QPoint(x, y) - plate_at)) == 255) PixelOf(uncovered, {x, y}) = 0;
    }
  }
  return uncovered;
}

}  // namespace

bool LitKeyPixels::Take(QImage& picture, QPoint at, const QImage& shape, const QImage& plate,
                        QPoint plate_at) {
  taken_ = false;
  if (!picture.rect().contains(QRect(at, shape.size())) ||
      (!plate.isNull() && !picture.rect().contains(QRect(at + plate_at, plate.size())))) {
    return false;
  }
  uncovered_.Split(plate.isNull() ? shape : Uncovered(shape, plate, plate_at));
  if (!uncovered_.Gather(picture, at, face_)) return false;
  faded_alpha_ = -1;
  TakePlateEdges(shape, plate, plate_at);
  if (!plate.isNull()) (void)BlendPicture(picture, at + plate_at, plate);  // inside: checked above
  taken_ = true;
  return true;
}

void LitKeyPixels::TakePlateEdges(const QImage& shape, const QImage& plate, QPoint plate_at) {
  plate_runs_.clear();
  plate_pixels_.clear();
  for (int y = 0; y < plate.height(); ++y) {
    for (int x = 0; x < plate.width(); ++x) {
      const QRgb pixel = PixelOf(plate, {x, y});
      const QPoint in_shape = plate_at + QPoint(x, y);
      if (qAlpha(pixel) == 0 || qAlpha(pixel) == 255 || !shape.rect().contains(in_shape) ||
          qAlpha(PixelOf(shape, in_shape)) == 0) {
        continue;
      }
      if (plate_runs_.empty() || plate_runs_.back().y != in_shape.y() ||
          plate_runs_.back().end != in_shape.x()) {
        plate_runs_.push_back({in_shape.y(), in_shape.x(), in_shape.x(), plate_pixels_.size()});
      }
      ++plate_runs_.back().end;
      plate_pixels_.push_back(pixel);
    }
  }
}

bool LitKeyPixels::Write(QImage& picture, QPoint at, QRgb colour, int alpha) {
  if (!taken_) return false;
  if (alpha != faded_alpha_) {
    uncovered_.Fade(face_, alpha, faded_);
    faded_alpha_ = alpha;
  }
  if (!uncovered_.WriteFaded(picture, at, faded_, colour, alpha)) return false;
  uchar* const origin = picture.bits() + at.y() * picture.bytesPerLine() + at.x() * qsizetype{4};
  for (const PlateRun& run : plate_runs_) {
    auto* row = reinterpret_cast<QRgb*>(origin + run.y * picture.bytesPerLine());
    BlendRow(plate_pixels_.data() + run.pixels, row + run.begin, run.end - run.begin);
  }
  return true;
}

}  // namespace vandrel
