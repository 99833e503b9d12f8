// QtInputCapture: the input capture on a Qt desktop. While installed, an application-wide event
// filter takes the key events (and, when asked, the mouse events) that reach the main window,
// turns each into the capture's message and posts it through the UiThread. Keys are swallowed,
// except the three lock keys, and a swallowed key triggers no shortcut either; mouse events go
// on. The main window losing the activation removes the capture, so nothing typed into another
// window is ever taken. User-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "app/input_capture.h"

class QKeyEvent;

namespace vandrel {

class QtInputCapture final : public QObject, public InputCapture {
  Q_OBJECT

 public:
  // `window` is the main window's top widget; it and `ui` must outlive the capture.
  QtInputCapture(QWidget& window, UiThread& ui);
  ~QtInputCapture() override;
  QtInputCapture(const QtInputCapture&) = delete;
  QtInputCapture& operator=(const QtInputCapture&) = delete;

  bool Install(CaptureMode mode, bool keyboard, bool mouse) override;
  void RemoveAll() override;
  [[nodiscard]] bool IsInstalled() const { return keyboard_ || mouse_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  [[nodiscard]] bool IsMainWindow(const QObject* watched) const;
  [[nodiscard]] bool IsInsideMainWindow(const QObject* watched) const;
  bool TakeKey(const QKeyEvent& event);
  bool OverrideShortcut(QKeyEvent& event);
  void TakeMouse(const QEvent& event);

  QPointer<QWidget> window_;
  UiThread& ui_;
  CaptureMode mode_ = CaptureMode::kKeyboardSingleKey;
  bool keyboard_ = false;
  bool mouse_ = false;
};

}  // namespace vandrel
