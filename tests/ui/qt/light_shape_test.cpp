// The hand-made blends against the painter's own: a picture composed without a painter must be the
// one the painter would have drawn, to the bit, over every kind of background and light.
#include "ui/qt/light_shape.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRadialGradient>

namespace vandrel {
namespace {

// A background with every channel varying, opaque as the screen is.
QImage Background(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x * y * 11 + 7) % 256));
  }
  return image;
}

// Shapes as the keys have them: a rounded light with soft corners, a glow whose alpha falls off
// over most of it, a solid block, and one that is clear.
QImage Shape(int kind, QSize size) {
  QImage shape(size, QImage::Format_ARGB32_Premultiplied);
  shape.fill(Qt::transparent);
  QPainter painter(&shape);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() / 2.0);
  glow.setColorAt(0, Qt::white);
  glow.setColorAt(1, Qt::transparent);
  switch (kind) {
    case 0:
      painter.setBrush(Qt::white);
      painter.drawRoundedRect(QRectF(QPointF(), size).adjusted(1, 1, -1, -1), 4, 4);
      break;
    case 1:
      painter.setBrush(glow);
      painter.drawRect(QRect(QPoint(), size));
      break;
    case 2:
      painter.fillRect(QRect(QPoint(), size), Qt::white);
      break;
    default:
      break;
  }
  return shape;
}

// The background faded once per alpha, then lit in several colours from the same faded pixels, as
// a key relit at one alpha is.
TEST(LightShapeTest, BlendsAsThePainterDraws) {
  const QSize size(37, 23);  // rows of odd lengths, which the wide loops finish one by one
  const QPoint at(5, 3);
  const QRgb colours[] = {0xFF0000, 0x00FF00, 0x123456, 0xFFFFFF};
  const int alphas[] = {255, 200, 128, 1, 0};
  const QImage background = Background(size + QSize(10, 6));
  for (int kind = 0; kind < 4; ++kind) {
    LightShape shape;
    shape.Split(Shape(kind, size));
    ASSERT_EQ(shape.Size(), size);
    std::vector<QRgb> under;
    ASSERT_TRUE(shape.Gather(background, at, under));
    for (const int alpha : alphas) {
      std::vector<QRgb> faded;
      shape.Fade(under, alpha, faded);
      for (const QRgb colour : colours) {
        SCOPED_TRACE(testing::Message() << "shape " << kind << ", colour " << std::hex << colour
                                        << ", alpha " << std::dec << alpha);
        QImage tinted(size, QImage::Format_ARGB32_Premultiplied);
        tinted.fill(Qt::transparent);
        shape.Tint(tinted, colour, alpha);
        // The tinted copy is what a key paints; written from the faded pixels, it must not change
        // a bit.
        QImage expected = background;
        QPainter(&expected).drawImage(at, tinted);
        QImage blended = background;
        EXPECT_TRUE(shape.WriteFaded(blended, at, faded, colour, alpha));
        EXPECT_EQ(blended, expected);
        if (kind == 2) {
          EXPECT_EQ(qAlpha(tinted.pixel(size.width() / 2, size.height() / 2)), alpha)
              << "a solid shape at the light's alpha";
        }
        if (kind == 3) {
          EXPECT_EQ(blended, background) << "a clear shape shows nothing";
        }
      }
    }
    // Any picture, as a caption plate is, over the background.
    const QImage picture = Shape(kind, size);
    QImage expected = background;
    QPainter(&expected).drawImage(at, picture);
    QImage blended = background;
    EXPECT_TRUE(BlendPicture(blended, at, picture));
    EXPECT_EQ(blended, expected) << "picture of shape " << kind;
  }
}

// A key whose pixels round past the picture's edge (at a fractional screen scale) must not be
// read or written past the picture's memory, nor faded pixels of another shape written: the shape
// refuses, and leaves the picture alone.
TEST(LightShapeTest, RefusesWhatDoesNotLieWhollyInside) {
  const QSize size(8, 6);
  LightShape shape;
  shape.Split(Shape(2, size));
  const QImage picture = Shape(2, size);
  const QImage before = Background(QSize(20, 10));
  std::vector<QRgb> under_corner, faded;
  ASSERT_TRUE(shape.Gather(before, QPoint(12, 4), under_corner)) << "flush with the corner";
  shape.Fade(under_corner, 100, faded);
  for (const QPoint at : {QPoint(13, 0), QPoint(0, 5), QPoint(-1, 2), QPoint(4, -1)}) {
    SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
    QImage onto = before;
    std::vector<QRgb> under;
    EXPECT_FALSE(shape.Gather(onto, at, under));
    EXPECT_FALSE(shape.WriteFaded(onto, at, faded, 0xFF0000, 100));
    EXPECT_FALSE(BlendPicture(onto, at, picture));
    EXPECT_EQ(onto, before);
  }
  QImage onto = before;
  EXPECT_TRUE(shape.WriteFaded(onto, QPoint(12, 4), faded, 0xFF0000, 100));
  LightShape smaller;
  smaller.Split(Shape(2, size - QSize(1, 0)));
  std::vector<QRgb> other;
  smaller.Fade(faded, 100, other);
  EXPECT_TRUE(other.empty()) << "pixels gathered under another shape";
  EXPECT_FALSE(smaller.WriteFaded(onto, QPoint(0, 0), faded, 0xFF0000, 100));
}

}  // namespace
}  // namespace vandrel
