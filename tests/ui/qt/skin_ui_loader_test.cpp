// The skin's layout loader: it makes the skin's own widgets and keeps Qt Designer's widget
// plugins (and the libraries they bring, QtQuick and QtQml among them) out of the process.
#include "ui/qt/skin_ui_loader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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

TEST(SkinUiLoaderTest, LoadsTheLayoutWithoutDesignerPlugins) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "res.xml",
                     "<resources><file name='XML_TEST' path='test.ui'/></resources>");
  testing::WriteFile(dir.path() / "test.ui", kLayout);
  Skin skin(dir.path());
  ASSERT_TRUE(skin.LoadIndex());
  const QStringList library_paths = QCoreApplication::libraryPaths();

  SkinUiLoader loader(skin);
  const std::unique_ptr<QWidget> top(loader.LoadFile("XML_TEST"));

  ASSERT_NE(top, nullptr);
  EXPECT_NE(top->findChild<QWidget*>("okbtn"), nullptr);
  EXPECT_NE(top->findChild<DeviceKeyButton*>("kb_key_1"), nullptr);
  EXPECT_TRUE(loader.pluginPaths().isEmpty());
  EXPECT_EQ(QCoreApplication::libraryPaths(), library_paths);
  EXPECT_FALSE(IsMapped("libQt6Quick.so"));
  EXPECT_FALSE(IsMapped("libQt6Qml.so"));
}

}  // namespace
}  // namespace vandrel
