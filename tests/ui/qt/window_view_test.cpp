// The Qt view of a window: user input becomes notifications, model changes reach the widgets
// without notifications, and changes from worker threads arrive in order.
#include "ui/qt/window_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <thread>

#include "support/temp_dir.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_swatch.h"
#include "ui/qt/device_key_button.h"
#include "ui/qt/wait_until.h"
#include "window_view_fixture.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
 <widget class="QPushButton" name="okbtn"/>
 <widget class="QRadioButton" name="kb_tab"><property name="group" stdset="0"><string>device</string></property></widget>
 <widget class="QRadioButton" name="ms_tab"><property name="group" stdset="0"><string>device</string></property></widget>
 <widget class="QCheckBox" name="ms_cursor_x_check"/>
 <widget class="QSlider" name="ms_DPI3_slider"><property name="maximum"><number>15</number></property></widget>
 <widget class="QLineEdit" name="ms_key_fct_edit_12"/>
 <widget class="QComboBox" name="ms_key_fct_combo"/>
 <widget class="QListWidget" name="ms_Macro_list"/>
 <widget class="QLabel" name="caption"><property name="text"><string>tab_mouse</string></property>
  <property name="resourcetext" stdset="0"><bool>true</bool></property></widget>
 <widget class="QStackedWidget" name="pages"><widget class="QWidget" name="p0"/><widget class="QWidget" name="p1"/></widget>
 <widget class="DeviceKeyButton" name="kb_key_1"><property name="geometry"><rect><x>200</x><y>200</y><width>40</width><height>30</height></rect></property></widget>
 <widget class="DeviceKeyButton" name="kb_key_1"><property name="geometry"><rect><x>300</x><y>200</y><width>40</width><height>30</height></rect></property></widget>
 <widget class="CircleProgress" name="setting_progress"/>
</widget></ui>)";

class WindowViewTest : public testing::WindowViewFixture {
 protected:
  void SetUp() override {
    texts_->SetLanguage("en", {{"tab_mouse", "Mouse"}});
    Build(kLayout);
  }
};

// What a user does to a widget changes the model and raises the notifications a user raises.
TEST_F(WindowViewTest, UserInputBecomesNotifications) {
  Widget<QPushButton>("okbtn")->click();
  EXPECT_THAT(Seen(), ElementsAre("click okbtn"));

  auto* kb = Widget<QRadioButton>("kb_tab");
  auto* ms = Widget<QRadioButton>("ms_tab");
  kb->click();
  ms->click();
  view_->Sync();
  EXPECT_THAT(Seen(), ElementsAre("click kb_tab", "selectchanged kb_tab", "click ms_tab",
                                  "selectchanged ms_tab"));
  EXPECT_FALSE(kb->isChecked());
  EXPECT_TRUE(ms->isChecked());
  ms->click();
  EXPECT_TRUE(ms->isChecked()) << "a selected option of a group stays selected";
  auto* check = Widget<QCheckBox>("ms_cursor_x_check");
  check->click();
  check->click();
  EXPECT_FALSE(check->isChecked());
  EXPECT_FALSE(Only("ms_cursor_x_check").IsSelected());
  (void)Seen();

  auto* slider = Widget<QSlider>("ms_DPI3_slider");
  slider->setSliderDown(true);
  slider->setValue(6);
  slider->setValue(7);
  slider->setSliderDown(false);
  EXPECT_THAT(Seen(),
              ElementsAre("movevaluechanged ms_DPI3_slider", "movevaluechanged ms_DPI3_slider",
                          "valuechanged ms_DPI3_slider"));
  EXPECT_EQ(Only("ms_DPI3_slider").Value(), 7);

  QTest::keyClicks(Widget<QLineEdit>("ms_key_fct_edit_12"), "30");
  EXPECT_THAT(Seen(),
              ElementsAre("textchanged ms_key_fct_edit_12", "textchanged ms_key_fct_edit_12"));
  EXPECT_EQ(Only("ms_key_fct_edit_12").Text(), "30");

  for (const char* text : {"a", "b"}) {
    Only("ms_key_fct_combo").AddItem(ListItem::OfText(text));
    Only("ms_Macro_list").AddItem(ListItem::OfText(text));
  }
  view_->Sync();
  Q_EMIT Widget<QComboBox>("ms_key_fct_combo")->activated(1);
  auto* list = Widget<QListWidget>("ms_Macro_list");
  ASSERT_EQ(list->count(), 2);
  Q_EMIT list->itemClicked(list->item(1));
  EXPECT_THAT(Seen(), ElementsAre("itemselect ms_key_fct_combo", "itemselect ms_Macro_list",
                                  "itemclick ms_Macro_list"));
  EXPECT_EQ(Only("ms_key_fct_combo").CurrentIndex(), 1);
}

