// Reading the skin's pictures. Not as Qt reads a picture by its name: Qt guesses a picture's format
// by offering it to each image plugin installed (JPEG, GIF, ICO, SVG …), which loads them all,
// though the skin's pictures are PNG. User-interface thread only.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <filesystem>

class QIODevice;

namespace vandrel {

// The picture `device` holds, read as the format `suffix` names ("png"); a picture whose name does
// not say what it is is read as Qt guesses. Null when it cannot be read.
[[nodiscard]] QImage ReadPicture(QIODevice& device, const QByteArray& suffix);

// The picture in `file`, read like every other file: never from a FIFO or a device, whose opening
// would hang the window (a picture skin's file is whatever main.ini names). Each is decoded once,
// at device pixel ratio `ratio`, for every widget that shows it. Null when there is no such
// picture.
[[nodiscard]] QPixmap SharedPixmap(const std::filesystem::path& file, qreal ratio);

// "name@2x.png" beside "name.png": the picture for screens above 100 %, as a style sheet takes it.
[[nodiscard]] std::filesystem::path SharperPictureFile(const std::filesystem::path& file);

}  // namespace vandrel
