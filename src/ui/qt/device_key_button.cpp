#include "ui/qt/device_key_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <utility>

#include "ui/qt/key_light_layer.h"

namespace vandrel {
namespace {

// Room around the caption on its plate, and the rim of light the plate always leaves: thin at the
// sides, where a long caption needs the width, and wider above and below.
constexpr int kPlateMarginX = 3;
constexpr int kPlateMarginY = 1;
constexpr int kLightRimX = 1;
constexpr int kLightRimY = 3;
// A caption wider than its key is set smaller, down to this size (pixels or points).
constexpr int kSmallestCaption = 7;

}  // namespace

DeviceKeyButton::DeviceKeyButton(QWidget* parent) : QPushButton(parent) {}

void DeviceKeyButton::SetLight(bool on, quint32 colour, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  // An unlit key looks the same whatever its light's colour and alpha.
  const bool looks_same =
      on == light_on_ && (!on || (colour == light_colour_ && alpha == light_alpha_));
  if (colour != light_colour_ || alpha != light_alpha_) tinted_current_ = false;
  light_on_ = on;
  light_colour_ = colour;
  light_alpha_ = alpha;
  if (!looks_same) Repaint();
}

void DeviceKeyButton::SetLightImage(QImage image) {
  light_image_ = std::move(image);
  shape_ = QImage();
  Repaint();
}

void DeviceKeyButton::JoinLayer(KeyLightLayer* layer) { layer_ = layer; }

bool DeviceKeyButton::event(QEvent* event) {
  const bool handled = QPushButton::event(event);
  if (layer_ == nullptr) return handled;
  switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ActivationChange:
    case QEvent::Move:
    case QEvent::Resize:
      layer_->UpdateKey(*this);
      break;
    default:
      break;
  }
  return handled;
}

void DeviceKeyButton::checkStateSet() {
  QPushButton::checkStateSet();
  if (layer_ != nullptr) layer_->UpdateKey(*this);
}

void DeviceKeyButton::nextCheckState() {
  QPushButton::nextCheckState();
  if (layer_ != nullptr) layer_->UpdateKey(*this);
}

// Only a lit key is worth a layer: a picture whose keys never light up paints as it always did.
void DeviceKeyButton::Repaint() {
  if (light_on_ && !layer_sought_ && parentWidget() != nullptr) {
    layer_sought_ = true;
    if (layer_ == nullptr) layer_ = KeyLightLayer::Over(*parentWidget());
  }
  if (layer_ != nullptr) {
    layer_->UpdateKey(*this);
  } else {
    update();
  }
}

QFont DeviceKeyButton::CaptionFont() const {
  QFont font = this->font();
  // A long caption may use its plate's side margins, all but a pixel.
  const int room = width() - 2 * (kLightRimX + 1);
  const auto advance = [this](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text()); };
  // Style sheets give the size in pixels, fonts of the platform in points.
  const bool in_pixels = font.pixelSize() > 0;
  int size = in_pixels ? font.pixelSize() : font.pointSize();
  while (advance(font) > room && size > kSmallestCaption) {
    --size;
    if (in_pixels) {
      font.setPixelSize(size);
    } else {
      font.setPointSize(size);
    }
  }
  return font;
}

QRect DeviceKeyButton::CaptionPlate() const {
  if (text().isEmpty()) return {};
  const QFontMetrics metrics(CaptionFont());
  QRect plate(0, 0, metrics.horizontalAdvance(text()) + 2 * kPlateMarginX,
              metrics.height() + 2 * kPlateMarginY);
  plate.moveCenter(rect().center());
  return plate.intersected(rect().adjusted(kLightRimX, kLightRimY, -kLightRimX, -kLightRimY));
}

const QImage& DeviceKeyButton::LightShape() {
  // Drawn at the screen's resolution, so that the light's edges stay sharp at 200 %.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (shape_.size() == pixels && shape_.devicePixelRatio() == ratio) return shape_;
  shape_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
  shape_.setDevicePixelRatio(ratio);
  shape_.fill(Qt::transparent);
  {
    QPainter painter(&shape_);
    if (light_image_.isNull()) {
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::white);
      painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    } else {
      painter.drawImage(rect(), light_image_);
    }
  }
  SplitShape();
  return shape_;
}

// Most of a shape is solid or clear, only its edges are in between, in a few alphas: the tint fills
// the solid runs and works out each alpha of the edges once, on a copy whose clear pixels stay
// clear.
void DeviceKeyButton::SplitShape() {
  solid_runs_.clear();
  edges_.clear();
  // 32-bit rows, never padded.
  const auto* pixels = reinterpret_cast<const QRgb*>(shape_.constBits());
  const qsizetype count = shape_.sizeInBytes() / static_cast<qsizetype>(sizeof(QRgb));
  for (qsizetype i = 0; i < count; ++i) {
    const int alpha = qAlpha(pixels[i]);
    if (alpha == 255) {
      if (solid_runs_.empty() || solid_runs_.back().end != i) solid_runs_.push_back({i, i});
      ++solid_runs_.back().end;
    } else if (alpha != 0) {
      const auto same = std::ranges::find(edges_, alpha, &EdgeAlpha::alpha);
      (same == edges_.end() ? edges_.emplace_back(EdgeAlpha{alpha, {}}) : *same).at.push_back(i);
    }
  }
  tinted_ = QImage(shape_.size(), shape_.format());
  tinted_.setDevicePixelRatio(shape_.devicePixelRatio());
  tinted_.fill(Qt::transparent);
  tinted_current_ = false;
}

