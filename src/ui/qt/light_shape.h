// LightShape: a key's light as a shape (its picture at the key's size, premultiplied ARGB32), kept
// as the runs of each row that are solid or edge (in between solid and clear), with the edges'
// alphas. Most of a shape is solid or clear, and its edges hold a few alphas: tinting it works out
// each alpha once and gives every solid pixel one colour, which a preview does for a hundred keys
// many times a second.
//
// The blends here round as QPainter's SourceOver on premultiplied ARGB32 does (a picture composed
// with them is the same, bit for bit, as one the painter drew) and take opaque RGB32 or
// premultiplied ARGB32 targets. Any thread, one object at a time.
#pragma once

#include <QImage>
#include <QPoint>
#include <array>
#include <vector>

namespace vandrel {

// Pixels under a light's shape, run by run, as LightShape::Gather and Fade make them. What lies
// under a light is mostly one colour (a key's face), so a solid run of pixels all alike keeps its
// colour once: writing it is a fill.
struct ShapePixels {
  struct Run {
    int pixels;  // the run's first pixel in `pixels`; -1: all its pixels are `alike`
    QRgb alike;
  };
  std::vector<Run> runs;  // one for each run of the shape
  std::vector<QRgb> pixels;
  quint64 split = 0;  // the split of the shape they were gathered under; 0: none
};

class LightShape {
 public:
  // Splits `shape` (premultiplied ARGB32), whose size the shape keeps.
  void Split(const QImage& shape);
  [[nodiscard]] QSize Size() const { return size_; }

  // The shape in `colour` (0xRRGGBB) at `alpha` (0-255), written into `into` (the shape's size,
  // premultiplied ARGB32): its clear pixels are left as they are.
  void Tint(QImage& into, QRgb colour, int alpha) const;
  // The pixels of `picture` under the shape laid with its top left corner at `at` (pixels). False,
  // with `under` left as it was, when the shape does not lie wholly inside `picture` (at a
  // fractional screen scale a key's pixels may round past the picture's edge).
  [[nodiscard]] bool Gather(const QImage& picture, QPoint at, ShapePixels& under) const;
  // What each of `under` (gathered under the shape) keeps of itself under the light at `alpha`,
  // whatever the light's colour: with it, drawing the light is one addition a pixel. Empty when
  // `under` was gathered under another shape. `faded` is not `under`.
  void Fade(const ShapePixels& under, int alpha, ShapePixels& faded) const;
  // The shape in `colour` at `alpha` drawn over the pixels that Fade left in `faded` for the same
  // alpha, written into `onto` at `at`: the pixels `under` were gathered from, with the light over
  // them as the painter draws it. False, with nothing written, as Gather, or when `faded` was not
  // made for this shape.
  [[nodiscard]] bool WriteFaded(QImage& onto, QPoint at, const ShapePixels& faded, QRgb colour,
                                int alpha) const;

 private:
  // A run of a row's pixels that are all solid, or all edge (neither solid nor clear).
  struct Run {
    int y;
    int begin;
    int end;
    int alphas;  // an edge run's alphas start here in edge_alphas_; -1 for a solid run
  };

  // Adds the pixel at `x` of row `y` to the runs.
  void Add(int y, int x, int alpha);
  void TintsOf(QRgb colour, int alpha, std::array<QRgb, 256>& tints) const;
  // Whether `pixels` were gathered under this shape as it is split now.
  [[nodiscard]] bool Fits(const ShapePixels& pixels) const {
    return split_ != 0 && pixels.split == split_;
  }

  QSize size_;
  std::vector<Run> runs_;  // row by row, left to right
  std::vector<uchar> edge_alphas_;
  std::vector<uchar> alphas_;  // each alpha of the edges once
  quint64 split_ = 0;          // this split's number, unique among all shapes' splits
};

// Each of `count` pixels of `from` over the same of `to` (both premultiplied), as the painter
// blends them.
void BlendRow(const QRgb* from, QRgb* to, int count);

// `picture` (premultiplied ARGB32) drawn over `onto` with its top left corner at `at` (pixels), as
// the painter would draw it. False, with nothing drawn, when it does not lie wholly inside `onto`.
[[nodiscard]] bool BlendPicture(QImage& onto, QPoint at, const QImage& picture);

}  // namespace vandrel
