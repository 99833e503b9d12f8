// The message box's behaviour (what it shows, which button gives which result) and the dialogs
// fake that page tests use in its place.
#include "ui/message_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "ui/skin.h"
#include "ui/test_window.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
    ASSERT_TRUE(skin.LoadIndex());
    texts_->SetLanguage("en", {{"message_text_12", "Delete this profile?"},
                               {"message_text_17", "Already %d macros."}});
    box_ = BuildWindow(skin, kMessageBoxResource, texts_);
    ASSERT_NE(box_, nullptr);
  }

  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  std::unique_ptr<WindowModel> box_;
};

TEST_F(MessageBoxTest, ShowsAnIdentifiersTextOrLiteralText) {
  Control* text = box_->Find(kMessageTextControl);
  ASSERT_NE(text, nullptr);
  PrepareMessageBox(*box_, "message_text_12", true);
  EXPECT_EQ(text->Text(), "Delete this profile?");
  PrepareMessageBox(*box_, "message_text_12", false);
  EXPECT_EQ(text->Text(), "message_text_12");
  PrepareMessageBox(*box_, "", true);
  EXPECT_EQ(text->RawText(), "message_text_12") << "an empty text leaves the box as it is";
}

TEST_F(MessageBoxTest, OnlyTheConfirmButtonAnswersYes) {
  std::optional<int> result;
  box_->SetNotifyHandler([&](const Notification& n) {
    if (auto closing = MessageBoxResult(n)) result = closing;
  });
  box_->Find("MessageTitle")->Click();
  EXPECT_FALSE(result.has_value());
  box_->Find(kCancelButton)->Click();
  EXPECT_EQ(result, 0);
  box_->Find(kMessageCloseButton)->Click();
  EXPECT_EQ(result, 0);
  box_->Find(kConfirmButton)->Click();
  EXPECT_EQ(result, 1);
  box_->Find(kConfirmButton)->MouseEnter();
  EXPECT_EQ(MessageBoxResult({notify::kMouseEnter, box_->Find(kConfirmButton)}), std::nullopt);
}

TEST(FakeDialogsTest, RecordsMessagesAndAnswersAsScripted) {
  testing::TestWindow test;
  test.Add(ControlKind::kLabel, "str_test");
  test.texts().SetLanguage("en", {{"message_text_17", "Already %d macros."}});
  testing::FakeDialogs dialogs;
  dialogs.Answer({1});
  EXPECT_EQ(dialogs.ShowMessage(&test.window(), "message_text_12", true), 1);
  EXPECT_EQ(dialogs.ShowMessage(nullptr, "message_text_12", true), 0) << "script used up";
  EXPECT_EQ(ShowFormattedMessage(dialogs, test.window(), "message_text_17", 50), 0);
  dialogs.ShowNoDeviceMessage(&test.window());
  EXPECT_THAT(dialogs.Texts(), ElementsAre("message_text_12", "message_text_12",
                                           "Already 50 macros.", "message_text_20"));
  EXPECT_FALSE(dialogs.shown()[2].is_identifier);
  EXPECT_EQ(dialogs.shown()[2].owner, &test.window());
  EXPECT_EQ(dialogs.no_device_messages(), 1);
}

}  // namespace
}  // namespace vandrel
