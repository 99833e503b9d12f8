// Pictures read by the format their names give, and by guessing when the name is wrong.
#include "ui/qt/picture_reading.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <cstdlib>

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

// Whether this process has an image plugin of Qt's loaded.
bool ImagePluginLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("imageformats/");
}

// Read by its name, a PNG loads no image plugin, where guessing loads every one installed. In a
// process of its own, in which no other test has read a picture.
TEST(PictureReadingDeathTest, APictureReadByItsNameLoadsNoImagePlugin) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // One pixel of 0x0AC81E, encoded here: Qt's own encoder could load the plugins itself.
  static constexpr unsigned char kOnePixelPng[] = {
      0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
      0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
      0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x78,
      0x9c, 0x63, 0xe0, 0x3a, 0x21, 0x07, 0x00, 0x01, 0xd0, 0x00, 0xf1, 0x24, 0x5c, 0x91,
      0xf4, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
  EXPECT_EXIT(
      {
        QByteArray bytes(reinterpret_cast<const char*>(kOnePixelPng), sizeof kOnePixelPng);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage read = ReadPicture(buffer, "png");
        std::exit(read.pixel(0, 0) == qRgb(0x0A, 0xC8, 0x1E) && !ImagePluginLoaded() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vandrel
