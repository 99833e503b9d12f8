// The custom controls drawn into images and checked pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <array>
#include <functional>
#include <ranges>
#include <vector>

#include "ui/qt/chart_view.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_palette.h"
#include "ui/qt/device_key_button.h"
#include "ui/qt/wnd_host.h"

namespace vandrel {
namespace {

constexpr QRgb kBackground = 0xFF203040;
constexpr QRgb kForeground = 0xFF00B4FF;

QImage Render(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);  // no window background
  return image;
}

// A 100 × 100 circle: the ring lies 0-10 pixels inside the edge; these points are 5 in.
struct RingPoints {
  QPoint bottom{50, 95}, left{5, 50}, top{50, 5}, right{95, 50}, centre{50, 50};
};

QImage RenderCircle(int value, int minimum = 0, int maximum = 100) {
  CircleProgress circle;
  circle.resize(100, 100);
  circle.SetColours(QColor::fromRgba(kBackground), QColor::fromRgba(kForeground));
  circle.SetRange(minimum, maximum, value);
  return Render(circle);
}

TEST(CircleProgressTest, ValueZeroDrawsTheWhiteDiscOnTheBackgroundOnly) {
  const QImage image = RenderCircle(0);
  const RingPoints at;
  for (QPoint ring : {at.bottom, at.left, at.top, at.right}) {
    EXPECT_EQ(image.pixel(ring), kBackground) << ring.x() << "," << ring.y();
  }
  EXPECT_EQ(image.pixel(at.centre), 0xFFFFFFFFu);
  EXPECT_EQ(image.pixel(0, 0), 0u) << "outside the circle nothing is drawn";
}

TEST(CircleProgressTest, AFullValueDrawsAFullRing) {
  const QImage image = RenderCircle(100);
  const RingPoints at;
  for (QPoint ring : {at.bottom, at.left, at.top, at.right}) {
    EXPECT_EQ(image.pixel(ring), kForeground) << ring.x() << "," << ring.y();
  }
  EXPECT_EQ(image.pixel(at.centre), 0xFFFFFFFFu);
}

TEST(CircleProgressTest, TheRingGrowsClockwiseFromTheBottom) {
  const QImage half = RenderCircle(50);
  const RingPoints at;
  EXPECT_EQ(half.pixel(at.left), kForeground);
  EXPECT_EQ(half.pixel(at.right), kBackground);
  const QImage quarter = RenderCircle(30);
  EXPECT_EQ(quarter.pixel(at.left), kForeground);
  EXPECT_EQ(quarter.pixel(at.top), kBackground);
}

TEST(CircleProgressTest, SweepIsTruncatedAndBounded) {
  EXPECT_EQ(CircleProgressSweep(2, 0, 7), 102);
  EXPECT_EQ(CircleProgressSweep(100, 0, 100), 360);
  EXPECT_EQ(CircleProgressSweep(5, 5, 5), 0) << "an empty range sweeps nothing";
  EXPECT_EQ(CircleProgressSweep(100, 50, 100), 360) << "more than one turn is one turn";
  EXPECT_EQ(CircleProgressSweep(-10, 0, 100), 0);
}

TEST(DeviceKeyButtonTest, TheLightShowsOnlyWhileOn) {
  DeviceKeyButton key;
  key.resize(40, 30);
  const QPoint centre(20, 15);
  EXPECT_NE(Render(key).pixel(centre), 0xFFFF0000u);
  key.SetLight(false, 0x0000FF, 255);
  EXPECT_NE(Render(key).pixel(centre), 0xFFFF0000u);
  // Light colours are green << 16 | blue << 8 | red.
  key.SetLight(true, 0x0000FF, 255);
  EXPECT_EQ(Render(key).pixel(centre), 0xFFFF0000u);
  key.SetLight(true, 0x00FF00, 255);
  EXPECT_EQ(Render(key).pixel(centre), 0xFF0000FFu);
}

TEST(DeviceKeyButtonTest, TheLightImageIsTintedAndBlendedByAlpha) {
  DeviceKeyButton key;
  key.resize(40, 30);
  QImage light(40, 30, QImage::Format_ARGB32);
  light.fill(Qt::transparent);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 20; ++x) light.setPixel(x, y, 0xFFFFFFFF);  // left half only
  }
  key.SetLightImage(light);
  key.SetLight(true, 0xFF0000, 255);
  const QImage full = Render(key);
  EXPECT_EQ(full.pixel(10, 15), 0xFF00FF00u);
  EXPECT_NE(full.pixel(30, 15), 0xFF00FF00u) << "where the image is clear the key shows";
  key.SetLight(true, 0xFF0000, 128);
  // Half the light over the key's face: the face's red shows through at about half.
  const QColor face = QColor::fromRgba(Render(key).pixel(30, 15));
  const QColor blended = QColor::fromRgba(Render(key).pixel(10, 15));
  EXPECT_NEAR(blended.red(), face.red() / 2, 8);
  EXPECT_GT(blended.green(), face.green() / 2);
}

