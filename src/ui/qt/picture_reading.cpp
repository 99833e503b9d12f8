#include "ui/qt/picture_reading.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>
#include <QPixmapCache>

#include "core/file_io.h"

namespace vandrel {

QImage ReadPicture(QIODevice& device, const QByteArray& suffix) {
  const qint64 start = device.pos();
  QImageReader named(&device, suffix);
  named.setAutoDetectImageFormat(false);
  QImage picture = named.read();
  if (!picture.isNull() || !device.seek(start)) return picture;
  QImageReader guessed(&device);
  return guessed.read();
}

QPixmap SharedPixmap(const std::filesystem::path& file, qreal ratio) {
  std::error_code error;
  const auto written = std::filesystem::last_write_time(file, error);
  const QString key = QStringLiteral("vandrel:%1:%2:%3")
                          .arg(QString::fromStdString(file.string()))
                          .arg(error ? 0 : written.time_since_epoch().count())
                          .arg(ratio);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  const FileContents contents = ReadWholeFile(file);
  if (contents.status != ReadStatus::kOk) return {};
  QByteArray bytes =
      QByteArray::fromRawData(contents.bytes.data(), static_cast<qsizetype>(contents.bytes.size()));
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  pixmap = QPixmap::fromImage(
      ReadPicture(buffer, QByteArray::fromStdString(file.extension().string()).mid(1)));
  if (pixmap.isNull()) return {};
  pixmap.setDevicePixelRatio(ratio);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

std::filesystem::path SharperPictureFile(const std::filesystem::path& file) {
  std::filesystem::path sharper = file;
  sharper.replace_filename(file.stem().string() + "@2x" + file.extension().string());
  return sharper;
}

}  // namespace vandrel
