// The real message box, once, offscreen: it shows the language's text, the confirm button
// answers 1, and the no-device box closes itself.
#include "ui/qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vandrel {
namespace {

class QtDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(skin_.LoadIndex());
    texts_->SetLanguage("en", {{"message_text_12", "Delete this profile?"}});
  }

  // Runs `act` on the message box once it is open.
  static void WhenOpen(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
    });
  }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  QtDialogs dialogs_{skin_, texts_, [](WindowModel*) { return nullptr; }};
};

TEST_F(QtDialogsTest, ConfirmAnswersOneAndCancelZero) {
  QString shown;
  WhenOpen([&](QDialog& dialog) {
    shown = dialog.findChild<QLabel*>("MessageText")->text();
    dialog.findChild<QPushButton*>("confirm_btn")->click();
  });
  EXPECT_EQ(dialogs_.ShowMessage(nullptr, "message_text_12", true), 1);
  EXPECT_EQ(shown, "Delete this profile?");

  WhenOpen([&](QDialog& dialog) {
    shown = dialog.findChild<QLabel*>("MessageText")->text();
    dialog.findChild<QPushButton*>("closebtn")->click();
  });
  EXPECT_EQ(dialogs_.ShowMessage(nullptr, "Literal 50", false), 0);
  EXPECT_EQ(shown, "Literal 50");
}

TEST_F(QtDialogsTest, TheNoDeviceBoxClosesItself) {
  dialogs_.ShowNoDeviceMessage(nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace vandrel