// Rows the style sheet draws: a row with a style or several cells is a row widget named after the
// row's style, with a label per cell named after the cell's; a plain row is the list's own text.
TEST_F(WindowViewTest, StyledRowsAreNamedAfterTheirStyles) {
  Control& list = Only("ms_Macro_list");
  list.AddItem(ListItem::OfText("plain"));
  ListItem named = ListItem::OfText("name_1");
  named.style = "listex_item_style";
  list.AddItem(named);
  ListItem step;
  step.cells = {{"tab_mouse", true, "macro_label_mouse_style"},
                {"", false, "macro_label_down_style"},
                {"50", false, "macro_label_text_style"}};
  list.AddItem(step);
  view_->Sync();
  auto* widget = Widget<QListWidget>("ms_Macro_list");
  ASSERT_EQ(widget->count(), 3);
  EXPECT_EQ(widget->item(0)->text(), "plain");
  // The row widget's name, then each label's name and text.
  const auto labels = [&](int row) {
    const QWidget* row_widget = widget->itemWidget(widget->item(row));
    if (row_widget == nullptr) return std::string("none");
    std::string texts = row_widget->objectName().toStdString() + ":";
    for (const QLabel* label : row_widget->findChildren<QLabel*>()) {
      texts += " " + label->objectName().toStdString() + "=" + label->text().toStdString();
    }
    return texts;
  };
  EXPECT_EQ(labels(0), "none");
  EXPECT_EQ(labels(1), "listex_item_style: =name_1");
  EXPECT_EQ(labels(2),
            ": macro_label_mouse_style=Mouse macro_label_down_style= macro_label_text_style=50");
}

// The model's changes, from a value to the language, reach the widgets without notifications; of a
// tab layout only the current page is shown; widgets of the same name bind in document order.
TEST_F(WindowViewTest, ModelChangesReachWidgetsWithoutNotifications) {
  auto* pages = Widget<QStackedWidget>("pages");
  EXPECT_FALSE(pages->widget(0)->isHidden());
  EXPECT_TRUE(pages->widget(1)->isHidden());
  EXPECT_EQ(Widget<QLabel>("caption")->text(), "Mouse");
  const std::vector<Control*> keys = model_->FindAll("kb_key_1");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_NE(view_->WidgetOf(*keys[0]), view_->WidgetOf(*keys[1]));

  Only("ms_DPI3_slider").SetValue(9);
  Only("ms_key_fct_edit_12").SetText("255");
  Only("kb_tab").SetSelected(true, Notify::kNo);
  Only("pages").SelectPage(1);
  Only("p0").SetVisible(true);
  Only("okbtn").SetEnabled(false);
  Only("okbtn").SetVisible(false);
  Control& combo = Only("ms_key_fct_combo");
  combo.AddItem(ListItem::OfText("x"));
  combo.AddItem(ListItem::OfText("y"));
  combo.SelectItem(1, Notify::kNo);
  keys[1]->SetLightOn(true);
  texts_->SetLanguage("cn_zh", {{"tab_mouse", "鼠标"}});
  QApplication::processEvents();

  EXPECT_EQ(Widget<QSlider>("ms_DPI3_slider")->value(), 9);
  EXPECT_EQ(Widget<QLineEdit>("ms_key_fct_edit_12")->text(), "255");
  EXPECT_TRUE(Widget<QRadioButton>("kb_tab")->isChecked());
  EXPECT_EQ(pages->currentIndex(), 1);
  EXPECT_TRUE(pages->widget(0)->isHidden());
  EXPECT_FALSE(pages->widget(1)->isHidden());
  EXPECT_FALSE(Widget<QPushButton>("okbtn")->isEnabled());
  EXPECT_TRUE(Widget<QPushButton>("okbtn")->isHidden());
  EXPECT_EQ(Widget<QComboBox>("ms_key_fct_combo")->currentIndex(), 1);
  EXPECT_FALSE(WidgetOf<DeviceKeyButton>(*keys[0])->IsLightOn());
  EXPECT_TRUE(WidgetOf<DeviceKeyButton>(*keys[1])->IsLightOn());
  EXPECT_EQ(Widget<QLabel>("caption")->text(), QString::fromUtf8("鼠标"));
  EXPECT_THAT(Seen(), IsEmpty());
}

