// FirstPaintTrace: one trace line when the main window is first painted, counted from the start of
// the process, so that the start-up can be measured from outside ("window first painted 412 ms
// after the program started"). It counts what the user waits for: loading the libraries, the skin
// and the pages, and the window's own wait for its first device. User-interface thread.
#pragma once

#include <QObject>
#include <QWidget>
#include <chrono>
#include <optional>

namespace vandrel {

class FirstPaintTrace final : public QObject {
  Q_OBJECT

 public:
  // `window` must outlive this object.
  explicit FirstPaintTrace(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

// The time since the kernel started this process, to its clock's tick (10 ms on most systems);
// nullopt when /proc does not tell.
[[nodiscard]] std::optional<std::chrono::milliseconds> SinceProcessStart();

}  // namespace vandrel
