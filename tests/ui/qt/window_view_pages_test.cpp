// The pages of a window's placeholders are built when first shown: not before, with whatever the
// model holds by then, bound to their own placeholder's controls, and in step with the model
// after.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ui/qt/device_key_button.h"
#include "ui/qt/window_view.h"
#include "window_view_fixture.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Three pages of a tab layout: two placeholders, the first holding a hidden placeholder of its
// own, and a page of widgets. Every page has a "caption" and a "kb_key_1", as the real pages
// repeat their names.
constexpr std::string_view kWindow = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
 <widget class="QLabel" name="caption"/>
 <widget class="QStackedWidget" name="pages">
  <property name="geometry"><rect><x>0</x><y>20</y><width>400</width><height>280</height></rect></property>
  <widget class="QWidget" name="dpi_area"><property name="tag" stdset="0"><string>MS_DPI_UI</string></property></widget>
  <widget class="QWidget" name="key_area"><property name="tag" stdset="0"><string>MS_Key_UI</string></property></widget>
  <widget class="QWidget" name="plain_page">
   <widget class="QLabel" name="caption"/>
   <widget class="DeviceKeyButton" name="kb_key_1"/>
  </widget>
 </widget>
</widget></ui>)";

constexpr std::string_view kDpiPage = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="dpi_page">
 <widget class="QLabel" name="caption"/>
 <widget class="QSlider" name="level"><property name="maximum"><number>15</number></property></widget>
 <widget class="QRadioButton" name="left"><property name="checked"><bool>true</bool></property>
  <property name="group" stdset="0"><string>direction</string></property></widget>
 <widget class="QRadioButton" name="right"><property name="group" stdset="0"><string>direction</string></property></widget>
 <widget class="QLineEdit" name="name"/>
 <widget class="QListWidget" name="rows"/>
 <widget class="QPushButton" name="apply"/>
 <widget class="DeviceKeyButton" name="kb_key_1"/>
 <widget class="QWidget" name="cursor_area"><property name="visible"><bool>false</bool></property>
  <property name="tag" stdset="0"><string>MS_CURSOR_UI</string></property></widget>
</widget></ui>)";

constexpr std::string_view kKeyPage = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="key_page">
 <widget class="QLabel" name="caption"/>
 <widget class="DeviceKeyButton" name="kb_key_1"/>
</widget></ui>)";

constexpr std::string_view kCursorPage = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="cursor_page">
 <widget class="QLabel" name="caption"/>
</widget></ui>)";

class WindowPagesTest : public testing::WindowViewFixture {
 protected:
  void SetUp() override {
    Build(kWindow, {{"Mouse_DPI.xml", kDpiPage},
                    {"Mouse_key.xml", kKeyPage},
                    {"Mouse_cursor.xml", kCursorPage}});
  }

  // The captions in document order: the window's, the DPI page's, its cursor page's, the key
  // page's, the plain page's.
  Control& Caption(std::size_t n) { return *model_->FindAll("caption").at(n); }
  Control& Key(std::size_t n) { return *model_->FindAll("kb_key_1").at(n); }
  // Whether the widgets of the page in `holder` exist.
  bool Built(std::string_view holder) {
    const QWidget* widget = view_->WidgetOf(Only(holder));
    return widget != nullptr && !widget->findChildren<QWidget*>().isEmpty();
  }
};

TEST_F(WindowPagesTest, APageIsBuiltOnlyWhenItsPlaceholderIsFirstShown) {
  struct Step {
    const char* what;
    std::function<void()> act;
    bool dpi, cursor, key, plain;
  };
  const Step steps[] = {
      {"created, window hidden", [] {}, false, false, false, false},
      {"tab changed while hidden", [&] { (void)Only("pages").SelectPage(2); }, false, false, false,
       false},
      {"window shown", [&] { view_->Widget()->show(); }, false, false, false, true},
      {"another tab chosen", [&] { (void)Only("pages").SelectPage(1); }, false, false, true, true},
      {"first tab, nested page hidden", [&] { (void)Only("pages").SelectPage(0); }, true, false,
       true, true},
      {"nested page shown", [&] { Only("cursor_area").SetVisible(true); }, true, true, true, true},
  };
  for (const Step& step : steps) {
    step.act();
    view_->Sync();
    EXPECT_EQ(Built("dpi_area"), step.dpi) << step.what;
    EXPECT_EQ(Built("cursor_area"), step.cursor) << step.what;
    EXPECT_EQ(Built("key_area"), step.key) << step.what;
    EXPECT_EQ(Built("plain_page"), step.plain) << step.what;
  }
  EXPECT_EQ(view_->WidgetOf(Caption(1))->window(), view_->Widget());
  EXPECT_THAT(Seen(), ElementsAre("windowsize root")) << "showing raises that, building nothing";
}

