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

// Mostly one colour, as a key's face is, with its lower rows varied.
QImage Flat(QSize size) {
  QImage image = Background(size);
  QPainter(&image).fillRect(QRect(0, 0, size.width(), size.height() / 2), QColor(0x26, 0x2a, 0x33));
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
// a key relit at one alpha is; over a background varied everywhere and one mostly flat.
TEST(LightShapeTest, BlendsAsThePainterDraws) {
  const QSize size(37, 23);  // rows of odd lengths, which the wide loops finish one by one
  const QPoint at(5, 3);
  const QRgb colours[] = {0xFF0000, 0x00FF00, 0x123456, 0xFFFFFF};
  const int alphas[] = {255, 200, 128, 1, 0};
  for (int kind = 0; kind < 8; ++kind) {
    const QImage background = (kind < 4 ? Background : Flat)(size + QSize(10, 6));
    LightShape shape;
    shape.Split(Shape(kind % 4, size));
    ASSERT_EQ(shape.Size(), size);
    ShapePixels under;
    ASSERT_TRUE(shape.Gather(background, at, under));
    for (const int alpha : alphas) {
      ShapePixels faded;
      shape.Fade(under, alpha, faded);
      for (const QRgb colour : colours) {
        SCOPED_TRACE(testing::Message()
                     << "shape " << kind % 4 << (kind < 4 ? "" : ", flat") << ", colour "
                     << std::hex << colour << ", alpha " << std::dec << alpha);
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
        if (kind % 4 == 2) {
          EXPECT_EQ(qAlpha(tinted.pixel(size.width() / 2, size.height() / 2)), alpha)
              << "a solid shape at the light's alpha";
        }
        if (kind % 4 == 3) {
          EXPECT_EQ(blended, background) << "a clear shape shows nothing";
        }
      }
    }
    // Any picture, as a caption plate is, over the background.
    const QImage picture = Shape(kind % 4, size);
    QImage expected = background;
    QPainter(&expected).drawImage(at, picture);
    QImage blended = background;
    EXPECT_TRUE(BlendPicture(blended, at, picture));
    EXPECT_EQ(blended, expected) << "picture of shape " << kind % 4;
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
  ShapePixels under_corner, faded;
  ASSERT_TRUE(shape.Gather(before, QPoint(12, 4), under_corner)) << "flush with the corner";
  shape.Fade(under_corner, 100, faded);
  for (const QPoint at : {QPoint(13, 0), QPoint(0, 5), QPoint(-1, 2), QPoint(4, -1)}) {
    SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
    QImage onto = before;
    ShapePixels under;
    EXPECT_FALSE(shape.Gather(onto, at, under));
    EXPECT_FALSE(shape.WriteFaded(onto, at, faded, 0xFF0000, 100));
    EXPECT_FALSE(BlendPicture(onto, at, picture));
    EXPECT_EQ(onto, before);
  }
  QImage onto = before;
  EXPECT_TRUE(shape.WriteFaded(onto, QPoint(12, 4), faded, 0xFF0000, 100));
  // Pixels gathered under another shape: fewer rows, or longer ones.
  for (const QSize other_size : {size - QSize(0, 1), size + QSize(1, 0)}) {
    LightShape other;
    other.Split(Shape(2, other_size));
    ShapePixels refaded;
    other.Fade(faded, 100, refaded);
    EXPECT_TRUE(refaded.runs.empty());
    const QImage written = onto;
    EXPECT_FALSE(other.WriteFaded(onto, QPoint(0, 0), faded, 0xFF0000, 100));
    EXPECT_EQ(onto, written);
  }
}

}  // namespace
}  // namespace vandrel