// A key keeps its light's shape and tinted copy between paints: whatever changes afterwards (its
// size, its picture, its colour) shows at the next paint.
TEST(DeviceKeyButtonTest, TheLightFollowsEveryChange) {
  const auto half = [](bool left) {
    QImage light(40, 30, QImage::Format_ARGB32);
    light.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y) {
      for (int x = left ? 0 : 20; x < (left ? 20 : 40); ++x) light.setPixel(x, y, 0xFFFFFFFF);
    }
    return light;
  };
  struct Step {
    const char* change;
    std::function<void(DeviceKeyButton&)> apply;
    QPoint lit;    // shows the light's colour
    QPoint unlit;  // shows the key's face
    QRgb colour;
  };
  const Step steps[] = {
      {"first paint", [](DeviceKeyButton&) {}, {10, 15}, {30, 15}, 0xFFFF0000u},
      {"colour",
       [](DeviceKeyButton& k) { k.SetLight(true, 0xFF0000, 255); },
       {10, 15},
       {30, 15},
       0xFF00FF00u},
      {"wider", [](DeviceKeyButton& k) { k.resize(80, 30); }, {30, 15}, {50, 15}, 0xFF00FF00u},
      {"picture",
       [&](DeviceKeyButton& k) { k.SetLightImage(half(false)); },
       {50, 15},
       {30, 15},
       0xFF00FF00u},
      {"colour again",
       [](DeviceKeyButton& k) { k.SetLight(true, 0x00FF00, 255); },
       {50, 15},
       {30, 15},
       0xFF0000FFu},
  };
  DeviceKeyButton key;
  key.resize(40, 30);
  key.SetLightImage(half(true));
  key.SetLight(true, 0x0000FF, 255);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.change);
    step.apply(key);
    const QImage image = Render(key);
    EXPECT_EQ(image.pixel(step.lit), step.colour);
    EXPECT_NE(image.pixel(step.unlit), step.colour);
  }
}

// Keys of one size and light share their light's shape: each key still shows its own light,
// whatever the others' sizes and lights are or become.
TEST(DeviceKeyButtonTest, KeysSharingAShapeEachShowTheirOwnLight) {
  QImage left(40, 30, QImage::Format_ARGB32);
  left.fill(Qt::transparent);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 20; ++x) left.setPixel(x, y, 0xFFFFFFFF);
  }
  std::array<DeviceKeyButton, 4> keys;
  for (DeviceKeyButton& key : keys) {
    key.resize(40, 30);
    key.SetLight(true, 0x00FF00, 255);  // blue
  }
  keys[1].SetLightImage(left);
  keys[2].SetLightImage(left);
  const auto lit = [&](std::size_t key, QPoint at) {
    return Render(keys[key]).pixel(at) == 0xFF0000FFu;
  };
  EXPECT_TRUE(lit(0, {30, 15}));
  EXPECT_FALSE(lit(1, {30, 15})) << "the same size with another light";
  EXPECT_TRUE(lit(2, {10, 15}));
  keys[3].resize(80, 30);
  EXPECT_TRUE(lit(3, {70, 15})) << "the same light at another size";
  EXPECT_FALSE(lit(0, {70, 15}));
  keys[2].SetLightImage({});
  EXPECT_TRUE(lit(2, {30, 15}));
  EXPECT_FALSE(lit(1, {30, 15})) << "one key's new light leaves the others'";
}

