// The skin's layout loader: it makes the skin's own widgets without Qt's .ui loader and the
// libraries that one brings (Qt Designer's widget plugins, QtQuick and QtQml among them); it leaves
// tab pages and the panels the layout hides empty until asked to fill them.
#include "ui/qt/skin_ui_loader.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QWidget>
#include <fstream>
#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "ui/qt/device_key_button.h"

namespace vandrel {
namespace {

constexpr std::string_view kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <widget class="QPushButton" name="okbtn"/>
 <widget class="DeviceKeyButton" name="kb_key_1"/>
</widget></ui>)";

// Whether a library whose file name holds NAME is mapped into this process.
bool IsMapped(const std::string& name) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find(name) != std::string::npos) return true;
  }
  return false;
}

TEST(SkinUiLoaderTest, LoadsTheLayoutWithoutQtsLoader) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "res.xml",
                     "<resources><file name='XML_TEST' path='test.ui'/></resources>");
  testing::WriteFile(dir.path() / "test.ui", kLayout);
  Skin skin(dir.path());
  ASSERT_TRUE(skin.LoadIndex());
  SkinUiLoader loader(skin);
  const std::unique_ptr<QWidget> top(loader.LoadFile("XML_TEST"));

  ASSERT_NE(top, nullptr);
  EXPECT_NE(top->findChild<QWidget*>("okbtn"), nullptr);
  EXPECT_NE(top->findChild<DeviceKeyButton*>("kb_key_1"), nullptr);
  for (const char* library : {"libQt6UiTools.so", "libQt6Quick.so", "libQt6Qml.so"}) {
    EXPECT_FALSE(IsMapped(library)) << library;
  }
}

// A tab layout whose pages are: widgets with a tab layout of their own, a placeholder, nothing, and
// a layout of widgets.
constexpr std::string_view kTabs = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <widget class="QLabel" name="outside"/>
 <widget class="QStackedWidget" name="tabs">
  <widget class="QWidget" name="page_widgets">
   <property name="toolTip"><string>kept</string></property>
   <widget class="QLabel" name="first"/>
   <widget class="QStackedWidget" name="inner">
    <widget class="QWidget" name="inner_page"><widget class="QLabel" name="deep"/></widget>
   </widget>
  </widget>
  <widget class="QWidget" name="page_tag"><property name="tag" stdset="0"><string>MS_DPI_UI</string></property></widget>
  <widget class="QWidget" name="page_empty"/>
  <widget class="QWidget" name="page_layout">
   <layout class="QVBoxLayout" name="rows"><item><widget class="QLabel" name="row"/></item></layout>
  </widget>
 </widget>
</widget></ui>)";

TEST(SkinUiLoaderTest, TabPagesAreFilledOnlyWhenAsked) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "tabs.ui", kTabs);
  SkinUiLoader loader{Skin(dir.path())};
  const std::unique_ptr<QWidget> top(loader.LoadFile("tabs.ui"));
  ASSERT_NE(top, nullptr);
  const auto page = [&](const char* name) { return top->findChild<QWidget*>(name); };
  const auto label = [&](const char* name) { return top->findChild<QLabel*>(name); };
  ASSERT_NE(label("outside"), nullptr);
  struct Case {
    const char* page;
    bool set_aside;
  };
  for (const Case& tab : {Case{"page_widgets", true}, Case{"page_tag", false},
                          Case{"page_empty", false}, Case{"page_layout", true}}) {
    ASSERT_NE(page(tab.page), nullptr) << tab.page;
    EXPECT_EQ(loader.HoldsSetAside(*page(tab.page)), tab.set_aside) << tab.page;
    EXPECT_TRUE(page(tab.page)->findChildren<QWidget*>().isEmpty()) << tab.page;
  }
  EXPECT_EQ(page("page_widgets")->toolTip(), "kept") << "the page keeps its own properties";

  ASSERT_NE(loader.FillPage(*page("page_widgets")), nullptr);
  EXPECT_FALSE(loader.HoldsSetAside(*page("page_widgets")));
  EXPECT_EQ(loader.FillPage(*page("page_widgets")), nullptr) << "filled once";
  ASSERT_NE(label("first"), nullptr);
  EXPECT_TRUE(page("page_widgets")->isAncestorOf(label("first")));
  ASSERT_NE(page("inner_page"), nullptr);
  EXPECT_EQ(label("deep"), nullptr) << "a page within a page waits for its own turn";
  ASSERT_NE(loader.FillPage(*page("inner_page")), nullptr);
  EXPECT_TRUE(page("inner_page")->isAncestorOf(label("deep")));

  ASSERT_NE(loader.FillPage(*page("page_layout")), nullptr);
  ASSERT_NE(label("row"), nullptr);
  EXPECT_NE(label("row")->parentWidget()->layout(), nullptr) << "the page's layout came along";
  EXPECT_EQ(loader.FillPage(*page("page_empty")), nullptr);
}

