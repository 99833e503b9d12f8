// Pictures read by the format their names give, and by guessing when the name is wrong.
#include "ui/qt/picture_reading.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace vandrel {
namespace {

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

TEST(PictureReadingTest, ReadsByTheNamedFormatAndGuessesOnlyWhenTheNameIsWrong) {
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 200, 30, 255));
  picture.setPixel(2, 1, qRgba(250, 0, 5, 128));
  const QByteArray png = Encoded(picture, "PNG");
  const struct {
    const char* what;
    QByteArray bytes;
    QByteArray suffix;
    bool read;
  } cases[] = {
      {"a PNG named so", png, "png", true},
      {"the suffix in capitals", png, "PNG", true},
      {"a PNG named as a bitmap", png, "bmp", true},
      {"a PNG with no suffix", png, "", true},
      {"a bitmap named as a PNG", Encoded(picture.convertToFormat(QImage::Format_RGB32), "BMP"),
       "png", true},
      {"not a picture", "not a picture at all", "png", false},
      {"nothing", "", "png", false},
  };
  for (const auto& each : cases) {
    QByteArray bytes = each.bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const QImage read = ReadPicture(buffer, each.suffix);
    EXPECT_EQ(!read.isNull(), each.read) << each.what;
    if (each.read) {
      EXPECT_EQ(read.pixel(0, 0), picture.pixel(0, 0)) << each.what;
    }
  }
}

}  // namespace
}  // namespace vandrel