// A lit key keeps the style's drawing of its face between paints: after any change of its look it
// must paint exactly as a key given the same look afresh.
TEST(DeviceKeyButtonTest, ALitKeysFaceFollowsEveryChangeOfItsLook) {
  using Change = std::function<void(DeviceKeyButton&)>;
  const auto sheet = [](const char* colour) {
    return [colour](DeviceKeyButton& k) {
      k.setStyleSheet(QStringLiteral("QPushButton{background-color:%1;color:#FF0000;border:none}"
                                     "QPushButton:pressed{background-color:#FFFF00}"
                                     "QPushButton:checked{background-color:#00FFFF}"
                                     "QPushButton:disabled{background-color:#404040}")
                          .arg(colour));
    };
  };
  const struct {
    const char* change;
    Change apply;
  } changes[] = {
      {"style", sheet("#804000")},
      {"caption", [](DeviceKeyButton& k) { k.setText("Esc"); }},
      {"pressed", [](DeviceKeyButton& k) { k.setDown(true); }},
      {"released", [](DeviceKeyButton& k) { k.setDown(false); }},
      {"checked",
       [](DeviceKeyButton& k) {
         k.setCheckable(true);
         k.setChecked(true);
       }},
      {"disabled", [](DeviceKeyButton& k) { k.setEnabled(false); }},
      {"font", [](DeviceKeyButton& k) { k.setFont(QFont(k.font().family(), 14)); }},
      {"face picture",
       [](DeviceKeyButton& k) {
         QPixmap face(8, 8);
         face.fill(Qt::magenta);
         k.SetFaceImages({face, {}}, {});
       }},
      {"size", [](DeviceKeyButton& k) { k.resize(60, 40); }},
      {"caption removed", [](DeviceKeyButton& k) { k.setText(""); }},
  };
  std::vector<Change> applied = {sheet("#000080"), [](DeviceKeyButton& k) {
                                   k.setText("W");
                                   k.resize(40, 30);
                                   k.SetLight(true, 0x00FF00, 128);
                                 }};
  DeviceKeyButton key;
  for (const Change& change : applied) change(key);
  (void)Render(key);
  for (const auto& [name, apply] : changes) {
    SCOPED_TRACE(name);
    apply(key);
    applied.push_back(apply);
    DeviceKeyButton fresh;
    for (const Change& change : applied) change(fresh);
    EXPECT_EQ(Render(key), Render(fresh));
  }
}

