// The real message box, once, offscreen: it shows the language's text, the confirm button
// answers 1, and the no-device box closes itself. The program link dialog answers with the row
// the user clicked and linked, or with what else closed it.
#include "ui/qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/qt/wait_until.h"

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

struct LinkCase {
  const char* what;
  std::function<void(QDialog&)> act;
  ProgramChoice::Answer answer;
  std::string program;
};

// Clicks row `row` of the list as the user would.
void ClickRow(QDialog& dialog, int row) {
  auto* list = dialog.findChild<QListWidget*>("program_list");
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
  // A row selected enables "link_btn"; the model's changes reach the widgets through the loop.
  const auto* link = dialog.findChild<QPushButton*>("link_btn");
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(testing::WaitUntil([link] { return link->isEnabled(); }));
}

void ClickButton(QDialog& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(name);
  ASSERT_NE(button, nullptr);
  button->click();
}

TEST_F(QtDialogsTest, TheLinkDialogAnswersWithTheRowLinkedOrHowItWasLeft) {
  using Answer = ProgramChoice::Answer;
  const std::vector<LinkCase> cases = {
      {"the second row linked",
       [](QDialog& d) {
         ClickRow(d, 1);
         ClickButton(d, "link_btn");
       },
       Answer::kPicked, "C:\\Games\\Foo\\Foo.exe"},
      {"link before any row: nothing, then closed",
       [](QDialog& d) {
         ClickButton(d, "link_btn");
         ClickButton(d, "closebtn");
       },
       Answer::kCancelled, ""},
      {"browse", [](QDialog& d) { ClickButton(d, "browse_btn"); }, Answer::kBrowse, ""},
      {"escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, Answer::kCancelled, ""},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.what);
    // Should the act leave the dialog open, it is closed (the case then fails) and the test ends.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
      if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    deadline.start(std::chrono::seconds(20));
    WhenOpen(c.act);
    const ProgramChoice choice =
        dialogs_.ChooseProgramToLink(nullptr, {"C:\\Games\\Foo\\Foo.exe", "/usr/bin/steam"});
    EXPECT_EQ(choice.answer, c.answer);
    EXPECT_EQ(choice.program, c.program);
  }
}

}  // namespace
}  // namespace vandrel
