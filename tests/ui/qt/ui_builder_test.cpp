// The layout builder: it gives each widget the properties Qt's own loader gave it (the skin's
// names as dynamic properties of the same types), skips and traces once what it does not know,
// and survives files no skin would hold.
#include "ui/qt/ui_builder.h"

#include <gtest/gtest.h>

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <string>

#include "core/trace.h"

namespace vandrel {
namespace {

std::unique_ptr<QWidget> Build(UiBuilder& builder, const std::string& widgets,
                               QWidget* parent = nullptr) {
  return std::unique_ptr<QWidget>(builder.Build(
      R"(<?xml version="1.0"?><ui version="4.0"><widget class="QWidget" name="top">)" + widgets +
          "</widget></ui>",
      parent));
}

std::string Widget(const char* type, const char* properties) {
  return std::string("<widget class=\"") + type + "\" name=\"w\">" + properties + "</widget>";
}

TEST(UiBuilderTest, PropertiesAreSetAsQtsLoaderSetThem) {
  struct Case {
    const char* type;
    const char* properties;
    const char* name;  // of the property read back
    QVariant expected;
  };
  const Case cases[] = {
      {"QLabel", "<property name='alignment'><set>Qt::AlignRight|Qt::AlignVCenter</set></property>",
       "alignment", QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter)},
      {"QPushButton",
       "<property name='geometry'><rect><x>5</x><y>6</y><width>70</width><height>8</height></rect>"
       "</property>",
       "geometry", QRect(5, 6, 70, 8)},
      {"QSlider", "<property name='orientation'><enum>Qt::Horizontal</enum></property>",
       "orientation", QVariant::fromValue(Qt::Horizontal)},
      {"QRadioButton",
       "<property name='minimumSize'><size><width>120</width><height>32</height></size></property>",
       "minimumSize", QSize(120, 32)},
      {"QListWidget",
       "<property name='horizontalScrollBarPolicy'><enum>Qt::ScrollBarAlwaysOff</enum></property>",
       "horizontalScrollBarPolicy", QVariant::fromValue(Qt::ScrollBarAlwaysOff)},
      {"QWidget", "<property name='userdata' stdset='0'><string>3</string></property>", "userdata",
       QString("3")},
      {"QWidget", "<property name='resourcetext' stdset='0'><bool>true</bool></property>",
       "resourcetext", true},
      {"QWidget", "<property name='setasidepage' stdset='0'><number>12</number></property>",
       "setasidepage", 12},
      {"QComboBox",
       "<property name='currentIndex'><number>2</number></property><item><property name='text'>"
       "<string>a</string></property></item><item/><item><property name='text'><string>c</string>"
       "</property></item>",
       "currentText", QString("c")},
      {"QStackedWidget",
       "<property name='currentIndex'><number>1</number></property>"
       "<widget class='QWidget' name='p0'/><widget class='DeviceKeyButton' name='p1'/>",
       "currentIndex", 1},
  };
  for (const Case& each : cases) {
    UiBuilder builder;
    const auto top = Build(builder, Widget(each.type, each.properties));
    ASSERT_NE(top, nullptr) << each.properties;
    const auto* widget = top->findChild<QWidget*>("w");
    ASSERT_NE(widget, nullptr) << each.properties;
    EXPECT_STREQ(widget->metaObject()->className(), each.type);
    const QVariant value = widget->property(each.name);
    EXPECT_EQ(value.metaType(), each.expected.metaType()) << each.name;
    EXPECT_EQ(value, each.expected) << each.properties;
  }
}

TEST(UiBuilderTest, TheTopTakesOnlyItsSizeAndALayoutItsItems) {
  UiBuilder builder;
  QWidget parent;
  const std::unique_ptr<QWidget> top(builder.Build(R"(<ui><widget class="QDialog" name="top">
   <property name="geometry"><rect><x>50</x><y>60</y><width>380</width><height>200</height></rect></property>
   <widget class="QWidget" name="row"><layout class="QHBoxLayout" name="tabs">
    <property name="spacing"><number>4</number></property>
    <property name="leftMargin"><number>1</number></property>
    <property name="bottomMargin"><number>2</number></property>
    <item><widget class="QRadioButton" name="first"/></item>
    <item><spacer name="rest"><property name="orientation"><enum>Qt::Horizontal</enum></property></spacer></item>
   </layout></widget></widget></ui>)",
                                                   &parent));
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->geometry(), QRect(0, 0, 380, 200));
  EXPECT_EQ(top->parentWidget(), &parent);
  EXPECT_TRUE(top->isWindow()) << "a dialog stays a window of its own";
  const auto* layout = top->findChild<QHBoxLayout*>("tabs");
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(layout->spacing(), 4);
  EXPECT_EQ(layout->contentsMargins().left(), 1);
  EXPECT_EQ(layout->contentsMargins().bottom(), 2);
  EXPECT_EQ(layout->property("leftMargin"), 1) << "kept as a dynamic property too";
  ASSERT_EQ(layout->count(), 2);
  EXPECT_EQ(layout->itemAt(0)->widget(), top->findChild<QWidget*>("first"));
  ASSERT_NE(layout->itemAt(1)->spacerItem(), nullptr);
  EXPECT_EQ(layout->itemAt(1)->expandingDirections(), Qt::Horizontal);
}