// A key's face pictures take the place of the style's face, lit or not: the normal one, and the hot
// one while the mouse is over an enabled key if it has one; on a screen above 100 %, the picture at
// twice the resolution if there is one. The key's edge lies outside its light.
TEST(DeviceKeyButtonTest, FacePicturesReplaceTheStylesFaceAndFollowTheMouse) {
  constexpr QRgb kStyle = 0xFF00FF00;
  constexpr QRgb kNormal = 0xFFFF0000;
  constexpr QRgb kHot = 0xFF0000FF;
  constexpr QRgb kSharp = 0xFFFFFF00;
  const auto picture = [](QRgb colour, qreal ratio = 1) {
    QPixmap pixmap(QSize(8, 8) * ratio);
    pixmap.fill(QColor::fromRgba(colour));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
  };
  using Face = DeviceKeyButton::FacePicture;
  const Face normal{picture(kNormal), picture(kSharp, 2)};
  const Face hot{picture(kHot), {}};
  const struct {
    const char* name;
    Face normal;
    Face hot;
    bool hovered;
    bool enabled;
    bool lit;
    qreal ratio;
    QRgb edge;
  } cases[] = {
      {"no pictures", {}, {}, false, true, false, 1, kStyle},
      {"normal", normal, hot, false, true, false, 1, kNormal},
      {"hovered", normal, hot, true, true, false, 1, kHot},
      {"hovered while disabled", normal, hot, true, false, false, 1, kNormal},
      {"lit", normal, hot, false, true, true, 1, kNormal},
      {"lit and hovered", normal, hot, true, true, true, 1, kHot},
      {"hovered without a hot picture", normal, {}, true, true, true, 1, kNormal},
      {"at 200 %", normal, hot, false, true, false, 2, kSharp},
      {"at 200 % without a sharper picture", hot, {}, false, true, false, 2, kHot},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceKeyButton key;
    key.setStyleSheet("QPushButton{background-color:#00FF00;border:none}");
    key.resize(40, 30);
    key.SetFaceImages(c.normal, c.hot);
    key.setAttribute(Qt::WA_UnderMouse, c.hovered);
    key.setEnabled(c.enabled);
    key.SetLight(c.lit, 0xFFFFFF, 255);
    QImage image(key.size() * c.ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(c.ratio);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      key.PaintAt(painter, QPoint());
    }
    const auto at = [&](int x, int y) { return image.pixel(QPoint(x, y) * c.ratio); };
    EXPECT_EQ(at(0, 15), c.edge);
    EXPECT_EQ(at(39, 15), c.edge);
    EXPECT_EQ(at(20, 15) == 0xFFFFFFFFu, c.lit);
  }
}

// A lit key keeps its caption on a plate of its own face: the plate looks the same under every
// light, shows the key's look (a reassigned key's differs), and the light fills the rest.
TEST(DeviceKeyButtonTest, TheCaptionStaysReadableUnderAnyLight) {
  struct Light {
    quint32 colour;  // green << 16 | blue << 8 | red
    int alpha;
    QRgb rim;  // the light over the key's face, where no plate is
  };
  const Light lights[] = {{0x0000FF, 255, 0xFFFF0000u}, {0xFFFFFF, 255, 0xFFFFFFFFu},
                          {0x000000, 255, 0xFF000000u}, {0xFF0000, 255, 0xFF00FF00u},
                          {0x00FF00, 128, 0},           {0x00FFFF, 30, 0}};
  struct Look {
    const char* sheet;
    QRgb face;
  };
  const Look looks[] = {
      {"QPushButton{background-color:#000080;color:#FF0000;border:none;padding:0}", 0xFF000080u},
      {"QPushButton{background-color:#804000;color:#FF0000;border:none;padding:0}", 0xFF804000u}};
  for (const Look& look : looks) {
    DeviceKeyButton key;
    key.setStyleSheet(look.sheet);
    key.setText("W");
    key.resize(40, 30);
    key.ensurePolished();
    const QRect plate = key.CaptionPlate();
    ASSERT_FALSE(plate.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 40, 30).contains(plate));
    EXPECT_GE(plate.top(), 3) << "light stays visible above and below the plate";
    QImage first_plate;
    for (const Light& light : lights) {
      SCOPED_TRACE(testing::Message()
                   << look.sheet << " light " << light.colour << "/" << light.alpha);
      key.SetLight(true, light.colour, light.alpha);
      const QImage image = Render(key);
      const QImage on_plate = image.copy(plate);
      if (first_plate.isNull()) first_plate = on_plate;
      EXPECT_EQ(on_plate, first_plate) << "the caption's plate does not change with the light";
      EXPECT_EQ(image.pixel(plate.left() + 1, plate.center().y()), look.face);
      const bool caption_drawn = std::ranges::any_of(
          std::views::iota(0, on_plate.width() * on_plate.height()), [&](int i) {
            const QColor colour = on_plate.pixelColor(i % on_plate.width(), i / on_plate.width());
            return colour.red() > 160 && colour.green() < 90;
          });
      EXPECT_TRUE(caption_drawn) << "the caption's colour shows on the plate";
      if (light.rim != 0) {
        EXPECT_EQ(image.pixel(20, 1 + plate.top() / 2), light.rim);
      }
    }
  }
  DeviceKeyButton blank;
  blank.resize(40, 30);
  EXPECT_TRUE(blank.CaptionPlate().isEmpty()) << "a key without a caption is lit all over";
  blank.SetLight(true, 0x0000FF, 255);
  EXPECT_EQ(Render(blank).pixel(20, 15), 0xFFFF0000u);
}

