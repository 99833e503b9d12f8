// KeyLightLayer: one widget over a picture made of device keys alone (the keyboard's), which
// paints all of its keys, lit or not, in one paint. A preview relights most keys many times a
// second; painted each by itself, every key would cost Qt a paint of its own and a repaint of
// everything beneath it. The layer is opaque: what lies under the keys is kept as a picture,
// taken again when the layer's size, place, resolution or style changes (a new skin picture
// restyles every widget). It is transparent to the mouse, so the keys below keep their hover,
// clicks and tooltips; a key that changes its look repaints its place, which the layer then paints
// from the key's own look. User-interface thread only.
#pragma once

#include <QPixmap>
#include <QPointer>
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

  // Paints `key`'s place again at the next paint.
  void UpdateKey(const QWidget& key);
  // True while the layer takes its picture of what lies beneath: the keys paint nothing then.
  [[nodiscard]] bool TakingBackdrop() const { return taking_backdrop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit KeyLightLayer(QWidget& picture);
  [[nodiscard]] bool BackdropCurrent() const;
  void TakeBackdrop();
  void RetakeBackdrop();
  const std::vector<DeviceKeyButton*>& Keys();

  QPixmap backdrop_;
  QPoint backdrop_place_;  // the layer's place in its window when the picture was taken
  bool backdrop_current_ = false;
  bool taking_backdrop_ = false;
  bool retake_posted_ = false;
  QRect to_paint_;                      // around the keys changed since the last paint
  std::vector<DeviceKeyButton*> keys_;  // the picture's keys, bottom to top
  bool keys_current_ = false;
};

}  // namespace vandrel