// Widgets the layout hides, of which only "panel" is a panel whose contents can wait: the others
// are shown, a placeholder, nameless, not a plain container, or sized by a layout.
constexpr std::string_view kHidden = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <widget class="QWidget" name="panel">
  <property name="visible"><bool>false</bool></property>
  <property name="toolTip"><string>kept</string></property>
  <widget class="QComboBox" name="in_panel"/>
  <widget class="QWidget" name="inner_panel">
   <property name="visible"><bool>false</bool></property>
   <widget class="QLabel" name="deep"/>
  </widget>
 </widget>
 <widget class="QWidget" name="shown"><widget class="QLabel" name="in_shown"/></widget>
 <widget class="QWidget" name="hidden_tag">
  <property name="visible"><bool>false</bool></property>
  <property name="tag" stdset="0"><string>MS_DPI_UI</string></property>
 </widget>
 <widget class="QWidget">
  <property name="visible"><bool>false</bool></property>
  <widget class="QLabel" name="in_nameless"/>
 </widget>
 <widget class="QFrame" name="frame">
  <property name="visible"><bool>false</bool></property>
  <widget class="QLabel" name="in_frame"/>
 </widget>
 <widget class="QWidget" name="laid_out">
  <layout class="QVBoxLayout" name="column"><item><widget class="QWidget" name="in_layout">
   <property name="visible"><bool>false</bool></property>
   <widget class="QLabel" name="in_laid_out"/>
  </widget></item></layout>
 </widget>
</widget></ui>)";

TEST(SkinUiLoaderTest, HiddenPanelsAreFilledOnlyWhenAsked) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "hidden.ui", kHidden);
  SkinUiLoader loader{Skin(dir.path())};
  const std::unique_ptr<QWidget> top(loader.LoadFile("hidden.ui"));
  ASSERT_NE(top, nullptr);
  const auto find = [&](const char* name) { return top->findChild<QWidget*>(name); };
  for (const char* made : {"in_shown", "in_nameless", "in_frame", "in_laid_out"})
    EXPECT_NE(find(made), nullptr) << made;
  for (const char* kept : {"shown", "hidden_tag", "frame", "in_layout"})
    EXPECT_FALSE(loader.HoldsSetAside(*find(kept))) << kept;
  ASSERT_NE(find("panel"), nullptr);
  EXPECT_TRUE(loader.HoldsSetAside(*find("panel")));
  EXPECT_TRUE(find("panel")->findChildren<QWidget*>().isEmpty());
  EXPECT_EQ(find("panel")->toolTip(), "kept") << "the panel keeps its own properties";
  EXPECT_TRUE(find("panel")->isHidden());

  ASSERT_NE(loader.FillPage(*find("panel")), nullptr);
  ASSERT_NE(find("in_panel"), nullptr);
  EXPECT_TRUE(find("panel")->isAncestorOf(find("in_panel")));
  ASSERT_NE(find("inner_panel"), nullptr);
  EXPECT_TRUE(loader.HoldsSetAside(*find("inner_panel"))) << "a panel within a panel waits too";
  EXPECT_EQ(find("deep"), nullptr);
}

}  // namespace
}  // namespace vandrel