// Whatever the model holds when a page is built is on its widgets, set from this thread or
// another, and each control has the widget of its own page although the names repeat.
TEST_F(WindowPagesTest, APageBuiltLateShowsWhatTheModelHeldBeforeAndFollowsItAfter) {
  std::thread worker([&] {
    Caption(1).SetText("DPI page");
    Caption(2).SetText("cursor page");
    Caption(3).SetText("key page");
    Caption(4).SetText("plain page");
    Key(0).SetLight(true, 0x00FF00, 200);
    Key(2).SetLight(true, 0x0000FF, 255);
  });
  worker.join();
  Only("level").SetValue(9);
  (void)Only("right").SetSelected(true, Notify::kNo);
  Only("name").SetText("slot 3");
  Only("rows").AddItem(ListItem::OfText("first"));
  Only("rows").AddItem(ListItem::OfText("second"));
  (void)Only("rows").SelectItem(1, Notify::kNo);
  Only("apply").SetEnabled(false);
  Only("kb_key_1").SetVisible(false);
  Only("name").SetFocus(Notify::kNo);
  view_->Sync();  // nothing to apply them to yet
  view_->Widget()->show();
  view_->BuildPagesOf(Caption(2));
  view_->BuildPagesOf(Caption(3));
  view_->BuildPagesOf(Caption(4));

  const std::pair<std::size_t, const char*> captions[] = {
      {1, "DPI page"}, {2, "cursor page"}, {3, "key page"}, {4, "plain page"}};
  for (const auto& [n, text] : captions) {
    ASSERT_NE(WidgetOf<QLabel>(Caption(n)), nullptr) << n;
    EXPECT_EQ(WidgetOf<QLabel>(Caption(n))->text().toStdString(), text);
    EXPECT_TRUE(view_->WidgetOf(*Caption(n).Parent())->isAncestorOf(WidgetOf<QLabel>(Caption(n))));
  }
  EXPECT_EQ(WidgetOf<QSlider>(Only("level"))->value(), 9);
  EXPECT_FALSE(WidgetOf<QRadioButton>(Only("left"))->isChecked()) << "the skin had it checked";
  EXPECT_TRUE(WidgetOf<QRadioButton>(Only("right"))->isChecked());
  EXPECT_EQ(WidgetOf<QLineEdit>(Only("name"))->text(), "slot 3");
  EXPECT_EQ(WidgetOf<QListWidget>(Only("rows"))->count(), 2);
  EXPECT_EQ(WidgetOf<QListWidget>(Only("rows"))->currentRow(), 1);
  EXPECT_FALSE(WidgetOf<QPushButton>(Only("apply"))->isEnabled());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(Key(0))->isHidden());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(Key(0))->IsLightOn());
  EXPECT_FALSE(WidgetOf<DeviceKeyButton>(Key(1))->IsLightOn());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(Key(2))->IsLightOn());
  EXPECT_EQ(view_->Widget()->focusWidget(), view_->WidgetOf(Only("name")));
  EXPECT_THAT(Seen(), ElementsAre("windowsize root"));

  // Once built, the pages follow the model without notifications and take user input.
  Caption(3).SetText("renamed");
  Key(0).SetLight(false, 0, 0);
  Key(1).SetLight(true, 0xFF0000, 255);
  Only("apply").SetEnabled(true);
  view_->Sync();
  EXPECT_EQ(WidgetOf<QLabel>(Caption(3))->text(), "renamed");
  EXPECT_FALSE(WidgetOf<DeviceKeyButton>(Key(0))->IsLightOn());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(Key(1))->IsLightOn());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(Key(2))->IsLightOn());
  EXPECT_THAT(Seen(), IsEmpty());
  WidgetOf<QRadioButton>(Only("left"))->click();
  WidgetOf<QPushButton>(Only("apply"))->click();
  view_->Sync();
  EXPECT_THAT(Seen(), ElementsAre("click left", "selectchanged left", "click apply"));
  EXPECT_TRUE(WidgetOf<QRadioButton>(Only("left"))->isChecked());
  EXPECT_FALSE(WidgetOf<QRadioButton>(Only("right"))->isChecked());
}

}  // namespace
}  // namespace vandrel
