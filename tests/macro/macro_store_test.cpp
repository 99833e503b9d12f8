// The macro library on disk: which names can be macro names, default names, the catalogue with
// the mouse's recoil entries, files written by the Windows program, and the macro files.
#include "macro/macro_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ini_document.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using Names = std::vector<std::string>;

TEST(MacroNameTest, NamesThatCannotBeFileNamesOrCatalogueValuesAreRefused) {
  const std::string longest(255 - 4, 'n');  // "NAME.mac" fills NAME_MAX exactly
  const std::string three_byte_char = "\xE5\xAE\x8F";
  struct Case {
    std::string name;
    MacroNameProblem problem;
  };
  const Case cases[] = {
      {"name_1", MacroNameProblem::kNone},
      {"My macro (fast)", MacroNameProblem::kNone},
      {three_byte_char + "1", MacroNameProblem::kNone},
      {"a.b", MacroNameProblem::kNone},
      {"...", MacroNameProblem::kNone},
      {"'a\"", MacroNameProblem::kNone},  // quotes that do not match stay
      {"back\\slash", MacroNameProblem::kNone},
      {longest, MacroNameProblem::kNone},
      {longest + "n", MacroNameProblem::kTooLong},
      {std::string(84, 'x') + three_byte_char + std::string(84 * 2, 'x'),
       MacroNameProblem::kTooLong},
      {"", MacroNameProblem::kInvalid},
      {".", MacroNameProblem::kInvalid},
      {"..", MacroNameProblem::kInvalid},
      {"/", MacroNameProblem::kInvalid},
      {"../up", MacroNameProblem::kInvalid},
      {"sub/name", MacroNameProblem::kInvalid},
      {std::string("a\0b", 3), MacroNameProblem::kInvalid},
      {"tab\there", MacroNameProblem::kInvalid},
      {"line\nbreak", MacroNameProblem::kInvalid},
      {"cr\r", MacroNameProblem::kInvalid},
      {"del\x7F", MacroNameProblem::kInvalid},
      {"c1\xC2\x85", MacroNameProblem::kInvalid},  // U+0085, a C1 control
      {"latin1 \xE9", MacroNameProblem::kInvalid},
      {"overlong \xC0\xAF", MacroNameProblem::kInvalid},
      {"surrogate \xED\xA0\x80", MacroNameProblem::kInvalid},
      {"cut \xE5\xAE", MacroNameProblem::kInvalid},
      {" leading", MacroNameProblem::kInvalid},
      {"trailing ", MacroNameProblem::kInvalid},
      {"\"quoted\"", MacroNameProblem::kInvalid},
      {"'quoted'", MacroNameProblem::kInvalid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckMacroName(c.name), c.problem) << c.name;
  }
}

TEST(MacroNameTest, DefaultNamesCountOnFromTheNumberOfMacrosSkippingTakenNames) {
  struct Case {
    Names names;
    std::string expected;
  };
  const Case cases[] = {
      {{}, "name_1"},
      {{"name_1", "name_3"}, "name_4"},
      {{"name_3", "NAME_4"}, "name_5"},
      {{"a", "b"}, "name_3"},
      {{"name_1", "name_2"}, "name_3"},
      {{"x", "Name_3", "name_4", "NAME_5"}, "name_6"},
      {{"name_2"}, "name_3"},  // starts at the count + 1, so it never fills a gap below it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextFreeName(c.names), c.expected) << ::testing::PrintToString(c.names);
  }
}

TEST(MacroNameTest, SameNameIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(SameMacroName("Name_1", "nAME_1"));
  EXPECT_TRUE(SameMacroName("", ""));
  EXPECT_FALSE(SameMacroName("name_1", "name_10"));
  EXPECT_FALSE(SameMacroName("name_1", "name 1"));
  EXPECT_FALSE(SameMacroName("\xC3\xA9", "\xC3\x89"));  // é and É: not ASCII
  EXPECT_FALSE(SameMacroName("@", "`"));                // differ by the ASCII case bit only
}

