// What reaches the files: save, cancel, an edit that another choice of macro must not lose, the
// writes that fail, and import and export.
#include <gmock/gmock.h>

#include "core/ini_file.h"
#include "editor_fixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Cancel reloads the stored steps, even of an emptied macro; save writes the steps shown (the
// mouse's file naming its macro) and closes the step editor.
TEST_P(BothPages, CancelReloadsTheStoredStepsAndSaveWritesTheShownOnes) {
  Seed(kind(), {{"a", {kPressA, kReleaseA}}, {"b", {}}});
  Open(kind());
  ASSERT_TRUE(C("MacroName_list").SelectItem(0, Notify::kYes));
  C("macro_btn_deleteall").Click();
  EXPECT_TRUE(C("macro_tab_saveorcancel").IsVisible()) << "an emptied macro can be saved";
  C("macro_btn_cancel").Click();
  EXPECT_THAT(Steps(kind()), ElementsAre(kPressA, kReleaseA));
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  EXPECT_TRUE(C("MacroName_list").IsInputEnabled());

  ASSERT_TRUE(C("Macro_list").ClickItem(0));
  C("macro_inset_leftkeydown_btn").Click();
  C("macro_btn_save").Click();
  EXPECT_EQ(Steps(kind()).size(), 3U);
  EXPECT_EQ(Store(kind()).ReadMacro("a"), Steps(kind()));
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  EXPECT_FALSE(C("macro_tab_saveorcancel").IsVisible());
  EXPECT_EQ(C("tab_macro_edit").CurrentPage(), 0);
  EXPECT_EQ(IniFile(Store(kind()).MacroPath("a")).ReadString("MACROSELECTNAME", "name", "none"),
            kind() == DeviceKind::kMouse ? "a" : "none");
}

TEST_P(BothPages, ChoosingAnotherMacroDuringAnEditKeepsTheEditAndItsMacro) {
  Seed(kind(), {{"a", {kPressA}}, {"b", {kReleaseA}}});
  Open(kind());
  C("macro_btn_deleteall").Click();
  ASSERT_TRUE(C("MacroName_list").SelectItem(0, Notify::kYes));
  EXPECT_THAT(dialogs_.Texts(),
              ElementsAre(kind() == DeviceKind::kMouse ? "message_text_4" : "message_text_3"));
  EXPECT_EQ(C("MacroName_list").CurrentIndex(), 1);
  EXPECT_EQ(C("macro_edit_macroname").RawText(), "b");
  EXPECT_THAT(Steps(kind()), IsEmpty());
  EXPECT_TRUE(Editor(kind()).IsEditing());
  EXPECT_THAT(Store(kind()).ReadMacro("b"), ElementsAre(kReleaseA)) << "nothing written";
}

TEST_P(BothPages, AFailedWriteSaysSoAndKeepsTheEditForAnotherTry) {
  Seed(kind(), {{"a", {kPressA}}});
  Open(kind());
  for (int i = 0; i < 20; ++i) C("macro_inset_moveleftkey_btn").Click();
  const std::string before = MacroText(kind(), "a");
  {
    FileSizeLimit full_disk(64);
    C("macro_btn_save").Click();
    C("macro_edit_macroname").SetText("renamed");
    C("macro_btn_savemacroname").Click();
  }
  EXPECT_THAT(dialogs_.Texts(),
              ElementsAre("message_text_macro_write_failed", "message_text_macro_write_failed"));
  EXPECT_TRUE(Editor(kind()).IsEditing());
  EXPECT_EQ(Steps(kind()).size(), 21U);
  EXPECT_EQ(MacroText(kind(), "a"), before);
  EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("a"));
  EXPECT_EQ(C("macro_edit_macroname").RawText(), "a");
  C("macro_btn_save").Click();
  EXPECT_EQ(Store(kind()).ReadMacro("a").size(), 21U);
}

TEST_P(BothPages, ExportAndImportOnOnePageGiveANewMacroWithTheSameSteps) {
  Seed(kind(), {{"a", {kPressA, kMoveLeft}}});
  Open(kind());
  const std::filesystem::path exported = dir_.path() / "out.mac";
  dialogs_.AnswerFiles({exported, exported});
  C("macro_btn_export").Click();
  C("macro_btn_import").Click();
  EXPECT_THAT(NameRows(kind()), ElementsAre("a", "name_2"));
  EXPECT_EQ(C("MacroName_list").CurrentIndex(), 1);
  EXPECT_THAT(Steps(kind()), ElementsAre(kPressA, kMoveLeft));
  EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("a", "name_2"));
  EXPECT_EQ(MacroText(kind(), "name_2"), ReadFile(exported)) << "stored as it is";
  ASSERT_EQ(dialogs_.file_requests().size(), 2U);
  for (const FileDialogRequest& request : dialogs_.file_requests()) {
    EXPECT_EQ(request.filter, "Macro files (*.mac)");
  }
  EXPECT_THAT(dialogs_.Texts(), IsEmpty());
}

