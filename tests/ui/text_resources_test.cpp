// Language texts: reading language files, resolving resource texts, switching languages, and the
// "str_test" route to formatted messages.
#include "ui/text_resources.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "ui/control.h"
#include "ui/dialogs.h"
#include "ui/test_window.h"

namespace vandrel {
namespace {

using ::testing::Contains;
using ::testing::Not;
using testing::TestWindow;

TEST(LanguageFileTest, ReadsTextsByIdentifier) {
  const auto texts = ParseLanguageFile(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<texts language=\"cn_zh\">"
      "<text id=\"message_text_12\">确定删除该配置吗？</text>"
      "<text id=\"keyboard_key_&lt;\">,</text>"
      "<text id=\"message_text_12\">second</text>"
      "<text>no id</text><text id=\"empty\"/></texts>");
  ASSERT_TRUE(texts.has_value());
  EXPECT_EQ(texts->at("message_text_12"), "确定删除该配置吗？")
      << "the first of a repeated id wins";
  EXPECT_EQ(texts->at("keyboard_key_<"), ",");
  EXPECT_EQ(texts->at("empty"), "");
  EXPECT_EQ(texts->size(), 3u);
}

TEST(LanguageFileTest, RejectsWhatIsNotALanguageFile) {
  EXPECT_FALSE(ParseLanguageFile("").has_value());
  EXPECT_FALSE(ParseLanguageFile("<texts><text id='a'>x</text>").has_value());
  EXPECT_FALSE(ParseLanguageFile("<resources/>").has_value());
}

TEST(TextResourcesTest, MissingIdentifierShowsItselfUnlessTheQueryKnowsIt) {
  TextResources texts;
  texts.SetLanguage("en", {{"close_text", "Disabled"}});
  EXPECT_EQ(texts.Lookup("close_text"), "Disabled");
  EXPECT_EQ(texts.Lookup("titletext"), "titletext");
  texts.SetTextQuery([](std::string_view id) -> std::optional<std::string> {
    if (id == "titletext") return "mouse";
    return std::nullopt;
  });
  EXPECT_EQ(texts.Lookup("titletext"), "mouse");
  EXPECT_EQ(texts.Lookup("hometext"), "hometext");
  EXPECT_FALSE(texts.Find("titletext").has_value());
}

TEST(TextResourcesTest, AFileThatCannotBeLoadedKeepsTheLanguage) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "lan_en.xml", "<texts><text id='a'>A</text></texts>");
  testing::WriteFile(dir.path() / "broken.xml", "<texts><text id='a'>");
  TextResources texts;
  ASSERT_TRUE(texts.LoadLanguage("en", dir.path() / "lan_en.xml"));
  EXPECT_FALSE(texts.LoadLanguage("cn_zh", dir.path() / "missing.xml"));
  EXPECT_FALSE(texts.LoadLanguage("cn_zh", dir.path() / "broken.xml"));
  EXPECT_EQ(texts.LanguageName(), "en");
  EXPECT_EQ(texts.Lookup("a"), "A");
}

TEST(TextResourcesTest, LoadingAnotherLanguageChangesEveryResourceTextAtOnce) {
  TestWindow test;
  Control& tab = test.Add(ControlKind::kOption, "kb_tab");
  tab.SetResourceText(true);
  tab.SetText("tab_keyboard");
  tab.SetTooltip("tab_keyboard");
  Control& literal = test.Add(ControlKind::kLabel, "value");
  literal.SetText("tab_keyboard");
  Control& combo = test.Add(ControlKind::kCombo, "ms_key_fct_combo_22");
  combo.AddItem(ListItem::OfText("system_sleep", true));
  Control& plain_combo = test.Add(ControlKind::kCombo, "names");
  plain_combo.AddItem(ListItem::OfText("system_sleep"));
  test.texts().SetLanguage("en", {{"tab_keyboard", "Keyboard"}, {"system_sleep", "Sleep"}});
  (void)test.window().TakeChanges();

  test.texts().SetLanguage("cn_zh", {{"tab_keyboard", "键盘"}, {"system_sleep", "睡眠"}});

  EXPECT_EQ(tab.Text(), "键盘");
  EXPECT_EQ(tab.Tooltip(), "键盘");
  EXPECT_EQ(tab.RawText(), "tab_keyboard");
  EXPECT_EQ(literal.Text(), "tab_keyboard");
  EXPECT_EQ(combo.ItemText(0), "睡眠");
  EXPECT_EQ(plain_combo.ItemText(0), "system_sleep");
  const std::vector<ControlChange> changes = test.window().TakeChanges();
  EXPECT_THAT(changes, Contains(ControlChange{&tab, Property::kText}));
  EXPECT_THAT(changes, Contains(ControlChange{&combo, Property::kItems}));
  EXPECT_THAT(changes, Not(Contains(ControlChange{&literal, Property::kText})));
  EXPECT_THAT(changes, Not(Contains(ControlChange{&plain_combo, Property::kItems})));
}

TEST(FormattedMessageTest, TheHiddenLabelResolvesTheFormat) {
  TestWindow test;
  Control& label = test.Add(ControlKind::kLabel, "str_test");
  label.SetVisible(false);
  test.texts().SetLanguage("en", {{"message_text_17", "The list already holds %d macros."},
                                  {"message_text_16", "Remove %d steps (100%% of %d)."}});
  EXPECT_EQ(FormatMessageText(test.window(), "message_text_17", 50),
            "The list already holds 50 macros.");
  EXPECT_EQ(label.RawText(), "message_text_17");
  EXPECT_EQ(FormatMessageText(test.window(), "message_text_16", 3), "Remove 3 steps (100% of 3).");
}

TEST(FormattedMessageTest, OtherConversionsInALanguageFileAreShownNotRead) {
  TestWindow test;
  test.texts().SetLanguage("en", {{"bad", "%s %n %x %d %"}});
  EXPECT_EQ(FormatMessageText(test.window(), "bad", -7), "%s %n %x -7 %");
  EXPECT_EQ(FormatMessageText(test.window(), "unknown_id", 1), "unknown_id")
      << "without str_test and without a text the identifier shows";
}

}  // namespace
}  // namespace vandrel
