#include "ui/qt/label_picture.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <utility>

#include "ui/qt/picture_reading.h"

namespace vandrel {

LabelPicture::LabelPicture(QLabel& label) : QObject(&label) { label.installEventFilter(this); }

void LabelPicture::Set(QLabel& label, const std::filesystem::path& file) {
  auto* picture = label.findChild<LabelPicture*>({}, Qt::FindDirectChildrenOnly);
  QPixmap one = file.empty() ? QPixmap() : SharedPixmap(file, 1);
  if (one.isNull()) {
    delete picture;
  } else {
    if (picture == nullptr) picture = new LabelPicture(label);
    picture->file_ = file;
    picture->one_ = std::move(one);
    picture->two_ = QPixmap();
    picture->two_sought_ = false;
  }
  label.update();
}

// Before the label paints its text over it.
bool LabelPicture::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    auto& label = static_cast<QLabel&>(*watched);
    const bool sharp = label.devicePixelRatioF() > 1;
    if (sharp && !two_sought_) {
      two_ = SharedPixmap(SharperPictureFile(file_), 2);
      two_sought_ = true;
    }
    QPainter painter(&label);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(label.rect(), sharp && !two_.isNull() ? two_ : one_);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vandrel
