#include "ui/qt/wnd_host.h"

namespace vandrel {

WndHost::WndHost(QWidget* parent) : QWidget(parent) {}

void WndHost::Attach(QWidget* hosted) {
  hosted_ = hosted;
  Place();
}

void WndHost::Place() {
  if (hosted_ == nullptr) return;
  // Through screen coordinates, so that a hosted widget anywhere (a child of this window, of
  // another window, or a window of its own) lands on the place.
  const QPoint global = mapToGlobal(QPoint(0, 0));
  QWidget* hosted_parent = hosted_->parentWidget();
  const QPoint origin = hosted_parent == nullptr ? global : hosted_parent->mapFromGlobal(global);
  hosted_->setGeometry(QRect(origin, size()));
  hosted_->setVisible(isVisible());
}

void WndHost::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  Place();
}

void WndHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void WndHost::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Place();
}

void WndHost::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  Place();
}

}  // namespace vandrel