class MacroCatalogueTest : public ::testing::Test {
 protected:
  [[nodiscard]] IniDocument Catalogue(const MacroStore& store) const {
    return IniDocument::Parse(ReadFile(store.CataloguePath()));
  }

  TempDir dir_;
  const MacroStore mouse_{DeviceKind::kMouse, dir_.path()};
  const MacroStore keyboard_{DeviceKind::kKeyboard, dir_.path()};
};

TEST_F(MacroCatalogueTest, AddingWritesTheCountAndLastNameAndRewritingKeepsTheRecoilEntries) {
  EXPECT_EQ(mouse_.CataloguePath(), dir_.path() / "msMacro.ini");
  EXPECT_EQ(keyboard_.CataloguePath(), dir_.path() / "kbMacro.ini");
  EXPECT_EQ(mouse_.ReadCatalogue(), Names{});

  for (const MacroStore* store : {&mouse_, &keyboard_}) {
    ASSERT_TRUE(store->WriteCatalogueEntry(1, 0, "first"));
    ASSERT_TRUE(store->WriteCatalogueEntry(2, 1, "second"));
    ASSERT_TRUE(store->WriteCatalogueEntry(2, 0, "renamed"));
    EXPECT_EQ(store->ReadCatalogue(), (Names{"renamed", "second"}));
  }
  EXPECT_FALSE(Catalogue(mouse_).Find("CURSORCOUNT", "count").has_value());

  // Deleting the only macro leaves a count of 0; the mouse's catalogue keeps its recoil tables.
  const Names none;
  for (const MacroStore* store : {&mouse_, &keyboard_}) {
    ASSERT_TRUE(store->RewriteCatalogue(Names{"second", "third"}));
    EXPECT_EQ(store->ReadCatalogue(), (Names{"second", "third"}));
    ASSERT_TRUE(store->RewriteCatalogue(none));
    EXPECT_EQ(store->ReadCatalogue(), none);
  }
  const IniDocument mouse = Catalogue(mouse_);
  EXPECT_EQ(mouse.Get("MACROCOUNT", "count"), "0");
  EXPECT_EQ(mouse.Get("CURSORCOUNT", "count"), "4");
  EXPECT_EQ(mouse.KeyNames("CURSORNAME"), (Names{"0", "1", "2", "3"}));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(mouse.Get("CURSORNAME", std::to_string(i)), "name_" + std::to_string(i + 1));
  }
  EXPECT_FALSE(mouse.Find("MACRONAME", "0").has_value());  // rewritten, not left behind
  EXPECT_EQ(ReadFile(keyboard_.CataloguePath()), "[MACROCOUNT]\r\ncount=0\r\n");
}