TEST_F(EditorFixture, AKeyboardExportImportedOnTheMouseGainsItsNameAtTheNextSave) {
  Seed(DeviceKind::kKeyboard, {{"kb", {kPressA}}});
  Open(DeviceKind::kKeyboard);
  Open(DeviceKind::kMouse);
  const std::filesystem::path exported = dir_.path() / "kb.mac";
  dialogs_.AnswerFiles({exported, exported});
  C(DeviceKind::kKeyboard, "macro_btn_export").Click();
  EXPECT_EQ(ReadFile(exported).find("MACROSELECTNAME"), std::string::npos);
  C(DeviceKind::kMouse, "macro_btn_import").Click();  // the mouse had no macro
  EXPECT_THAT(NameRows(DeviceKind::kMouse), ElementsAre("name_1"));
  EXPECT_THAT(Steps(DeviceKind::kMouse), ElementsAre(kPressA));
  EXPECT_EQ(Editor(DeviceKind::kMouse).state(), MacroEditor::State::kClean);
  C(DeviceKind::kMouse, "macro_inset_leftkey_btn").Click();
  C(DeviceKind::kMouse, "macro_inset_leftkeydown_btn").Click();
  C(DeviceKind::kMouse, "macro_btn_save").Click();
  const IniFile file(Store(DeviceKind::kMouse).MacroPath("name_1"));
  EXPECT_EQ(file.ReadString("MACROSELECTNAME", "name", ""), "name_1");
  EXPECT_EQ(Store(DeviceKind::kMouse).ReadMacro("name_1").size(), 2U);
}

// Import and export need a chosen macro, import waits for an edit to end, and a refused import
// says why and leaves no macro behind.
TEST_P(BothPages, RefusedImportsAndExportsSayWhyAndLeaveNoMacroBehind) {
  Seed(kind(), {{"a", {kPressA}}});
  Open(kind());
  ASSERT_TRUE(C("MacroName_list").SelectItem(-1, Notify::kNo));
  C("macro_btn_export").Click();
  C("macro_btn_import").Click();
  EXPECT_THAT(dialogs_.file_requests(), IsEmpty()) << "no macro chosen";
  ASSERT_TRUE(C("MacroName_list").SelectItem(0, Notify::kNo));

  const std::filesystem::path large = dir_.path() / "large.mac";
  const std::filesystem::path binary = dir_.path() / "binary.mac";
  WriteFile(large, std::string(kMaxImportedMacroBytes + 1, 'x'));
  WriteFile(binary, std::string("[MACROACTIONCOUNT]\0count=1\n", 27));
  const struct {
    std::filesystem::path file;
    std::string_view message;
  } cases[] = {{large, "message_text_macro_import_large"},
               {binary, "message_text_macro_import_text"},
               {dir_.path() / "missing.mac", "message_text_macro_import_failed"}};
  for (const auto& c : cases) {
    dialogs_ = FakeDialogs();
    dialogs_.AnswerFiles({c.file});
    C("macro_btn_import").Click();
    EXPECT_THAT(dialogs_.Texts(), ElementsAre(c.message));
    EXPECT_THAT(NameRows(kind()), ElementsAre("a"));
    EXPECT_THAT(Store(kind()).ReadCatalogue(), ElementsAre("a"));
    EXPECT_FALSE(MacroFileExists(kind(), "name_2"));
    EXPECT_THAT(Steps(kind()), ElementsAre(kPressA));
  }

  dialogs_ = FakeDialogs();
  C("macro_btn_deleteall").Click();
  const std::filesystem::path source = dir_.path() / "in.mac";
  WriteFile(source, "[MACROACTIONCOUNT]\ncount=0\n");
  dialogs_.AnswerFiles({source, dir_.path() / "missing" / "x.mac"});
  C("macro_btn_import").Click();
  EXPECT_THAT(NameRows(kind()), ElementsAre("a"));
  EXPECT_TRUE(Editor(kind()).IsEditing());
  C("macro_btn_export").Click();
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_3", "message_text_macro_export_failed"));
}

}  // namespace
}  // namespace vandrel::testing
