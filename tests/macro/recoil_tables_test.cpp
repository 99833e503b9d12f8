// The mouse's recoil tables on disk: a shot's three lines read and written, import with its
// refusals, a table the catalogue renamed kept as one file by every operation, and damaged files
// read without harm.
#include "macro/recoil_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/ini_document.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using Lines = std::vector<std::string>;

// A table file of `count` lines (default: as many as given), written as the Windows program does.
std::string TableFile(const Lines& lines, std::optional<int> count = std::nullopt) {
  std::string text = "[MACROACTIONCOUNT]\r\ncount=" +
                     std::to_string(count.value_or(static_cast<int>(lines.size()))) +
                     "\r\n[MACROACTION]\r\n";
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += std::to_string(i) + "=" + lines[i] + "\r\n";
  return text;
}

// `shots` shots of six lines: three carried lines, a delay line and two moves.
Lines Shots(int shots) {
  Lines lines;
  for (int b = 0; b < shots; ++b) {
    lines.insert(lines.end(),
                 {"0,0,0,1,0,mouse_text", "0,0,0,2,0,mouse_text", "0,0,0,3,0,mouse_text",
                  "100,0,0,0,0,mouse_text", "0,0,132,1,1,mouse_move_to_left_text",
                  "0,0,5,4,0,mouse_move_to_down_text"});
  }
  return lines;
}

// A catalogue of the tables `names`, in order.
std::string Catalogue(const Lines& names) {
  std::string text = "[CURSORCOUNT]\ncount=" + std::to_string(names.size()) + "\n[CURSORNAME]\n";
  for (std::size_t k = 0; k < names.size(); ++k) text += std::to_string(k) + "=" + names[k] + "\n";
  return text;
}

class RecoilTablesTest : public ::testing::Test {
 protected:
  RecoilTablesTest() {
    for (int i = 1; i <= 4; ++i) {
      WriteFile(program_.path() / ("name_" + std::to_string(i) + ".cur"),
                TableFile({"default " + std::to_string(i)}, 1));
    }
    EXPECT_TRUE(store_.InitialiseRecoil(program_.path()));
  }

  fs::path Table(const std::string& name) const { return data_.path() / (name + ".cur"); }
  void Rename(int table, const std::string& name) const {
    IniDocument catalogue = IniDocument::Parse(ReadFile(store_.CataloguePath()));
    ASSERT_TRUE(catalogue.Set("CURSORNAME", std::to_string(table), name));
    WriteFile(store_.CataloguePath(), catalogue.Serialize());
  }

  TempDir data_;
  TempDir program_;
  MacroStore store_{DeviceKind::kMouse, data_.path()};
  RecoilTables tables_{store_, program_.path()};
};

