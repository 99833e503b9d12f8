// The layer over a picture of keys, checked on the screen itself: what a paint left there, not a
// fresh drawing, so that a key the layer fails to repaint, or paints from a stale picture, shows.
#include "ui/qt/key_light_layer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <array>
#include <functional>
#include <vector>

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
  const QPoint first(40, 45), second(100, 45), gap(160, 80), moved(160, 65);  // in the window

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
      {"moved past the others while hidden",
       [&] {
         keys[1]->hide();
         keys[1]->move(130, 40);
         keys[1]->show();
       },
       moved, 0xFF000000u},
      {"relit there", [&] { keys[1]->SetLight(true, 0x00FF00, 255); }, moved, 0xFF0000FFu},
      {"relit while the window was hidden",
       [&] {
         window.hide();
         keys[1]->SetLight(true, 0xFF0000, 255);
         QCoreApplication::processEvents();
         window.show();
       },
       moved, 0xFF00FF00u},
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

// The screen against the keys painting themselves (the layer hidden): a key the layer writes from a
// stale face, blends wrong by one step of a channel, or lets draw beyond its place, shows.
TEST(KeyLightLayerTest, TheScreenShowsWhatTheKeysWouldPaint) {
  QWidget window;
  // A background that varies everywhere, so that a key that keeps what lay under it at another
  // place shows. A texture rather than a gradient, which the style draws one step off at times.
  QImage texture(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < texture.height(); ++y) {
    for (int x = 0; x < texture.width(); ++x) texture.setPixel(x, y, qRgb(x * 4, y * 4, 128));
  }
  QPalette palette = window.palette();
  palette.setBrush(QPalette::Window, QBrush(texture));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  const QString style =
      "QPushButton{background-color:#304050;border:1px solid #8090a0;border-radius:4px;"
      "color:#f0f0f0}QPushButton:hover{background-color:#506070}"
      "QPushButton:checked{background-color:#705030}";
  window.setStyleSheet(style);
  window.resize(260, 100);
  auto* picture = new QWidget(&window);
  picture->setGeometry(10, 10, 240, 80);
  const struct {
    const char* caption;
    QRect place;
  } shapes[] = {{"Esc", {4, 6, 27, 25}},
                {"Enter", {40, 6, 55, 25}},
                {"A", {104, 6, 25, 25}},
                {"", {138, 6, 25, 40}},
                {"Space", {4, 40, 120, 26}}};
  std::vector<DeviceKeyButton*> keys;
  for (const auto& shape : shapes) {
    keys.push_back(new DeviceKeyButton(picture));
    keys.back()->setText(shape.caption);
    keys.back()->setGeometry(shape.place);
  }
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QRect area = picture->geometry();
  // The layer's picture, once it has done what it has pending: a backdrop to take again (asked for
  // by a change or by a paint) and keys to write.
  const auto shown = [&] {
    for (int paint = 0; paint < 2; ++paint) {
      QCoreApplication::processEvents();
      window.repaint(picture->geometry());
    }
    return window.windowHandle()
        ->screen()
        ->grabWindow(window.winId())
        .toImage()
        .copy(picture->geometry())
        .convertToFormat(QImage::Format_RGB32);
  };
  // The window's background with each key painted over it as its own paint event paints it, within
  // its place. The layer is left alone, so that what it keeps between changes is what the next
  // change meets.
  const auto painted_by_keys = [&] {
    QImage painted(picture->size(), QImage::Format_RGB32);
    window.render(&painted, QPoint(), QRegion(picture->geometry()), QWidget::DrawWindowBackground);
    for (DeviceKeyButton* key : keys) {
      if (key->isHidden()) continue;
      QImage place = painted.copy(key->geometry());
      {
        QPainter painter(&place);
        key->PaintAt(painter, QPoint());
      }
      QPainter(&painted).drawImage(key->pos(), place);
    }
    return painted;
  };
  const auto light_all = [&](quint32 colour, int alpha) {
    for (DeviceKeyButton* key : keys) {
      key->SetLight(true, colour, alpha);
      colour = colour * 7 + 0x203010;
      alpha = (alpha + 50) % 256;
    }
  };
  QImage glow(20, 20, QImage::Format_ARGB32_Premultiplied);
  glow.fill(Qt::transparent);
  QRadialGradient fading(10, 10, 10);
  fading.setColorAt(0, Qt::white);
  fading.setColorAt(1, Qt::transparent);
  QPainter(&glow).fillRect(glow.rect(), fading);

  const struct {
    const char* change;
    std::function<void()> apply;
  } steps[] = {
      {"lit", [&] { light_all(0x0000FF, 200); }},
      {"new colours", [&] { light_all(0x30C020, 90); }},
      {"new colours at the same alphas", [&] { light_all(0xC02030, 90); }},
      {"light image", [&] { keys[4]->SetLightImage(glow); }},
      {"hovered", [&] { QTest::mouseMove(&window, area.topLeft() + QPoint(60, 18)); }},
      {"relit while hovered", [&] { light_all(0xFFFFFF, 255); }},
      {"left", [&] { QTest::mouseMove(&window, QPoint(255, 95)); }},
      {"checked",
       [&] {
         keys[2]->setCheckable(true);
         keys[2]->setChecked(true);
       }},
      {"longer caption", [&] { keys[0]->setText("Escape"); }},
      {"unlit", [&] { keys[3]->SetLight(false, 0, 0); }},
      {"hidden", [&] { keys[1]->hide(); }},
      {"shown again", [&] { keys[1]->show(); }},
      {"restyled", [&] { window.setStyleSheet(QString(style).replace("#304050", "#405030")); }},
      {"relit after the style", [&] { light_all(0x102030, 230); }},
      {"see-through keys",
       [&] {
         window.setStyleSheet(QString(style).replace("#304050", "rgba(48,64,80,120)"));
         light_all(0x405060, 180);
       }},
      {"see-through keys relit", [&] { light_all(0x6080A0, 180); }},
      {"a key moved past the others", [&] { keys[3]->move(200, 30); }},
      {"relit after the key moved", [&] { light_all(0x5060A0, 160); }},
      {"moved over another part of the background",
       [&] { picture->move(area.topLeft() + QPoint(10, 10)); }},
      {"relit after the move", [&] { light_all(0x8090A0, 20); }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.apply();
    EXPECT_EQ(shown(), painted_by_keys());
    // The layer lies over its keys alone, wherever they go: a key outside it would not show.
    const auto* layer = picture->findChild<KeyLightLayer*>();
    ASSERT_NE(layer, nullptr);
    for (const DeviceKeyButton* key : keys)
      EXPECT_TRUE(layer->geometry().contains(key->geometry()));
    EXPECT_LT(layer->width(), picture->width());
  }
}

}  // namespace
}  // namespace vandrel