// A swatch shows its colour inside the theme's frame without a style sheet of its own, which
// would cost Qt a parsed sheet and a style for each of a page's swatches; other buttons keep
// theirs.
class ColourSwatchViewTest : public testing::WindowViewFixture {};

TEST_F(ColourSwatchViewTest, ASwatchPaintsItsColourInsideTheThemesFrame) {
  Build(R"(<ui version="4.0"><widget class="QWidget" name="top">
 <property name="geometry"><rect><x>0</x><y>0</y><width>200</width><height>100</height></rect></property>
 <widget class="QPushButton" name="sw"><property name="class" stdset="0"><string>swatch</string></property>
  <property name="bkcolor" stdset="0"><string>#FFFF0000</string></property>
  <property name="geometry"><rect><x>10</x><y>10</y><width>26</width><height>20</height></rect></property></widget>
 <widget class="QPushButton" name="plain"><property name="bkcolor" stdset="0"><string>#FFFF0000</string></property></widget>
</widget></ui>)");
  view_->Widget()->setStyleSheet(
      "QPushButton{background-color:#262A33;border:2px solid #333845;border-radius:4px;padding:0}");
  auto* swatch = Widget<ColourSwatch>("sw");
  ASSERT_NE(swatch, nullptr);
  EXPECT_EQ(Widget<ColourSwatch>("plain"), nullptr);
  EXPECT_TRUE(Widget<QPushButton>("plain")->styleSheet().contains("background-color"));
  const auto pixel = [&](QPoint at) { return swatch->grab().toImage().pixel(at); };
  const QPoint inside(13, 10), frame(0, 10);
  const struct {
    std::uint32_t colour;
    QRgb inside;
  } steps[] = {{0xFFFF0000u, 0xFFFF0000u}, {0xFF00B4FFu, 0xFF00B4FFu}, {0, 0xFF262A33u}};
  for (const auto& step : steps) {
    Only("sw").SetBackgroundColour(step.colour);
    QApplication::processEvents();
    EXPECT_EQ(pixel(inside), step.inside) << std::hex << step.colour;
    EXPECT_EQ(pixel(frame), 0xFF333845u) << std::hex << step.colour;
    EXPECT_TRUE(swatch->styleSheet().isEmpty()) << swatch->styleSheet().toStdString();
  }
}

// A picture named by a style sheet is opened by Qt itself, which would hang on a FIFO with no
// writer: only regular files are named, whatever main.ini or the skin says.
TEST_F(WindowViewTest, OnlyRegularFilesBecomePictures) {
  // Were a FIFO opened, nothing could end the wait: the alarm ends the test program instead.
  constexpr unsigned kDeadlineSeconds = 60;
  alarm(kDeadlineSeconds);
  ASSERT_EQ(mkfifo((dir_.path() / "fifo.png").c_str(), 0600), 0);
  testing::WriteFile(dir_.path() / "real.png", "not decoded here");
  QPushButton* button = Widget<QPushButton>("okbtn");
  struct Case {
    std::string image;
    bool named;
  };
  for (const Case& c : {Case{"fifo.png", false}, Case{(dir_.path() / "fifo.png").string(), false},
                        Case{"file='fifo.png' corner='2,2,2,2'", false}, Case{"missing.png", false},
                        Case{"real.png", true}}) {
    Only("okbtn").SetBackgroundImage(c.image);
    Only("caption").SetBackgroundImage(c.image);  // a label reads its picture itself
    // A key draws its face's pictures itself: they are read the same way.
    model_->FindAll("kb_key_1").front()->SetNormalImage(c.image);
    QApplication::processEvents();
    EXPECT_EQ(button->styleSheet().contains("url("), c.named) << c.image;
  }
  alarm(0);
}