TEST_F(MacroCatalogueTest, EntriesThatWouldDamageTheCatalogueAreRefusedAndChangeNothing) {
  ASSERT_TRUE(keyboard_.WriteCatalogueEntry(1, 0, "kept"));
  const std::string before = ReadFile(keyboard_.CataloguePath());
  struct Case {
    int count;
    int index;
    std::string name;
  };
  const Case cases[] = {
      {1, 0, "a/b"}, {1, 0, ".."}, {1, 0, " pad"}, {1, 0, "line\nbreak"},
      {0, 0, "x"},   {2, 2, "x"},  {1, -1, "x"},   {kMaxMacros + 1, 0, "x"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(keyboard_.WriteCatalogueEntry(c.count, c.index, c.name)) << c.name;
  }
  EXPECT_FALSE(keyboard_.RewriteCatalogue(Names{"ok", "line\nbreak"}));
  EXPECT_EQ(ReadFile(keyboard_.CataloguePath()), before);
}

TEST_F(MacroCatalogueTest, CatalogueWrittenOnWindowsReadsWithItsQuirks) {
  WriteFile(keyboard_.CataloguePath(),
            "\xEF\xBB\xBF[macrocount]\r\n"
            "Count = 4\r\n"
            "\r\n"
            "; written by hand\r\n"
            "[MacroName]\r\n"
            "0 = \"  spaced  \"\r\n"
            "1='single'\r\n"
            "2=  plain  \r\n"
            "[MACRONAME]\r\n"
            "3=hidden by the first section\r\n"
            "[MACROCOUNT]\r\n"
            "count=9\r\n");
  // Key 3 is only in the duplicated section, which is never read: it reads as "0".
  EXPECT_EQ(keyboard_.ReadCatalogue(), (Names{"  spaced  ", "single", "plain", "0"}));

  // Adding a fifth macro changes the first sections in place and keeps the rest of the file.
  ASSERT_TRUE(keyboard_.WriteCatalogueEntry(5, 4, "name_5"));
  EXPECT_EQ(keyboard_.ReadCatalogue(), (Names{"  spaced  ", "single", "plain", "0", "name_5"}));
  const std::string after = ReadFile(keyboard_.CataloguePath());
  EXPECT_NE(after.find("Count=5\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("; written by hand\r\n"), std::string::npos) << after;

  // A damaged count reads as no more macros than a store can hold.
  WriteFile(keyboard_.CataloguePath(), "[MACROCOUNT]\ncount=2000000000\n[MACRONAME]\n0=a\n");
  EXPECT_EQ(keyboard_.ReadCatalogue().size(), static_cast<std::size_t>(kMaxMacros));
  WriteFile(keyboard_.CataloguePath(), "[MACROCOUNT]\ncount=-3\n");
  EXPECT_EQ(keyboard_.ReadCatalogue(), Names{});
}

TEST_F(MacroCatalogueTest, MouseStoreInitialisesItsRecoilTablesOnceWithoutReplacingFiles) {
  TempDir program;
  WriteFile(program.path() / "name_1.cur", "default one");
  WriteFile(program.path() / "name_2.cur", "default two");
  WriteFile(dir_.path() / "name_2.cur", "the user's own");
  ASSERT_TRUE(mouse_.WriteCatalogueEntry(1, 0, "kept"));

  ASSERT_TRUE(mouse_.InitialiseRecoil(program.path()));
  const IniDocument catalogue = Catalogue(mouse_);
  EXPECT_EQ(catalogue.Get("CURSORCOUNT", "count"), "4");
  EXPECT_EQ(catalogue.Get("CURSORNAME", "3"), "name_4");
  EXPECT_EQ(mouse_.ReadCatalogue(), Names{"kept"});
  EXPECT_EQ(ReadFile(dir_.path() / "name_1.cur"), "default one");
  EXPECT_EQ(ReadFile(dir_.path() / "name_2.cur"), "the user's own");
  EXPECT_FALSE(fs::exists(dir_.path() / "name_3.cur"));  // no default to copy yet

  // Once the count is there, nothing is copied again.
  fs::remove(dir_.path() / "name_1.cur");
  ASSERT_TRUE(mouse_.InitialiseRecoil(program.path()));
  EXPECT_FALSE(fs::exists(dir_.path() / "name_1.cur"));

  ASSERT_TRUE(keyboard_.InitialiseRecoil(program.path()));
  EXPECT_FALSE(fs::exists(keyboard_.CataloguePath()));

  // A folder that cannot take the catalogue says so.
  const MacroStore nowhere(DeviceKind::kMouse, dir_.path() / "missing");
  EXPECT_FALSE(nowhere.InitialiseRecoil(program.path()));
}

TEST_F(MacroCatalogueTest, MacroFilesHoldTheirLinesAndOnlyTheMouseNamesItsMacro) {
  const Names lines = {"10,1,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A",
                       "50,0,132,30,1,mouse_move_to_left_text"};
  TempDir keyboard_folder;
  const MacroStore keyboard(DeviceKind::kKeyboard, keyboard_folder.path());
  for (const MacroStore* store : {&mouse_, &keyboard}) {
    EXPECT_EQ(store->ReadMacro("absent"), Names{});
    ASSERT_TRUE(store->WriteMacro("m", "shown name", lines));
    EXPECT_EQ(store->ReadMacro("m"), lines);
    EXPECT_EQ(store->MacroPath("m"), store->CataloguePath().parent_path() / "m.mac");
  }
  const IniDocument mouse_file = IniDocument::Parse(ReadFile(mouse_.MacroPath("m")));
  EXPECT_EQ(mouse_file.Get("MACROSELECTNAME", "name"), "shown name");
  EXPECT_EQ(mouse_file.Get("MACROACTIONCOUNT", "count"), "3");
  EXPECT_EQ(ReadFile(keyboard.MacroPath("m")).find("MACROSELECTNAME"), std::string::npos);

  // A shorter macro leaves the old keys beyond its count, unread.
  ASSERT_TRUE(mouse_.WriteMacro("m", "shown name", Names{lines[2]}));
  EXPECT_EQ(mouse_.ReadMacro("m"), Names{lines[2]});
  EXPECT_EQ(IniDocument::Parse(ReadFile(mouse_.MacroPath("m"))).Get("MACROACTION", "2"), lines[2]);

  // Keys missing below the count read as "0"; a damaged count stops at the 16-bit limit.
  WriteFile(mouse_.MacroPath("gaps"), "[MACROACTIONCOUNT]\ncount=3\n[MACROACTION]\n1=x\n");
  EXPECT_EQ(mouse_.ReadMacro("gaps"), (Names{"0", "x", "0"}));
  WriteFile(mouse_.MacroPath("huge"), "[MACROACTIONCOUNT]\ncount=99999999\n");
  EXPECT_EQ(mouse_.ReadMacro("huge").size(), 65535u);

  // Lines the file could not give back are refused, and the file stays as it was.
  const std::string before = ReadFile(mouse_.MacroPath("m"));
  EXPECT_FALSE(mouse_.WriteMacro("m", "shown name", Names{"1,0,10,4,1,a\nb"}));
  EXPECT_FALSE(mouse_.WriteMacro("m", "two\nlines", lines));
  EXPECT_EQ(ReadFile(mouse_.MacroPath("m")), before);
}

TEST_F(MacroCatalogueTest, FailedWritesAreReportedAndLeaveTheOldFiles) {
  ASSERT_TRUE(mouse_.WriteCatalogueEntry(1, 0, "m"));
  ASSERT_TRUE(mouse_.WriteMacro("m", "m", Names{"0,0,10,4,1,keyboard_key_A"}));
  const std::string catalogue = ReadFile(mouse_.CataloguePath());
  const std::string macro = ReadFile(mouse_.MacroPath("m"));
  const Names many(200, "10,1,138,4,1,keyboard_key_A");
  {
    testing::FileSizeLimit full_disk(64);
    EXPECT_FALSE(mouse_.WriteMacro("m", "m", many));
    EXPECT_FALSE(mouse_.RewriteCatalogue(Names(kMaxMacros, "a rather long macro name")));
    EXPECT_FALSE(mouse_.WriteCatalogueEntry(2, 1, std::string(200, 'n')));
  }
  EXPECT_EQ(ReadFile(mouse_.CataloguePath()), catalogue);
  EXPECT_EQ(ReadFile(mouse_.MacroPath("m")), macro);

  const MacroStore nowhere(DeviceKind::kKeyboard, dir_.path() / "missing");
  EXPECT_FALSE(nowhere.WriteMacro("m", "m", many));
  EXPECT_FALSE(nowhere.WriteCatalogueEntry(1, 0, "m"));
  EXPECT_FALSE(nowhere.RewriteCatalogue(Names{"m"}));
}

}  // namespace
}  // namespace vandrel