TEST(UiBuilderTest, WhatItDoesNotKnowIsSkippedAndTracedOnce) {
  TraceCapture trace;
  UiBuilder builder;
  const std::string twice =
      "<widget class='QTreeView' name='tree'><widget class='QLabel' name='in_tree'/></widget>"
      "<widget class='QLabel' name='label'>"
      " <property name='palette'><palette/></property>"
      " <property name='alignment'><set>Qt::AlignSideways</set></property>"
      " <property name='text'><string>kept</string></property>"
      " <zorder>x</zorder></widget>"
      "<widget class='QWidget' name='box'>"
      " <layout class='QGridLayout' name='grid'><item><widget class='QLabel' "
      "name='in_grid'/></item></layout>"
      " <item><property name='text'><string>item of a plain "
      "widget</string></property></item></widget>";
  const auto top = Build(builder, twice + twice);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->findChild<QWidget*>("tree"), nullptr);
  EXPECT_EQ(top->findChild<QWidget*>("in_tree"), nullptr) << "with what it holds";
  EXPECT_EQ(top->findChild<QWidget*>("in_grid"), nullptr);
  EXPECT_EQ(top->findChildren<QLabel*>("label").size(), 2);
  EXPECT_EQ(top->findChild<QLabel*>("label")->text(), "kept");
  EXPECT_EQ(top->findChild<QLabel*>("label")->alignment(), QLabel().alignment());
  EXPECT_EQ(top->findChild<QWidget*>("box")->layout(), nullptr);
  const std::vector<std::string> lines = trace.Lines();
  for (const char* what :
       {"widget class \"QTreeView\"", "property \"palette\"", "property \"alignment\"",
        "element \"zorder\"", "layout class \"QGridLayout\"", "items of \"box\""}) {
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "skin layout: skipped " + std::string(what)),
              1)
        << what;
  }
}

// A tower of `floors` widgets, each inside the one before.
std::string Tower(int floors) {
  std::string tower;
  for (int floor = 0; floor < floors; ++floor) tower += "<widget class='QWidget' name='floor'>";
  for (int floor = 0; floor < floors; ++floor) tower += "</widget>";
  return tower;
}

TEST(UiBuilderTest, FilesNoSkinWouldHoldAreSurvived) {
  struct Case {
    std::string text;
    bool made;  // whether a top widget comes back
  };
  const Case cases[] = {
      {"", false},
      {"not xml <", false},
      {"<ui/>", false},
      {"<ui><widget name='no class'/></ui>", false},
      {"<ui><widget class='QWidget'>" + Tower(5000) + "</widget></ui>", true},
      {"<ui><widget class='QWidget'><widget class='QLabel'><property name='geometry'><rect><x>-9"
       "</x><width>99999999999</width><height>x</height></rect></property><property/>"
       "<property name=''><string/></property><property name='text'/></widget></widget></ui>",
       true},
      {"<ui><widget class='QStackedWidget'><property name='currentIndex'><number>99</number>"
       "</property></widget></ui>",
       true},
      {"<ui><widget class='QComboBox'><property name='currentIndex'><number>-5</number></property>"
       "<item/><item><property name='text'><number>1</number></property></item></widget></ui>",
       true},
      {"<ui><widget class='QWidget'><layout class='QVBoxLayout'><item/><item><layout/></item>"
       "</layout><layout class='QHBoxLayout'/></widget></ui>",
       true},
      {"<ui><widget class='QWidget'><layout class='QVBoxLayout'><item><spacer><property "
       "name='sizeType'><enum>QSizePolicy::Nonsense</enum></property><property name='sizeHint'>"
       "<string/></property></spacer></item></layout></widget></ui>",
       true},
  };
  for (const Case& each : cases) {
    UiBuilder builder;
    const std::unique_ptr<QWidget> top(builder.Build(each.text, nullptr));
    EXPECT_EQ(top != nullptr, each.made) << each.text.substr(0, 80);
    if (top == nullptr) continue;
    int depth = 0;
    for (const QWidget* inner = top->findChild<QWidget*>("floor"); inner != nullptr;
         inner = inner->findChild<QWidget*>("floor", Qt::FindDirectChildrenOnly)) {
      ++depth;
    }
    EXPECT_LE(depth, 40) << "a tower is cut off";
  }
}

}  // namespace
}  // namespace vandrel