// A label draws its background picture itself, stretched under its text, without naming it in a
// style sheet (Qt would offer the file to every image plugin it has).
TEST_F(WindowViewTest, ALabelDrawsItsBackgroundPictureUnderItsText) {
  auto* caption = Widget<QLabel>("caption");
  caption->resize(120, 30);
  QImage red(2, 2, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  ASSERT_TRUE(red.save(QString::fromStdString((dir_.path() / "red.png").string())));
  const auto corner = [&] { return caption->grab().toImage().pixel(118, 1); };
  const QRgb without = corner();
  ASSERT_NE(without, qRgb(255, 0, 0));
  for (const auto& [image, shows] : {std::pair{"red.png", qRgb(255, 0, 0)},
                                     std::pair{"missing.png", without}, std::pair{"", without}}) {
    Only("caption").SetBackgroundImage(image);
    QApplication::processEvents();
    EXPECT_EQ(corner(), shows) << image;
    EXPECT_FALSE(caption->styleSheet().contains("url(")) << image;
  }
  EXPECT_EQ(caption->text(), "Mouse");
  // With a face picture too, the style sheet draws both, the face over the background.
  QImage blue(2, 2, QImage::Format_ARGB32);
  blue.fill(qRgb(0, 0, 255));
  ASSERT_TRUE(blue.save(QString::fromStdString((dir_.path() / "blue.png").string())));
  Only("caption").SetBackgroundImage("red.png");
  Only("caption").SetNormalImage("blue.png");
  QApplication::processEvents();
  EXPECT_EQ(corner(), qRgb(0, 0, 255));
}

// The skin picture's name comes from main.ini, which anyone may edit: a name made to close the
// image's quoted path must not add rules that restyle the window.
TEST_F(WindowViewTest, AnImageNameCannotRestyleTheWindow) {
  auto* caption = Widget<QLabel>("caption");
  const QImage before = caption->grab().toImage();
  const std::string rule = "QWidget{background-color:rgb(255,0,0);}";
  const std::string crafted[] = {
      "x.png\");}" + rule + "#n{border-image:url(\"",
      "x.png\\\");}" + rule + "#n{border-image:url(\\\"",
      "x.png\\22);}" + rule + "#n{border-image:url(\\22",
      "x.png\");}\n" + rule + "#n{border-image:url(\"",
  };
  for (const std::string& name : crafted) {
    // Only pictures that exist are named, so each crafted name is a file.
    testing::WriteFile(dir_.path() / name, "not decoded here");
    model_->Root().SetBackgroundImage(name);
    QApplication::processEvents();
    EXPECT_EQ(caption->grab().toImage(), before) << name;
  }
  // The comparison does see such a rule when it is given as one.
  view_->WidgetOf(model_->Root())->setStyleSheet(QString::fromStdString(rule));
  EXPECT_NE(caption->grab().toImage(), before);
}

// Counts the paints and restylings a widget receives.
class LookEvents : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched];
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::Polish) ++restyles;
    return false;
  }
  std::map<const QObject*, int> paints;
  int restyles = 0;
};

// A preview relights keys many times a second: a light change repaints that key alone, a change
// that looks the same repaints nothing, and no light change restyles a key.
TEST_F(WindowViewTest, ALightChangeRepaintsOnlyItsKeyAndNeverRestyles) {
  const std::vector<Control*> keys = model_->FindAll("kb_key_1");
  ASSERT_EQ(keys.size(), 2u);
  const std::array<QWidget*, 2> widgets = {view_->WidgetOf(*keys[0]), view_->WidgetOf(*keys[1])};
  auto* marker = Widget<QPushButton>("okbtn");
  view_->Widget()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view_->Widget()));
  LookEvents events;
  for (QObject* watched : {static_cast<QObject*>(widgets[0]), static_cast<QObject*>(widgets[1]),
                           static_cast<QObject*>(marker)}) {
    watched->installEventFilter(&events);
  }
  const QString sheet = widgets[0]->styleSheet();
  struct Step {
    std::size_t key;
    bool on;
    std::uint32_t colour;
    int alpha;
    std::array<int, 2> paints;
  };
  const Step steps[] = {
      {0, true, 0x0000FF, 255, {1, 0}}, {0, true, 0x0000FF, 255, {0, 0}},
      {0, true, 0x00FF00, 255, {1, 0}}, {0, true, 0x00FF00, 90, {1, 0}},
      {1, true, 0x00FF00, 90, {0, 1}},  {0, false, 0x00FF00, 90, {1, 0}},
      {0, false, 0x123456, 7, {0, 0}},  // an unlit key looks the same in any colour
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "key " << step.key << " " << step.on << " " << step.colour
                                      << " " << step.alpha);
    events.paints.clear();
    keys[step.key]->SetLight(step.on, step.colour, step.alpha);
    view_->Sync();
    // Every dirty widget is painted in the same pass as the marker.
    marker->update();
    ASSERT_TRUE(testing::WaitUntil([&] { return events.paints[marker] > 0; }));
    EXPECT_EQ(std::min(events.paints[widgets[0]], 1), step.paints[0]);
    EXPECT_EQ(std::min(events.paints[widgets[1]], 1), step.paints[1]);
  }
  EXPECT_EQ(events.restyles, 0);
  EXPECT_EQ(widgets[0]->styleSheet(), sheet);
}