namespace {

// `pixel` (premultiplied) at `alpha` (0-255), rounded as the painter rounds a picture drawn at an
// opacity: the light keeps the look it had when the painter did it, for less.
QRgb AtAlpha(QRgb pixel, QRgb alpha) {
  QRgb red_blue = (pixel & 0xFF00FFu) * alpha;
  red_blue = ((red_blue + ((red_blue >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
  QRgb alpha_green = ((pixel >> 8) & 0xFF00FFu) * alpha;
  alpha_green = (alpha_green + ((alpha_green >> 8) & 0xFF00FFu) + 0x800080u) & 0xFF00FF00u;
  return alpha_green | red_blue;
}

}  // namespace

const QImage& DeviceKeyButton::TintedLight() {
  (void)LightShape();
  if (tinted_current_) return tinted_;
  const auto channel = [this](int shift) { return (light_colour_ >> shift) & 0xFFu; };
  const QRgb colour = channel(0) << 16 | channel(16) << 8 | channel(8);
  const auto alpha = static_cast<QRgb>(light_alpha_);
  const QRgb solid = AtAlpha(colour | 0xFF000000u, alpha);
  auto* to = reinterpret_cast<QRgb*>(tinted_.bits());
  for (const SolidRun& run : solid_runs_) std::fill(to + run.begin, to + run.end, solid);
  for (const EdgeAlpha& edge : edges_) {
    const QRgb tinted = AtAlpha(qPremultiply(colour | static_cast<QRgb>(edge.alpha) << 24), alpha);
    for (const qsizetype at : edge.at) to[at] = tinted;
  }
  tinted_current_ = true;
  return tinted_;
}

void DeviceKeyButton::changeEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::StyleChange || type == QEvent::PaletteChange || type == QEvent::FontChange) {
    lit_face_current_ = false;
  }
  QPushButton::changeEvent(event);
}

QPixmap DeviceKeyButton::Drawn(const QStyleOptionButton& option, QRect area) {
  const qreal ratio = devicePixelRatioF();
  QPixmap picture(area.size() * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  QStylePainter painter(&picture, this);
  painter.translate(-area.topLeft());
  QStyleOptionButton placed = option;
  placed.rect = area;
  painter.drawControl(QStyle::CE_PushButton, placed);
  return picture;
}

// The bits QStyleOption::initFrom sets, without the copies of palette and font it makes too.
QStyle::State DeviceKeyButton::FaceState() const {
  const QWidget* top = window();
  QStyle::State state = QStyle::State_None;
  if (isEnabled()) state |= QStyle::State_Enabled;
  if (hasFocus()) state |= QStyle::State_HasFocus;
  if (top->testAttribute(Qt::WA_KeyboardFocusChange)) state |= QStyle::State_KeyboardFocusChange;
  if (underMouse()) state |= QStyle::State_MouseOver;
  if (top->isActiveWindow()) state |= QStyle::State_Active;
  if (isWindow()) state |= QStyle::State_Window;
  state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  if (isChecked()) state |= QStyle::State_On;
  return state;
}

const DeviceKeyButton::LitFace& DeviceKeyButton::LitFaceNow() {
  const QStyle::State state = FaceState();
  const qreal ratio = devicePixelRatioF();
  if (lit_face_current_ && lit_face_.state == state && lit_face_.caption == text() &&
      lit_face_.size == size() && lit_face_.ratio == ratio) {
    return lit_face_;
  }
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton bare = option;
  bare.text.clear();
  lit_face_ = {state, text(), size(), ratio, Drawn(bare, rect()), {}, CaptionPlate()};
  if (!option.text.isEmpty()) {
    lit_face_.plate = Drawn(bare, lit_face_.plate_rect);
    QPainter painter(&lit_face_.plate);
    painter.translate(-lit_face_.plate_rect.topLeft());
    DrawCaption(painter, option.palette, option.text);
  }
  lit_face_current_ = true;
  return lit_face_;
}

// The caption centred on the key, in a font small enough to fit it.
void DeviceKeyButton::DrawCaption(QPainter& painter, const QPalette& palette,
                                  const QString& caption) const {
  if (caption.isEmpty()) return;
  painter.setFont(CaptionFont());
  painter.setPen(
      palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(rect(), Qt::AlignCenter, caption);
}

// The key's face without its caption, the light over it, then the caption (on a small copy of the
// face while lit: light of any colour never covers it), set small enough to fit the key.
void DeviceKeyButton::paintEvent(QPaintEvent* /*event*/) {
  if (layer_ != nullptr && layer_->TakingBackdrop()) return;
  QPainter painter(this);
  PaintAt(painter, QPoint(0, 0));
}

void DeviceKeyButton::PaintAt(QPainter& painter, QPoint at) {
  if (!light_on_) {
    painter.save();
    painter.translate(at);
    PaintUnlit(painter);
    painter.restore();
    return;
  }
  const LitFace& lit = LitFaceNow();
  painter.drawPixmap(at, lit.face);
  painter.drawImage(at, TintedLight());
  if (!lit.plate.isNull()) painter.drawPixmap(at + lit.plate_rect.topLeft(), lit.plate);
}

// As a painter on the key itself would start: the key's font and caption colour.
void DeviceKeyButton::PaintUnlit(QPainter& painter) {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
  DrawCaption(painter, option.palette, caption);
}

}  // namespace vandrel
