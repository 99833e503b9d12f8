// KeyLightLayer: one widget over a picture made of device keys alone (the keyboard's), which
// paints all of its keys, lit or not. A preview relights most keys many times a second; painted
// each by itself, every key would cost Qt a paint of its own and a repaint of everything beneath
// it, and even painted by one painter, drawing three pictures per key costs more than the rest of a
// frame. So the layer keeps its picture itself, at the screen's resolution, and a paint copies the
// changed part of it to the screen. The picture is what the screen shows:
// - what lies under a key is drawn again from the window where the key's face changes; all of it
//   when the layer's size, place, resolution or style changes (a new skin picture restyles every
//   widget). Not kept apart: a face changes seldom, and the picture of what lies beneath would
//   cost as much memory as the layer's own;
// - a lit key's face and caption plate are written in it when they change (hovered, pressed,
//   another caption), and the key keeps the pixels its light changes; a key whose light changed
//   then writes those pixels alone, without a painter. Keys unlit, hidden or lying over another
//   paint themselves into it.
// The picture is brought up to date between paints: drawing the window within a paint would paint
// within the paint. The layer covers the keys' bounds only, so that its picture is no larger than
// the keys need.
// The layer is transparent to the mouse, so the keys below keep their hover, clicks and tooltips;
// a key that changes its look tells the layer, which writes its place again.
// User-interface thread only.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

namespace vandrel {

class DeviceKeyButton;

class KeyLightLayer final : public QWidget {
  Q_OBJECT

 public:
  // The layer over `picture`'s keys, made at the first call; nullptr when `picture` holds
  // anything else than keys, which the layer would hide.
  [[nodiscard]] static KeyLightLayer* Over(QWidget& picture);

  // Writes `key`'s place again and shows it at the next paint: its look changed.
  void UpdateKey(const DeviceKeyButton& key);
  // The same when only `key`'s light (colour, alpha) changed: the layer keeps the lit face it has
  // and does not ask the key for its look.
  void UpdateLight(const DeviceKeyButton& key);
  // True while the layer draws what lies beneath: the keys paint nothing then.
  [[nodiscard]] bool TakingBackdrop() const { return taking_backdrop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One key of the picture, in its order from the bottom up.
  struct Place {
    DeviceKeyButton* key;
    QRect area;          // the key's geometry when the places were found
    bool alone;          // over no other key: its place can be written by itself
    quint64 face_drawn;  // the number of the lit face taken from shown_; 0: none
    bool look_changed;   // since the key's look was last asked
    bool to_write;
  };

  explicit KeyLightLayer(QWidget& picture);
  [[nodiscard]] bool BackdropCurrent() const;
  void TakeBackdrop();
  void RetakeBackdrop();
  void RequestCompose();
  [[nodiscard]] QRect KeysBounds() const;
  void FindKeys();
  // Marks `key` to write; `look`: its look may have changed.
  void Mark(const DeviceKeyButton& key, bool look);
  void WriteAll();
  // Brings `shown_` up to date with every key to write, unless it is out of date itself; true
  // when it wrote all of it.
  bool Compose();
  void WriteKey(Place& place);
  [[nodiscard]] bool TakeLitFace(Place& place, QRect area, quint64 face);
  void WriteArea(QRect area);
  void DrawBeneath(QRect area);
  void PaintKey(DeviceKeyButton& key, QRect key_area, QRect part);
  // `area` (in the layer) in pixels of its pictures.
  [[nodiscard]] QRect Pixels(QRect area) const;

  qreal ratio_ = 1;
  QImage shown_;
  QPoint backdrop_place_;  // the layer's place in its window when the picture was made
  bool backdrop_current_ = false;
  bool taking_backdrop_ = false;
  bool retake_posted_ = false;
  bool compose_posted_ = false;
  QRect to_paint_;  // around the keys changed since the last composition
  std::vector<Place> places_;
  std::vector<std::size_t> to_write_;  // the places to write, kept between paints for its storage
  bool keys_current_ = false;
  bool write_all_ = true;
};

}  // namespace vandrel
