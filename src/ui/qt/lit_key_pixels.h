// LitKeyPixels: what a layer keeps of one lit key to relight it in its picture without a painter,
// where the key's face is drawn already. Of a lit key only the pixels its light covers change with
// the light, and of those not the ones under an opaque part of the caption's plate; each of them is
// the light's tint plus the face under it faded by the light's alpha. So the key keeps, for those
// pixels, the face and the face faded at the last alpha: a new colour costs an addition a pixel,
// a new alpha one pass more. The rest of the key's place (the face around the light, the plate)
// stays as it was written when the face was taken.
// Any thread, one object at a time.
#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

#include "ui/qt/light_shape.h"

namespace vandrel {

class LitKeyPixels {
 public:
  // Takes the face that `picture` shows where `shape` (the key's light, premultiplied ARGB32)
  // lies with its top left corner at `at` (pixels), then lays `plate` (premultiplied ARGB32, may
  // be null) over it with its top left corner at `plate_at` in the shape. False, with nothing
  // taken or written, when the shape or the plate does not lie wholly inside `picture`.
  [[nodiscard]] bool Take(QImage& picture, QPoint at, const QImage& shape, const QImage& plate,
                          QPoint plate_at);
  // Writes the light in `colour` (0xRRGGBB) at `alpha` (0-255) over the face last taken, and the
  // plate over the light where the plate lets it through, at `at` in `picture`: the pixels a
  // painter would draw there, the face, the tinted shape, then the plate. False, with nothing
  // written, when nothing was taken or the shape does not lie wholly inside `picture`.
  [[nodiscard]] bool Write(QImage& picture, QPoint at, QRgb colour, int alpha);

 private:
  // A run of a row's pixels of the plate that are neither clear nor opaque, over the light.
  struct PlateRun {
    int y;  // in the shape
    int begin;
    int end;
    std::size_t pixels;  // the run's pixels start here in plate_pixels_
  };

  void TakePlateEdges(const QImage& shape, const QImage& plate, QPoint plate_at);

  LightShape uncovered_;  // the light less what the plate covers
  ShapePixels face_;
  ShapePixels faded_;
  int faded_alpha_ = -1;  // the alpha faded_ was made for; -1: none
  std::vector<PlateRun> plate_runs_;
  std::vector<QRgb> plate_pixels_;
  bool taken_ = false;
};

}  // namespace vandrel
