// Dragging a frameless window by its caption. The caption is the window's skin attribute
// "caption", "left,top,right,bottom": the strip between `left` pixels from the left edge and
// `right` pixels from the right edge, from `top` down to `bottom`. A press there that no control
// takes (buttons take theirs; plain labels let it through) moves the window with the mouse.
// User-interface thread only.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>

class QWidget;

namespace vandrel {

// The caption rectangle of a window of `width` pixels for the attribute text; nullopt when the
// text is not four non-negative numbers.
[[nodiscard]] std::optional<QRect> CaptionRect(const QString& attribute, int width);

class CaptionDrag final : public QObject {
 public:
  // Makes `window` draggable by its caption; the filter is a child of the window. Nothing
  // happens when the window has no usable "caption" attribute.
  static void Install(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit CaptionDrag(QWidget& window);
  bool Press(const QPoint& local, const QPoint& global);

  QWidget& window_;
  std::optional<QPoint> grab_offset_;  // while dragging by hand: cursor minus window position
};

}  // namespace vandrel
