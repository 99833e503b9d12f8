// The layer over a picture of keys, checked on the screen itself: what a paint left there, not a
// fresh drawing, so that a key the layer fails to repaint, or paints from a stale picture, shows.
#include "ui/qt/key_light_layer.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>
#include <QWindow>
#include <array>
#include <functional>

#include "ui/qt/device_key_button.h"
#include "ui/qt/wait_until.h"

namespace vandrel {
namespace {

constexpr QRgb kFace = 0xFF000080u;
constexpr QRgb kHover = 0xFF008000u;
constexpr QRgb kBackground = 0xFF203040u;
constexpr QRgb kNewBackground = 0xFF405060u;

QRgb OnScreen(QWidget& window, QPoint at) {
  const QPixmap shown = window.windowHandle()->screen()->grabWindow(window.winId());
  return shown.toImage().pixel(at);
}

TEST(KeyLightLayerTest, TheScreenShowsEveryKeyAsItLooksNow) {
  QWidget window;
  window.setObjectName("top");
  window.setStyleSheet(
      "#top{background-color:#203040}"
      "QPushButton{background-color:#000080;border:none}"
      "QPushButton:hover{background-color:#008000}"
      "QPushButton:checked{background-color:#800000}");
  window.resize(200, 100);
  auto* picture = new QWidget(&window);
  picture->setGeometry(10, 10, 180, 80);
  const std::array<DeviceKeyButton*, 2> keys = {new DeviceKeyButton(picture),
                                                new DeviceKeyButton(picture)};
  keys[0]->setGeometry(10, 20, 40, 30);
  keys[1]->setGeometry(70, 20, 40, 30);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QPoint first(40, 45), second(100, 45), gap(160, 80);  // in the window

  const struct {
    const char* change;
    std::function<void()> apply;
    QPoint at;
    QRgb shows;
  } steps[] = {
      {"lit", [&] { keys[0]->SetLight(true, 0x0000FF, 255); }, first, 0xFFFF0000u},
      {"new colour", [&] { keys[0]->SetLight(true, 0x00FF00, 255); }, first, 0xFF0000FFu},
      {"clear light", [&] { keys[0]->SetLight(true, 0x00FF00, 0); }, first, kFace},
      {"hovered", [&] { QTest::mouseMove(&window, first); }, first, kHover},
      {"unlit", [&] { keys[0]->SetLight(false, 0, 0); }, first, kHover},
      {"left", [&] { QTest::mouseMove(&window, gap); }, first, kFace},
      {"checked",
       [&] {
         keys[0]->setCheckable(true);
         keys[0]->setChecked(true);
       },
       first, 0xFF800000u},
      {"other key lit", [&] { keys[1]->SetLight(true, 0xFFFFFF, 255); }, second, 0xFFFFFFFFu},
      {"hidden", [&] { keys[1]->hide(); }, second, kBackground},
      {"new background",
       [&] {
         window.setStyleSheet(window.styleSheet().replace("#203040", "#405060"));
         keys[1]->show();
         keys[1]->SetLight(true, 0x000000, 255);
       },
       gap, kNewBackground},
      {"shown again", [] {}, second, 0xFF000000u},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.apply();
    EXPECT_TRUE(testing::WaitUntil([&] { return OnScreen(window, step.at) == step.shows; }))
        << std::hex << OnScreen(window, step.at);
  }
  EXPECT_EQ(picture->findChildren<KeyLightLayer*>().size(), 1u) << "lights bring one layer";
  // Over a picture that holds more than keys, a layer would hide the rest.
  QWidget mixed;
  new DeviceKeyButton(&mixed);
  new QPushButton(&mixed);
  EXPECT_EQ(KeyLightLayer::Over(mixed), nullptr);
}

}  // namespace
}  // namespace vandrel
