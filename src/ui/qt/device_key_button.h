// DeviceKeyButton: a key or button drawn on a device picture. It paints as a button, then, while
// its light is on, the light image tinted with the light colour at the light alpha (0-255). The
// light colour is written as the devices' frames order it: green << 16 | blue << 8 | red (the top
// byte is ignored). Without a light image the key's face is tinted instead,
// so that a skin without pictures still shows the light.
//
// A key may have pictures of its face, normal and under the mouse (the skin's key faces): it draws
// them itself, stretched, instead of through a style sheet of its own, which would cost every key a
// style of its own.
//
// A lit key with a caption keeps a plate in its middle: a small copy of the key's own face (normal,
// hot or reassigned look) with the caption on it, so that the caption reads the same whatever the
// light's colour and alpha, and a key's look stays visible under the light.
//
// A preview relights keys many times a second: a light that looks the same asks for no repaint,
// and the light's shape (scaled to the key), its tinted copy and the style's drawing of a lit
// key's face and plate are kept between paints, so that a paint redoes only what changed. The
// keys of a picture made of keys alone are painted by one KeyLightLayer over them, which the
// first key to light up puts there; the other keys paint themselves.
// User-interface thread only.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <memory>

#include "ui/qt/light_shape.h"
#include "ui/qt/lit_key_pixels.h"

namespace vandrel {

class KeyLightLayer;
struct KeyLightShape;

class DeviceKeyButton : public QPushButton {
  Q_OBJECT

 public:
  explicit DeviceKeyButton(QWidget* parent = nullptr);

  void SetLight(bool on, quint32 colour, int alpha);
  void SetLightImage(QImage image);
  // A face picture, and the same at twice its resolution if the skin has one (device pixel ratio
  // 2), which a screen above 100 % shows.
  struct FacePicture {
    QPixmap one;
    QPixmap two;
  };
  // The face's pictures, normal and under the mouse; null: none (the mouse's falls back on the
  // normal one).
  void SetFaceImages(FacePicture normal, FacePicture hot);
  [[nodiscard]] bool IsLightOn() const { return light_on_; }

  // Where the caption's plate is drawn while the light is on: the caption's size plus a margin,
  // centred, always inside a rim of light. Empty without a caption.
  [[nodiscard]] QRect CaptionPlate() const;
  // The caption's font: the button's own, or a smaller one when the caption would not fit
  // between the rims of light.
  [[nodiscard]] QFont CaptionFont() const;

  // Paints the key as it looks now with its top left corner at `at` (for the layer over it).
  void PaintAt(QPainter& painter, QPoint at);
  // The layer that paints this key from now on, where the key is its `place`-th.
  void JoinLayer(KeyLightLayer* layer, std::size_t place);
  [[nodiscard]] std::size_t LayerPlace() const { return layer_place_; }

  // A lit key in parts, for a layer that keeps the keys' picture and relights a key in it.
  // The number of the face the style draws now at the screen's resolution `ratio`: another
  // number, another face (hovered, pressed, another caption, size, style or light shape). Brings
  // the face and the light's shape up to date.
  [[nodiscard]] quint64 LitFaceNumber(qreal ratio);
  // Paints the lit face (without light or caption) with its top left corner at `at`, as the last
  // LitFaceNumber left it.
  void PaintLitFaceAt(QPainter& painter, QPoint at);
  // Takes the lit face that `image` (at the screen's resolution) shows with the key's top left
  // corner at `at` (pixels of `image`), as PaintLitFaceAt painted it, and lays the caption's plate
  // over it. False when the light or the plate would not lie wholly inside `image`; the caller
  // then has the key paint its place instead. The key keeps no face once taken.
  [[nodiscard]] bool TakeLitFaceAt(QImage& image, QPoint at);
  // Lays the light (and the plate's edges over it) on the face last taken, at the same place: the
  // pixels PaintAt paints there. Uses the face and shape as the last LitFaceNumber left them, which
  // the caller asks first, in the same paint: a hundred keys a frame would ask the style twice.
  // False as TakeLitFaceAt, or when no face was taken.
  [[nodiscard]] bool ComposeLightAt(QImage& image, QPoint at);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Under a layer, Qt drops the key's own repaints: the changes of its look (hover, press, focus,
  // check, state, style, place) ask the layer instead.
  bool event(QEvent* event) override;
  void checkStateSet() override;
  void nextCheckState() override;

 private:
  // How the style draws a lit key: its face without the caption, and the caption on its plate.
  // Kept while the key's face state, caption and size stay the same and the style, palette and
  // font do not change.
  struct LitFace {
    QStyle::State state;
    QString caption;
    QSize size;
    qreal ratio = 0;
    QImage face;
    QImage plate;
    QRect plate_rect;
    quint64 number = 0;
  };
  // What the style draws differently, found without asking the style (slow under a style sheet):
  // enabled, focus, hover, active window, pressed and checked.
  [[nodiscard]] QStyle::State FaceState() const;
  const LitFace& LitFaceNow(qreal ratio);
  // The style's drawing of `option` at `area`, on a transparent picture of that size; `caption`:
  // with the caption over it.
  QImage Drawn(const QStyleOptionButton& option, QRect area, const QString& caption);
  // The face's picture at `option`'s place and state, or the style's face without one.
  void DrawFace(QPainter& painter, const QStyleOptionButton& option);
  void DrawCaption(QPainter& painter, const QPalette& palette, const QString& caption) const;
  void PaintUnlit(QPainter& painter);
  // Asks for the key's place to be painted again, from the layer over it if there is one; `look`:
  // more than the light's colour or alpha changed.
  void Repaint(bool look);

  // The light's shape at the key's size and the screen's resolution, and that shape in the light's
  // colour; each made again only when what it depends on has changed.
  const QImage& Shape(qreal ratio);
  // The shape of `light` (null: a rounded key) at `size` and `ratio`, shared by all keys.
  static std::shared_ptr<const KeyLightShape> SharedShape(const QImage& light, QSize size,
                                                          qreal ratio);
  const QImage& TintedLight();
  // The light's colour as QRgb.
  [[nodiscard]] QRgb LightRgb() const;

  QImage light_image_;
  FacePicture face_normal_;
  FacePicture face_hot_;
  bool light_on_ = false;
  quint32 light_colour_ = 255;
  int light_alpha_ = 200;
  std::shared_ptr<const KeyLightShape> shape_;
  QImage tinted_;
  bool tinted_current_ = false;
  LitFace lit_face_;
  bool lit_face_current_ = false;
  LitKeyPixels lit_pixels_;  // for the layer
  quint64 lit_faces_drawn_ = 0;
  QPointer<KeyLightLayer> layer_;
  std::size_t layer_place_ = 0;
  bool layer_sought_ = false;  // a key whose picture has no layer asks once
};

}  // namespace vandrel