TEST_F(RecoilTablesTest, AShotIsReadFromItsDelayLineAndBothMovesWhateverTheirOrder) {
  struct Case {
    std::string what;
    std::optional<std::string> file;  // nullopt: no file
    int shot;
    RecoilShot expected;
  };
  Lines swapped = Shots(2);
  std::swap(swapped[10], swapped[11]);
  Lines other_kinds = Shots(1);
  other_kinds[4] = "0,0,129,1,1,mouse_key_left";
  other_kinds[5] = "0,0,4,9,0,mouse_move_to_right_text";  // a second horizontal move
  Lines unparsable = Shots(1);
  unparsable[3] = "three hundred";
  const RecoilMove left{1, true}, down{4, false};
  const Case cases[] = {
      {"the usual order", TableFile(Shots(2)), 1, {100, left, down}},
      {"moves swapped", TableFile(swapped), 1, {100, left, down}},
      {"a line of another kind: its move unread", TableFile(other_kinds), 0, {100, {{9}}, {}}},
      {"a delay line that does not parse", TableFile(unparsable), 0, {0, left, down}},
      {"no file", std::nullopt, 0, {}},
      {"lines past the count are not sent, so not shown", TableFile(Shots(2), 6), 1, {}},
      {"the last shot of a full table", TableFile(Shots(30)), 29, {100, left, down}},
      {"no shot 30", TableFile(Shots(30)), 30, {}},
      {"no shot -1", TableFile(Shots(30)), -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(Table("name_1"));
    if (c.file) WriteFile(Table("name_1"), *c.file);
    EXPECT_EQ(tables_.ReadShot(0, c.shot), c.expected);
  }
}

TEST_F(RecoilTablesTest, WritingAShotChangesItsThreeLinesAndKeepsTheDelayLinesOtherFields) {
  struct Case {
    std::string what;
    std::optional<int> lines;  // the table's lines before; nullopt: no file
    int shot;
    RecoilShot values;
    int count;       // MACROACTIONCOUNT after
    Lines expected;  // lines 6b+3 … 6b+5
  };
  const Case cases[] = {
      {"shot 2: 300 ms, 5 left, 12 up", 18, 2, RecoilShot{300, {{5, true}}, {{12, true}}}, 18,
       Lines{"44,1,0,0,0,mouse_text", "0,0,132,5,1,mouse_move_to_left_text",
             "0,0,133,12,1,mouse_move_to_up_text"}},
      {"the last shot, right and down at the limits", 180, 29, RecoilShot{65535, {{255}}, {{0}}},
       180,
       Lines{"255,255,0,0,0,mouse_text", "0,0,4,255,0,mouse_move_to_right_text",
             "0,0,5,0,0,mouse_move_to_down_text"}},
      {"past a short table's end: the count grows", 6, 3, RecoilShot{7, {{1}}, {{2, true}}}, 24,
       Lines{"7,0,0,0,0,", "0,0,4,1,0,mouse_move_to_right_text",
             "0,0,133,2,1,mouse_move_to_up_text"}},
      {"no file yet", std::nullopt, 0, RecoilShot{256, {{3, true}}, {{3}}}, 6,
       Lines{"0,1,0,0,0,", "0,0,132,3,1,mouse_move_to_left_text",
             "0,0,5,3,0,mouse_move_to_down_text"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(Table("name_1"));
    const Lines before = c.lines ? Shots(*c.lines / 6) : Lines{};
    if (c.lines) WriteFile(Table("name_1"), TableFile(before));

    ASSERT_TRUE(tables_.WriteShot(0, c.shot, c.values));

    const IniDocument file = IniDocument::Parse(ReadFile(Table("name_1")));
    EXPECT_EQ(file.GetInt("MACROACTIONCOUNT", "count"), c.count);
    // Exactly the shot's three lines changed; every other line is as it was.
    for (int i = 0; i < std::max(c.count, static_cast<int>(before.size())); ++i) {
      const auto in_shot = static_cast<std::size_t>(i - 6 * c.shot - 3);
      const auto at = static_cast<std::size_t>(i);
      EXPECT_EQ(file.Get("MACROACTION", std::to_string(i)),
                in_shot < 3 ? c.expected[in_shot] : (at < before.size() ? before[at] : "0"))
          << "line " << i;
    }
    EXPECT_EQ(tables_.ReadShot(0, c.shot), c.values);
  }
}

TEST_F(RecoilTablesTest, NothingIsWrittenForAShotOrATableThatIsNotThere) {
  WriteFile(Table("name_1"), TableFile(Shots(30)));
  const std::string before = ReadFile(Table("name_1"));
  const RecoilMove move{1, false};
  const std::tuple<int, int, RecoilShot> refused[] = {
      {0, 30, {1, move, move}}, {0, -1, {1, move, move}},        {4, 0, {1, move, move}},
      {-1, 0, {1, move, move}}, {0, 0, {1, std::nullopt, move}}, {0, 0, {1, move, std::nullopt}},
  };
  for (const auto& [table, shot, values] : refused) {
    EXPECT_FALSE(tables_.WriteShot(table, shot, values)) << table << "/" << shot;
  }
  EXPECT_EQ(ReadFile(Table("name_1")), before);
  // A catalogue name that cannot be a file name here names no file at all.
  WriteFile(data_.path() / "in.cur", TableFile(Shots(1)));
  for (const std::string name : {"../outside", "", "a/b", ".."}) {
    SCOPED_TRACE(name);
    Rename(2, name);
    EXPECT_EQ(tables_.TablePath(2), std::nullopt);
    EXPECT_FALSE(tables_.WriteShot(2, 0, {1, move, move}));
    EXPECT_FALSE(tables_.Restore(2));
    EXPECT_FALSE(tables_.Export(2, data_.path() / "out.cur"));
    EXPECT_EQ(tables_.Import(data_.path() / "in.cur", 2), RecoilImportResult::kNoSuchTable);
    EXPECT_TRUE(tables_.ReadActions(2).empty());
  }
  EXPECT_FALSE(fs::exists(data_.path().parent_path() / "outside.cur"));
  EXPECT_FALSE(fs::exists(data_.path() / "out.cur"));
}

TEST_F(RecoilTablesTest, ImportRefusesWhatIsNoTableAndChangesNothingThen) {
  using enum RecoilImportResult;
  const std::string current = TableFile(Shots(1));
  const std::string large = current + "; " + std::string(kMaxImportedMacroBytes, 'x');
  struct Case {
    std::string what;
    std::string source;  // the file's bytes; "<folder>" makes a folder, "<none>" nothing
    int table;
    RecoilImportResult result;
  };
  const Case cases[] = {
      {"180 lines", TableFile(Shots(30)), 0, kImported},
      {"no count", "[MACROACTION]\n0=1,0,4,1,0,x\n", 3, kImported},
      {"181 lines", TableFile(Shots(30), 181), 0, kTooManyLines},
      {"a count of thousands", TableFile({}, 99999), 0, kTooManyLines},
      {"over 1 MiB", large, 0, kTooLarge},
      {"a NUL byte", current + std::string(1, '\0'), 0, kNotText},
      {"not UTF-8", TableFile({"0,0,4,1,0,\xE9"}), 0, kNotText},
      {"missing", "<none>", 0, kUnreadable},
      {"a folder", "<folder>", 0, kUnreadable},
      {"no such table", current, 4, kNoSuchTable},
  };
  const fs::path source = data_.path() / "import" / "in.cur";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path table = Table("name_" + std::to_string(std::min(c.table, 3) + 1));
    WriteFile(table, current);
    fs::remove_all(source.parent_path());
    fs::create_directories(c.source == "<folder>" ? source : source.parent_path());
    if (!c.source.starts_with("<")) WriteFile(source, c.source);

    EXPECT_EQ(tables_.Import(source, c.table), c.result);
    EXPECT_EQ(ReadFile(table), c.result == kImported ? c.source : current);
  }
  // A table file that cannot be replaced: nothing written.
  fs::remove(Table("name_2"));
  fs::create_directory(Table("name_2"));
  EXPECT_EQ(tables_.Import(source, 1), kWriteFailed);
  EXPECT_TRUE(fs::is_directory(Table("name_2")));
}

TEST_F(RecoilTablesTest, ARenamedTableIsEditedImportedExportedRestoredAndSentAsOneFile) {
  Rename(1, "Sniper");
  WriteFile(Table("Sniper"), TableFile(Shots(1)));
  WriteFile(Table("name_2"), "stray");
  const RecoilShot shot{80, RecoilMove{2, false}, RecoilMove{9, false}};

  ASSERT_TRUE(tables_.WriteShot(1, 0, shot));
  EXPECT_EQ(tables_.ReadShot(1, 0), shot);
  EXPECT_EQ(tables_.ReadActions(1).at(3).delay, 80);
  const fs::path exported = data_.path() / "out.cur";
  ASSERT_TRUE(tables_.Export(1, exported));
  EXPECT_EQ(ReadFile(exported), ReadFile(Table("Sniper")));
  EXPECT_EQ(BuildRecoilBlock(tables_).length, 16 + 6 * 4 + 4 * (1 + 6 + 1 + 1));  // 3 defaults
  WriteFile(data_.path() / "in.cur", TableFile(Shots(2)));
  ASSERT_EQ(tables_.Import(data_.path() / "in.cur", 1), RecoilImportResult::kImported);
  EXPECT_EQ(tables_.ReadActions(1).size(), 12U);
  ASSERT_TRUE(tables_.Restore(1));
  EXPECT_EQ(ReadFile(Table("Sniper")), ReadFile(program_.path() / "name_2.cur"));

  EXPECT_EQ(ReadFile(Table("name_2")), "stray");
  EXPECT_EQ(tables_.Names(), (Lines{"name_1", "Sniper", "name_3", "name_4"}));
  // Deleting macros rewrites the catalogue; the table keeps its name.
  ASSERT_TRUE(store_.RewriteCatalogue(Lines{"m"}));
  EXPECT_EQ(tables_.Names(), (Lines{"name_1", "Sniper", "name_3", "name_4"}));
}

// The block's length and its limit of 3072 bytes (its bytes are checked on the wire by the
// download's test), and files and catalogues no program of ours wrote: whatever they hold, reading
// them and building the block gives consistent answers and never reads or writes out of bounds.
TEST_F(RecoilTablesTest, TheBlockCountsEveryTableAndDamagedFilesAreReadWithoutHarm) {
  struct Case {
    std::string what;
    std::string table;                  // name_1.cur's bytes
    std::string catalogue;              // "" keeps the initialised one (so these cases come first)
    std::size_t actions;                // ReadActions(0).size()
    std::optional<std::size_t> length;  // the block's, where the layout gives it
  };
  const Lines four(4, "name_1"), five(5, "name_1");
  const std::string out_of_range =
      TableFile({"99999,-7,1000,-1,70000,n", "x,y,z,w,v,", ",,,,,", "-1,-1,-1,-1,-1,-1"});
  const Case cases[] = {
      {"a count of thousands, no lines", TableFile({}, 999999999), "", 65535, std::nullopt},
      {"a negative count", TableFile(Shots(1), -5), "", 0, std::nullopt},
      {"lines without commas", TableFile({"1", "2", "3", "4", "5", "6"}), "", 6, std::nullopt},
      {"numbers out of range", out_of_range, "", 4, std::nullopt},
      {"garbage", "\x01\xFF[[[=\n=\n\xC3[MACROACTION\n0=,,,,,\n", "", 0, std::nullopt},
      {"a huge table count", TableFile(Shots(1)), "[CURSORCOUNT]\ncount=2147483647\n", 0,
       std::nullopt},
      {"a negative table count", TableFile(Shots(1)), "[CURSORCOUNT]\ncount=-4\n", 0, std::nullopt},
      {"one table of 6 lines", TableFile(Shots(1)), Catalogue({"name_1"}), 6, 46},
      {"four tables of 180", TableFile(Shots(30)), Catalogue(four), 180, 2920},
      {"761 lines and a missing table", TableFile(Shots(1), 761), Catalogue({"name_1", "no"}), 761,
       3072},
      {"762 lines", TableFile(Shots(1), 762), Catalogue({"name_1", "no"}), 762, 3076},
      {"five tables of 180", TableFile(Shots(30)), Catalogue(five), 180, 3646},
      {"no tables", TableFile(Shots(1)), Catalogue({}), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(Table("name_1"), c.table);
    if (!c.catalogue.empty()) WriteFile(store_.CataloguePath(), c.catalogue);

    for (const int shot : {0, 1, 29}) (void)tables_.ReadShot(0, shot);
    EXPECT_EQ(tables_.ReadActions(0).size(), c.actions);
    const RecoilBlockResult result = BuildRecoilBlock(tables_);
    if (c.length) {
      EXPECT_EQ(result.length, *c.length);
    }
    EXPECT_EQ(result.too_long, result.length > kRecoilBlockLimit);
    EXPECT_EQ(result.block.size(), result.too_long ? 0 : result.length);
    if (!result.block.empty()) {
      EXPECT_EQ(static_cast<std::size_t>(result.block[2] | result.block[3] << 8), result.length);
    }
  }
}

}  // namespace
}  // namespace vandrel
