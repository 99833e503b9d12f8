#include "ui/qt/device_key_button.h"

#include <QPainter>
#include <algorithm>
#include <utility>

namespace vandrel {

DeviceKeyButton::DeviceKeyButton(QWidget* parent) : QPushButton(parent) {}

void DeviceKeyButton::SetLight(bool on, quint32 colour, int alpha) {
  light_on_ = on;
  light_colour_ = colour;
  light_alpha_ = std::clamp(alpha, 0, 255);
  update();
}

void DeviceKeyButton::SetLightImage(QImage image) {
  light_image_ = std::move(image);
  update();
}

QImage DeviceKeyButton::TintedLight() const {
  QImage tinted(size(), QImage::Format_ARGB32_Premultiplied);
  tinted.fill(Qt::transparent);
  QPainter painter(&tinted);
  if (light_image_.isNull()) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
  } else {
    painter.drawImage(rect(), light_image_);
  }
  // Keep the light's shape, take the light's colour.
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  const auto channel = [this](int shift) {
    return static_cast<int>((light_colour_ >> shift) & 0xFFu);
  };
  painter.fillRect(rect(), QColor(channel(0), channel(16), channel(8)));
  return tinted;
}

void DeviceKeyButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!light_on_) return;
  QPainter painter(this);
  painter.setOpacity(light_alpha_ / 255.0);
  painter.drawImage(0, 0, TintedLight());
}

}  // namespace vandrel
