// Reading pictures without asking every image plugin: Qt guesses a picture's format by offering it
// to each plugin installed (JPEG, GIF, ICO, SVG …), which loads them all, though the skin's
// pictures are PNG and SVG. User-interface thread only.
#pragma once

#include <QByteArray>
#include <QImage>

class QIODevice;

namespace vandrel {

// The picture `device` holds, read as the format `suffix` names ("png", "svg"); a picture whose
// name does not say what it is is read as Qt guesses. Null when it cannot be read.
[[nodiscard]] QImage ReadPicture(QIODevice& device, const QByteArray& suffix);

}  // namespace vandrel
