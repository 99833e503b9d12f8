// The list of macros: building the page, adding up to the limit, deleting, renaming and the
// refusals that keep macro files inside the data folder.
#include <gmock/gmock.h>

#include "core/ini_file.h"
#include "editor_fixture.h"
#include "macro/key_table.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_P(BothPages, TheStartShowsTheCatalogueAndLoadsTheLastMacro) {
  Seed(kind(), {{"first", {kPressA}}, {"second", {kLeftDown, kMoveLeft}}});
  Open(kind());
  EXPECT_THAT(NameRows(kind()), ElementsAre("first", "second"));
  EXPECT_THAT(PickerTexts(kind()), ElementsAre("first", "second"));
  EXPECT_EQ(C("MacroName_list").CurrentIndex(), 1);
  EXPECT_EQ(C("macro_edit_macroname").RawText(), "second");
  EXPECT_THAT(Steps(kind()), ElementsAre(kLeftDown, kMoveLeft));
  EXPECT_EQ(C("Macro_list").CurrentIndex(), -1);
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  EXPECT_EQ(C("macro_combo_keyselect").ItemCount(), static_cast<int>(KeyTable().size()));
  EXPECT_EQ(C("macro_combo_keyselect").Item(0).cells.front().text, "keyboard_key_LCtrl");
}

TEST_P(BothPages, AddingGivesTheNextFreeNameUpToFiftyMacros) {
  Seed(kind(), {{"name_1", {}}, {"name_3", {}}});
  Open(kind());
  C("macro_btn_name_add").Click();
  EXPECT_THAT(NameRows(kind()), ElementsAre("name_1", "name_3", "name_4"));
  EXPECT_EQ(C("MacroName_list").CurrentIndex(), 2);
  EXPECT_THAT(Steps(kind()), IsEmpty());
  EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("name_1", "name_3", "name_4"));
  EXPECT_THAT(PickerTexts(kind()), ElementsAre("name_1", "name_3", "name_4"));

  while (NameRows(kind()).size() < 50) C("macro_btn_name_add").Click();
  EXPECT_THAT(dialogs_.Texts(), IsEmpty());
  const Lines fifty = Store(kind()).ReadCatalogue();
  C("macro_btn_name_add").Click();
  ASSERT_EQ(dialogs_.shown().size(), 1U);
  EXPECT_FALSE(dialogs_.shown()[0].is_identifier) << "formatted with the limit";
  EXPECT_NE(dialogs_.shown()[0].text.find("50"), std::string::npos) << dialogs_.shown()[0].text;
  EXPECT_EQ(NameRows(kind()).size(), 50U);
  EXPECT_EQ(Store(kind()).ReadCatalogue(), fifty);
}

// The bindings and then the user may keep the macro; a delete loads the first macro left, and
// the last one's delete empties the page.
TEST_P(BothPages, DeletingAsksRewritesTheCatalogueAndLoadsTheFirstMacro) {
  Seed(kind(), {{"a", {kPressA}}, {"b", {kReleaseA}}, {"c", {}}});
  Open(kind());
  std::vector<int> deleted;
  bool allow = false;
  Editor(kind()).SetBindingHooks({.may_delete = [&allow](int) { return allow; },
                                  .deleted = [&deleted](int number) { deleted.push_back(number); },
                                  .renamed = nullptr});
  ASSERT_TRUE(C("MacroName_list").SelectItem(1, Notify::kYes));
  C("macro_btn_name_sub").Click();  // the bindings say no
  dialogs_.Answer({0});
  allow = true;
  C("macro_btn_name_sub").Click();  // the user says no
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_4"));
  EXPECT_THAT(NameRows(kind()), ElementsAre("a", "b", "c"));
  EXPECT_TRUE(MacroFileExists(kind(), "b"));

  dialogs_.Answer({1});
  C("macro_btn_name_sub").Click();
  EXPECT_THAT(NameRows(kind()), ElementsAre("a", "c"));
  EXPECT_THAT(PickerTexts(kind()), ElementsAre("a", "c"));
  EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("a", "c"));
  EXPECT_FALSE(MacroFileExists(kind(), "b"));
  EXPECT_THAT(deleted, ElementsAre(1));
  EXPECT_EQ(C("MacroName_list").CurrentIndex(), 0);
  EXPECT_THAT(Steps(kind()), ElementsAre(kPressA));

  dialogs_.Answer({1, 1});
  C("macro_btn_name_sub").Click();
  C("macro_btn_name_sub").Click();
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kEmpty);
  EXPECT_THAT(NameRows(kind()), IsEmpty());
  EXPECT_THAT(Steps(kind()), IsEmpty());
  EXPECT_THAT(Store(kind()).ReadCatalogue(), IsEmpty());
  EXPECT_EQ(C("macro_edit_macroname").RawText(), "");
}