// A caption wider than its key is set smaller until it fits inside the key's rims; one that fits
// keeps the key's font. Lit or not, the caption's colour shows at both ends of its place.
TEST(DeviceKeyButtonTest, LongCaptionsAreSetSmallerToFitTheirKey) {
  const struct {
    const char* caption;
    int width;
    bool shrinks;
  } cases[] = {{"Home", 27, true},  {"ScrLk", 28, true}, {"PgDn", 28, false}, {"PgDn", 22, true},
               {"Home", 80, false}, {"W", 27, false},    {"Pause", 28, true}};
  for (const auto& [caption, width, shrinks] : cases) {
    SCOPED_TRACE(testing::Message() << caption << " on " << width);
    DeviceKeyButton key;
    key.setStyleSheet(
        "QPushButton{background-color:#000080;color:#FF0000;border:none;padding:0;"
        "font-size:9px}");
    key.setText(caption);
    key.resize(width, 28);
    key.ensurePolished();
    const QFont font = key.CaptionFont();
    EXPECT_EQ(font.pixelSize() < key.font().pixelSize(), shrinks);
    const int advance = QFontMetrics(font).horizontalAdvance(caption);
    EXPECT_LE(advance, width - 4) << "the caption fits between the rims";
    for (const bool lit : {false, true}) {
      key.SetLight(lit, 0x00FF00, 255);
      const QImage image = Render(key);
      const int left = (width - advance) / 2;
      const auto red_in = [&image](int from, int to) {
        for (int x = from; x < to; ++x) {
          for (int y = 0; y < image.height(); ++y) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() > 160 && colour.green() < 90 && colour.blue() < 90) return true;
          }
        }
        return false;
      };
      EXPECT_TRUE(red_in(left, left + advance / 3)) << "lit " << lit;
      EXPECT_TRUE(red_in(left + 2 * advance / 3, left + advance)) << "lit " << lit;
    }
  }
}

TEST(ChartViewTest, WithoutItemsNothingIsDrawn) {
  ChartView chart;
  chart.resize(120, 80);
  chart.SetShowText(true);
  const QImage pie = Render(chart);
  for (int y = 0; y < pie.height(); ++y) {
    for (int x = 0; x < pie.width(); ++x) ASSERT_EQ(qAlpha(pie.pixel(x, y)), 0) << x << "," << y;
  }
  QImage shadow(4, 4, QImage::Format_ARGB32);
  shadow.fill(0xFF445566);
  chart.SetView(ChartView::View::kBar);
  chart.SetShowText(false);
  chart.SetShadow(shadow, 6);
  const QImage bars = Render(chart);
  EXPECT_EQ(bars.pixel(60, 77), 0xFF445566u) << "the bar chart keeps its shadow";
  EXPECT_EQ(qAlpha(bars.pixel(60, 40)), 0);
}

TEST(ChartViewTest, PieSlicesShareTheCircleByValue) {
  ChartView chart;
  chart.resize(110, 110);
  chart.SetItems({{"a", 3}, {"b", 1}});
  const QImage image = Render(chart);
  // Slices run clockwise from 3 o'clock: "a" covers three quarters, "b" the last (upper right).
  const QRgb below = image.pixel(55, 90);
  const QRgb upper_right = image.pixel(80, 30);
  EXPECT_EQ(qAlpha(below), 255);
  EXPECT_NE(below, upper_right);
  EXPECT_EQ(image.pixel(20, 55), below) << "left lies in the first slice too";
}

