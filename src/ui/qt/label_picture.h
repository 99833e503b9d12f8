// LabelPicture: a label's skin picture, drawn under its text and stretched over the label, as a
// style sheet's border image is. Not through a style sheet: Qt reads a style sheet's pictures by
// offering each to every image plugin installed, which loads them all (JPEG, GIF, ICO, SVG …).
// User-interface thread only.
#pragma once

#include <QObject>
#include <QPixmap>
#include <filesystem>

class QLabel;

namespace vandrel {

class LabelPicture final : public QObject {
  Q_OBJECT

 public:
  // Shows the picture in `file` under `label`'s text, or its "@2x" file on a screen above 100 %
  // when there is one (read only then); an empty path, or a file that is no picture, takes the
  // picture away.
  static void Set(QLabel& label, const std::filesystem::path& file);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit LabelPicture(QLabel& label);

  std::filesystem::path file_;
  QPixmap one_;
  QPixmap two_;  // read when first painted above 100 %
  bool two_sought_ = false;
};

}  // namespace vandrel
