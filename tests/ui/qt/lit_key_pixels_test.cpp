// A key relit from the pixels it keeps against the painter drawing it whole: face, tinted light,
// plate. A pixel kept from a stale face or alpha, a plate blended twice, or a plate pixel taken
// for opaque, shows as a changed bit.
#include "ui/qt/lit_key_pixels.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRadialGradient>

namespace vandrel {
namespace {

constexpr QSize kKey(31, 21);
constexpr QPoint kAt(4, 3);

QImage Background() {
  QImage image(kKey + QSize(9, 7), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb(x * 41 % 256, y * 59 % 256, (x * y * 13 + 5) % 256));
  }
  return image;
}

QImage Clear(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A face with soft rounded corners and a see-through band, as a skin's key picture may have.
QImage Face() {
  QImage face = Clear(kKey);
  QPainter painter(&face);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(40, 60, 90));
  painter.drawRoundedRect(QRectF(QPointF(), kKey), 5, 5);
  painter.fillRect(QRect(0, 8, kKey.width(), 3), QColor(250, 250, 250, 90));
  return face;
}

// The keys' light: a rounded shape, solid inside, and a glow that fades to clear at its corners.
QImage Light(bool glow) {
  QImage shape = Clear(kKey);
  QPainter painter(&shape);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  if (glow) {
    QRadialGradient fading(QPointF(kKey.width() / 2.0, kKey.height() / 2.0), kKey.height() / 2.0);
    fading.setColorAt(0, Qt::white);
    fading.setColorAt(1, Qt::transparent);
    painter.setBrush(fading);
    painter.drawRect(QRect(QPoint(), kKey));
  } else {
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(QPointF(), kKey).adjusted(1, 1, -1, -1), 4, 4);
  }
  return shape;
}

// Plates: opaque with soft corners and a see-through stroke across; see-through all over.
QImage Plate(bool opaque, QSize size) {
  QImage plate = Clear(size);
  QPainter painter(&plate);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(opaque ? QColor(20, 20, 30) : QColor(200, 100, 50, 120));
  painter.drawRoundedRect(QRectF(QPointF(), size), 3, 3);
  painter.setPen(QColor(255, 255, 255, 160));
  painter.drawLine(QPointF(1, 1), QPointF(size.width() - 1, size.height() - 2));
  return plate;
}

TEST(LitKeyPixelsTest, RelightsAsThePainterDraws) {
  const struct {
    const char* name;
    bool glow;
    QImage plate;
    QPoint plate_at;
  } keys[] = {
      {"no plate", false, QImage(), {}},
      {"opaque plate", false, Plate(true, {17, 9}), {7, 6}},
      {"see-through plate", false, Plate(false, {17, 9}), {7, 6}},
      {"plate over the glow's clear corner", true, Plate(true, {12, 8}), {0, 0}},
      {"see-through plate on the glow", true, Plate(false, {25, 15}), {3, 3}},
  };
  // Colours at one alpha, then at others, back and forth.
  const struct {
    QRgb colour;
    int alpha;
  } lights[] = {{0xFF0000, 200}, {0x00FF80, 200}, {0x123456, 90},
                {0xFFFFFF, 255}, {0x0080FF, 0},   {0xA0B0C0, 200}};
  for (const auto& key : keys) {
    LightShape tinter;
    const QImage shape = Light(key.glow);
    tinter.Split(shape);
    QImage lit_face = Background();
    QPainter(&lit_face).drawImage(kAt, Face());
    QImage picture = lit_face;
    LitKeyPixels pixels;
    ASSERT_TRUE(pixels.Take(picture, kAt, shape, key.plate, key.plate_at)) << key.name;
    for (const auto& light : lights) {
      SCOPED_TRACE(testing::Message() << key.name << ", colour " << std::hex << light.colour
                                      << ", alpha " << std::dec << light.alpha);
      QImage tinted = Clear(kKey);
      tinter.Tint(tinted, light.colour, light.alpha);
      QImage expected = lit_face;
      {
        QPainter painter(&expected);
        painter.drawImage(kAt, tinted);
        painter.drawImage(kAt + key.plate_at, key.plate);
      }
      EXPECT_TRUE(pixels.Write(picture, kAt, light.colour, light.alpha));
      EXPECT_EQ(picture, expected);
    }
  }
}

// A light or plate past the picture's edge is neither taken nor written, and nothing is written
// before a face was taken.
TEST(LitKeyPixelsTest, RefusesWhatDoesNotLieWhollyInside) {
  const QImage shape = Light(false);
  const QImage plate = Plate(true, {10, 8});
  const QImage before = Background();
  const QSize room = before.size() - kKey;
  const struct {
    QPoint at;
    QPoint plate_at;
  } places[] = {{{room.width() + 1, 0}, {}},
                {{0, room.height() + 1}, {}},
                {{-1, 0}, {}},
                {{0, 0}, {-1, 3}},
                {{room.width(), room.height()}, {kKey.width() - 9, kKey.height() - 8}}};
  for (const auto& place : places) {
    SCOPED_TRACE(testing::Message() << place.at.x() << "," << place.at.y() << " plate at "
                                    << place.plate_at.x() << "," << place.plate_at.y());
    QImage picture = before;
    LitKeyPixels pixels;
    EXPECT_FALSE(pixels.Write(picture, QPoint(), 0xFF0000, 100)) << "nothing taken";
    EXPECT_FALSE(pixels.Take(picture, place.at, shape, plate, place.plate_at));
    EXPECT_FALSE(pixels.Write(picture, QPoint(), 0xFF0000, 100)) << "nothing taken";
    EXPECT_EQ(picture, before);
  }
  QImage picture = before;
  LitKeyPixels pixels;
  ASSERT_TRUE(pixels.Take(picture, QPoint(room.width(), room.height()), shape, plate, {}))
      << "flush with the corner";
  const QImage taken = picture;
  EXPECT_FALSE(pixels.Write(picture, QPoint(room.width() + 1, 0), 0xFF0000, 100));
  EXPECT_EQ(picture, taken);
}

}  // namespace
}  // namespace vandrel