TEST_F(WindowViewTest, WorkerChangesAndNotificationsArriveOnTheUserInterfaceThreadInOrder) {
  Control& list = Only("ms_Macro_list");
  Control& tab = Only("ms_tab");
  std::vector<std::thread::id> threads;
  model_->SetNotifyHandler([&](const Notification& n) {
    threads.push_back(std::this_thread::get_id());
    seen_.push_back(std::string(n.type) + " " + n.sender->Name());
  });
  std::thread worker([&] {
    for (int row = 0; row < 20; ++row) list.AddItem(ListItem::OfText(std::to_string(row)));
    tab.SetSelected(true, Notify::kYes);
    Only("setting_progress").SetVisible(false);
  });
  worker.join();
  EXPECT_THAT(Seen(), IsEmpty());
  QApplication::processEvents();

  auto* list_widget = Widget<QListWidget>("ms_Macro_list");
  ASSERT_EQ(list_widget->count(), 20);
  for (int row = 0; row < 20; ++row) {
    EXPECT_EQ(list_widget->item(row)->text(), QString::number(row));
  }
  EXPECT_TRUE(Widget<QRadioButton>("ms_tab")->isChecked());
  EXPECT_TRUE(Widget<CircleProgress>("setting_progress")->isHidden());
  EXPECT_THAT(Seen(), ElementsAre("selectchanged ms_tab"));
  EXPECT_THAT(threads, ElementsAre(std::this_thread::get_id()));
}

// Every control of every window gets a widget of its name once its pages are built, and that
// widget sits within its parent control's: names repeat across pages, and a page's controls
// must never take another page's widgets.
TEST(WindowViewSkinTest, EveryShippedWindowBuildsAndBindsItsNamedControls) {
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  auto texts = std::make_shared<TextResources>();
  for (const auto& [resource, file] : skin.Index()) {
    const auto model = BuildWindow(skin, resource, texts);
    ASSERT_NE(model, nullptr) << resource;
    const auto view = QtWindowView::Create(*model, skin);
    ASSERT_NE(view, nullptr) << resource;
    for (const Control* control : model->AllControls()) {
      view->BuildPagesOf(*control);
      const QWidget* widget = view->WidgetOf(*control);
      ASSERT_NE(widget, nullptr) << resource << " " << control->Name();
      if (control->Parent() == nullptr) continue;
      EXPECT_EQ(widget->objectName().toStdString(), control->Name()) << resource;
      EXPECT_TRUE(view->WidgetOf(*control->Parent())->isAncestorOf(widget))
          << resource << " " << control->Name();
    }
  }
}

// The device tabs shown are laid out from the left of their row, in their order, evenly apart,
// whichever devices are there: an absent device leaves no gap.
TEST(MainWindowViewTest, TheDeviceTabsShownSitFromTheLeftWithoutGaps) {
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  const std::unique_ptr<WindowModel> model =
      BuildWindow(skin, "XML_MAIN", std::make_shared<TextResources>());
  ASSERT_NE(model, nullptr);
  const std::unique_ptr<QtWindowView> view = QtWindowView::Create(*model, skin);
  ASSERT_NE(view, nullptr);
  view->Widget()->show();
  constexpr std::array<std::string_view, 5> kTabs = {"kb_tab", "ms_tab", "mp_tab", "ani_tab",
                                                     "split_tab"};
  const QWidget* row = nullptr;
  for (unsigned shown = 1; shown < (1U << kTabs.size()); ++shown) {
    std::vector<const QWidget*> tabs;
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
      Control* tab = model->Find(kTabs[i]);
      ASSERT_NE(tab, nullptr) << kTabs[i];
      tab->SetVisible((shown & (1U << i)) != 0);
      if ((shown & (1U << i)) != 0) tabs.push_back(view->WidgetOf(*tab));
    }
    view->Sync();
    row = tabs.front()->parentWidget();
    ASSERT_NE(row->layout(), nullptr) << "the tabs are laid out by their row";
    row->layout()->activate();
    EXPECT_EQ(tabs.front()->x(), 0) << "tabs " << shown;
    for (std::size_t i = 1; i < tabs.size(); ++i) {
      const int gap = tabs[i]->x() - tabs[i - 1]->geometry().right() - 1;
      EXPECT_TRUE(gap >= 0 && gap <= 8) << "tabs " << shown << ": " << gap << " before " << i;
      EXPECT_EQ(tabs[i]->parentWidget(), row);
    }
  }
  EXPECT_EQ(row->mapTo(view->Widget(), QPoint(0, 0)).x(), 16) << "the row starts at the margin";
}

}  // namespace
}  // namespace vandrel