// Across to the right and down are positive, one scale for both, 0, 0 always in the box.
TEST(ChartViewTest, APathJoinsItsPointsAndRingsTheMarkedOne) {
  ChartView chart;
  chart.resize(124, 124);  // 100 × 100 inside the margins
  chart.SetView(ChartView::View::kPath);
  chart.SetItems({{"", 0, 0, false}, {"", 0, 50, false}, {"", -20, 100, true}});
  const QImage image = Render(chart);
  // Scale 1; the box (-20 … 0 across, 0 … 100 down) is centred: 0, 0 sits at 72, 12.
  const auto drawn = [&](int x, int y) { return qAlpha(image.pixel(x, y)) > 0; };
  const struct {
    int x, y;
    bool drawn;
  } cases[] = {
      {72, 37, true},    // on the first line, straight down
      {62, 87, true},    // on the second, down and to the left
      {52, 112, true},   // the last point
      {92, 112, false},  // where it would be if across were mirrored
      {52, 30, false},   // where it would be if down were mirrored
      {78, 62, false},   // no ring around an unmarked point
      {72, 120, true},   // the line through 0 across
  };
  for (const auto& c : cases) EXPECT_EQ(drawn(c.x, c.y), c.drawn) << c.x << "," << c.y;
  EXPECT_GT(qRed(image.pixel(58, 112)), 200) << "the marked point's ring";
  EXPECT_GT(qRed(image.pixel(46, 112)), 200);
}

TEST(ColourPaletteTest, AClickPicksTheColourUnderTheMouse) {
  ColourPalette palette;
  palette.resize(101, 101);
  QSignalSpy picked(&palette, &ColourPalette::ColourPicked);
  QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(0, 50));
  ASSERT_EQ(picked.count(), 1);
  EXPECT_EQ(picked.front().front().value<QColor>().rgb(), 0xFFFF0000u);
  palette.SetColour(Qt::blue);
  EXPECT_EQ(picked.count(), 1) << "setting the colour is not a pick";
}

// At any scale the field has a colour of its own in every device pixel: drawn at 1× and scaled up,
// neighbouring pixels would come in equal pairs.
TEST(ColourPaletteTest, TheFieldIsDrawnAtTheResolutionOfItsDevice) {
  ColourPalette palette;
  palette.resize(100, 80);
  palette.SetColour(QColor::fromRgb(0xFF0199CB));
  for (const int ratio : {1, 2, 3}) {
    QImage image(palette.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    palette.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const int y = image.height() * 3 / 4;  // full saturation, half value: the hue alone changes
    int distinct = 0;
    for (int x = 1; x < image.width(); ++x) {
      if (image.pixel(x, y) != image.pixel(x - 1, y)) ++distinct;
    }
    EXPECT_GT(distinct, image.width() * 3 / 4) << "ratio " << ratio;
    EXPECT_EQ(image.pixel(0, y), PaletteColourAt({0, y}, image.size()).rgb()) << ratio;
  }
}

TEST(WndHostTest, TheHostedWindowFollowsThePlace) {
  QWidget window;
  window.resize(300, 200);
  auto* place = new WndHost(&window);
  place->setGeometry(40, 30, 100, 50);
  auto* hosted = new QWidget(&window);
  place->Attach(hosted);
  window.show();
  EXPECT_EQ(hosted->geometry(), QRect(40, 30, 100, 50));
  EXPECT_TRUE(hosted->isVisible());
  place->setGeometry(10, 20, 60, 40);
  EXPECT_EQ(hosted->geometry(), QRect(10, 20, 60, 40));
  place->hide();
  EXPECT_FALSE(hosted->isVisible());
  place->show();
  EXPECT_TRUE(hosted->isVisible());
}

}  // namespace
}  // namespace vandrel
