// WndHost: a place in a layout that holds a window of another kind (a browser view, a preview).
// The hosted widget follows the place: it is moved and sized to the place's rectangle (in
// screen coordinates when it is a top-level window of its own) whenever the place moves,
// changes size, is shown or hidden, and it is shown exactly while the place is visible.
// User-interface thread only.
#pragma once

#include <QPointer>
#include <QWidget>

namespace vandrel {

class WndHost : public QWidget {
  Q_OBJECT

 public:
  explicit WndHost(QWidget* parent = nullptr);

  // `hosted` is not owned; null detaches.
  void Attach(QWidget* hosted);
  [[nodiscard]] QWidget* Hosted() const { return hosted_; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Place();

  QPointer<QWidget> hosted_;
};

}  // namespace vandrel
