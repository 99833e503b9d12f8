#include "ui/qt/picture_reading.h"

#include <QIODevice>
#include <QImageReader>

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

}  // namespace vandrel