TEST_P(BothPages, AnEditBlocksAddingAndDeleting) {
  Seed(kind(), {{"a", {kPressA}}});
  Open(kind());
  ASSERT_TRUE(C("Macro_list").ClickItem(0));
  C("macro_btn_name_add").Click();
  C("macro_btn_name_sub").Click();
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_3", "message_text_3"));
  EXPECT_THAT(NameRows(kind()), ElementsAre("a"));
}

struct RenameCase {
  std::string typed;
  std::string message;  // empty: accepted or ignored
  std::string name_after;
};

class RenameTest : public EditorFixture, public ::testing::WithParamInterface<RenameCase> {};

// Macros "name_1" (loaded, with an unsaved extra step) and "Fight"; a stray file "stray.mac".
TEST_P(RenameTest, ARenameIsRefusedBeforeAnyFileChangesOrMovesTheFileAndTheEntries) {
  const RenameCase& c = GetParam();
  for (const DeviceKind kind : {DeviceKind::kMouse, DeviceKind::kKeyboard}) {
    SCOPED_TRACE(Prefix(kind));
    dialogs_ = FakeDialogs();
    Seed(kind, {{"Fight", {kReleaseA}}, {"name_1", {kPressA}}});
    WriteFile(Store(kind).MacroPath("stray"), "[MACROACTIONCOUNT]\ncount=0\n");
    Open(kind);
    int refreshed = 0;
    Editor(kind).SetBindingHooks(
        {.may_delete = nullptr, .deleted = nullptr, .renamed = [&refreshed] { ++refreshed; }});
    C(kind, "macro_btn_deleteall").Click();
    const std::string stray = MacroText(kind, "stray");

    C(kind, "macro_edit_macroname").SetText(c.typed);
    C(kind, "macro_btn_savemacroname").Click();
    // The focus leaving the edit afterwards must not rename again.
    C(kind, "macro_edit_macroname").SetFocus(Notify::kNo);
    window_->ClearFocus(Notify::kYes);

    EXPECT_EQ(dialogs_.Texts(), c.message.empty() ? Lines{} : Lines{c.message});
    EXPECT_EQ(C(kind, "macro_edit_macroname").RawText(),
              c.message.empty() ? c.typed : c.name_after);
    EXPECT_THAT(NameRows(kind), ElementsAre("Fight", c.name_after));
    EXPECT_THAT(PickerTexts(kind), ElementsAre("Fight", c.name_after));
    EXPECT_THAT(Store(kind).ReadCatalogue(), ElementsAre("Fight", c.name_after));
    EXPECT_EQ(MacroText(kind, "stray"), stray);
    EXPECT_THAT(Store(kind).ReadMacro("Fight"), ElementsAre(kReleaseA));
    const bool renamed = c.name_after != "name_1";
    EXPECT_EQ(refreshed, renamed ? 1 : 0);
    // A rename stores the steps shown (here none), an ignored or refused one nothing.
    EXPECT_EQ(Store(kind).ReadMacro(c.name_after), renamed ? Lines{} : Lines{kPressA});
    EXPECT_EQ(MacroFileExists(kind, "name_1"), !renamed);
  }
}

// The name checks themselves are the store's; here each kind of refusal reaches its message.
INSTANTIATE_TEST_SUITE_P(
    Names, RenameTest,
    ::testing::Values(RenameCase{"Combo", "", "Combo"}, RenameCase{"NAME_1", "", "name_1"},
                      RenameCase{"fight", "message_text_5", "name_1"},
                      RenameCase{"stray", "message_text_macro_file_exists", "name_1"},
                      RenameCase{"../name_2", "message_text_macro_name_invalid", "name_1"},
                      RenameCase{std::string(300, 'n'), "message_text_macro_name_long", "name_1"}));

TEST_P(BothPages, LosingTheFocusRenames) {
  Seed(kind(), {{"old", {kPressA}}});
  Open(kind());
  C("macro_edit_macroname").SetFocus(Notify::kNo);
  C("macro_edit_macroname").Type("new");
  window_->ClearFocus(Notify::kYes);
  EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("new"));
  EXPECT_THAT(Store(kind()).ReadMacro("new"), ElementsAre(kPressA));
}

// The mouse's page starts the store's recoil entries from the program folder's default files.
TEST_F(EditorFixture, TheMouseStartsItsRecoilEntriesAndCopiesTheDefaultFiles) {
  WriteFile(program_ / "name_2.cur", "[MACROACTIONCOUNT]\ncount=0\n");
  EXPECT_EQ(Open(DeviceKind::kMouse).state(), MacroEditor::State::kEmpty);
  const IniFile catalogue(mouse_store_.CataloguePath());
  EXPECT_EQ(catalogue.ReadString("CURSORCOUNT", "count", "0"), "4");
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "ms" / "name_2.cur"));
}

INSTANTIATE_TEST_SUITE_P(Pages, BothPages,
                         ::testing::Values(DeviceKind::kMouse, DeviceKind::kKeyboard), PageName);

}  // namespace
}  // namespace vandrel::testing
