// The mouse's recoil page on the shipped skin with four tables in a data folder: choosing tables
// and shots, the edits' limits, what a change writes into the table's file, lines of another
// kind, import, restore and export. (The download, a device job, is tested with the program's
// jobs in recoil_download_job_test.cpp.)
#include "mouse/recoil_page.h"

#include <string>
#include <vector>

#include "core/file_io.h"
#include "mouse/recoil_path.h"
#include "page_fixture.h"

namespace vandrel::testing {
namespace {

using Lines = std::vector<std::string>;

// Shot b of default table t: a delay of 100 + 10t + b ms, b + t pixels left on odd shots (right
// on even ones), 2b + 1 pixels down (up every fifth shot).
RecoilShot DefaultShot(int t, int b) {
  return {static_cast<std::uint16_t>(100 + 10 * t + b),
          RecoilMove{static_cast<std::uint8_t>(b + t), b % 2 == 1},
          RecoilMove{static_cast<std::uint8_t>(2 * b + 1), b % 5 == 4}};
}

std::string MoveLine(int kind, const RecoilMove& move, const char* toward, const char* away) {
  return "0,0," + std::to_string(kind | (move.toward_flag ? 0x80 : 0)) + "," +
         std::to_string(move.distance) + "," + (move.toward_flag ? "1," : "0,") +
         (move.toward_flag ? toward : away);
}

std::string CurFile(const Lines& lines) {
  std::string text =
      "[MACROACTIONCOUNT]\r\ncount=" + std::to_string(lines.size()) + "\r\n[MACROACTION]\r\n";
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += std::to_string(i) + "=" + lines[i] + "\r\n";
  return text;
}

Lines DefaultLines(int t) {
  Lines lines;
  for (int b = 0; b < kRecoilShotCount; ++b) {
    const RecoilShot shot = DefaultShot(t, b);
    lines.insert(lines.end(), 3, "1,0,9,9,0,carried");
    lines.push_back(std::to_string(shot.delay % 256) + "," + std::to_string(shot.delay / 256) +
                    ",7,3,1,kept");
    lines.push_back(
        MoveLine(4, *shot.horizontal, "mouse_move_to_left_text", "mouse_move_to_right_text"));
    lines.push_back(
        MoveLine(5, *shot.vertical, "mouse_move_to_up_text", "mouse_move_to_down_text"));
  }
  return lines;
}

class RecoilPageTest : public MousePageTest {
 protected:
  RecoilPageTest() {
    for (int t = 0; t < kRecoilTableCount; ++t) {
      WriteFile(program_.path() / ("name_" + std::to_string(t + 1) + ".cur"),
                CurFile(DefaultLines(t)));
    }
    EXPECT_TRUE(store_.InitialiseRecoil(program_.path()));
    page_.emplace(*window_, dialogs_,
                  RecoilPageLinks{.tables = &tables_, .download = {}, .post = {}});
    window_->SetNotifyHandler([this](const Notification& n) { (void)page_->Handle(n); });
    page_->Start();
  }
  std::string File(int t) const { return ReadWholeFile(*tables_.TablePath(t)).bytes; }
  std::string Text(std::string_view name) { return C(name).Text(); }
  RecoilShot Shown() {
    const auto move = [&](const char* edit, const char* check) {
      return RecoilMove{static_cast<std::uint8_t>(std::stoi(Text(edit))), C(check).IsSelected()};
    };
    return {static_cast<std::uint16_t>(std::stoi(Text("ms_cursor_delay_eidt"))),
            move("ms_cursor_x_eidt", "ms_cursor_x_check"),
            move("ms_cursor_y_eidt", "ms_cursor_y_check")};
  }

  TempDir data_;
  TempDir program_;
  MacroStore store_{DeviceKind::kMouse, data_.path()};
  RecoilTables tables_{store_, program_.path()};
  std::optional<MouseRecoilPage> page_;
};

// Each step as a user takes it, then the shot shown: its number, whether it can be edited, which
// option is selected, its values from its table and the marked point of the path.
TEST_F(RecoilPageTest, TablesAndShotsAreChosenByOptionsAndPreviousNext) {
  struct Case {
    std::string click;
    int table;
    std::optional<int> shot;  // nullopt: the shot was unselected
  };
  const Case cases[] = {
      {"", 0, 0},
      {"bullet_selected_prev", 0, 0},  // nothing before the first shot
      {"bullet_selected_next", 0, 1},
      {"ms_bullet_op_29", 0, 29},
      {"bullet_selected_next", 0, 29},       // nothing after the last
      {"ms_bullet_op_29", 0, std::nullopt},  // a click on the selected shot unselects it
      {"ms_bullet_op_29", 0, 29},            // and the next selects it again
      {"bullet_selected_prev", 0, 28},
      {"ms_gun_op_2", 2, 0},  // another table starts at its first shot
      {"ms_bullet_op_7", 2, 7},
      {"ms_gun_op_3", 3, 0},
  };
  int last_shot = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click);
    if (!c.click.empty()) C(c.click).Click();
    const int shot = c.shot.value_or(last_shot);
    EXPECT_EQ(C("cursor_edit_layout").IsEnabled(), c.shot.has_value());
    for (int b = 0; b < kRecoilShotCount; ++b) {
      EXPECT_EQ(C("ms_bullet_op_" + std::to_string(b)).IsSelected(), c.shot == b) << b;
    }
    EXPECT_EQ(Text("bullet_select_index"), std::to_string(shot + 1));
    EXPECT_EQ(Shown(), DefaultShot(c.table, shot));
    std::vector<RecoilShot> shots;
    for (int b = 0; b < kRecoilShotCount; ++b) shots.push_back(DefaultShot(c.table, b));
    EXPECT_EQ(C("ms_recoil_chart").ChartItems(), RecoilPath(shots, c.shot));
    last_shot = shot;
  }
  EXPECT_EQ(File(0), CurFile(DefaultLines(0))) << "choosing stores nothing";
}

// Each edit, typed or clicked, as the field then shows it and the one line of the whole file it
// changes: typed numbers above a field's width become its most, below 0 become 0, other text stays
// as typed and is stored by its leading digits; the direction options name their directions.
TEST_F(RecoilPageTest, EachEditIsHeldToItsFieldAndStoredAtOnceAsItsLine) {
  struct Case {
    int shot;
    std::string field;  // "delay", "x" or "y"
    const char* typed;  // nullptr: the field's direction option clicked
    const char* shown;
    const char* line;  // the field's line of the shot after
  };
  const Case cases[] = {
      {0, "delay", "70000", "65535", "255,255,7,3,1,kept"},
      {0, "delay", "-4", "0", "0,0,7,3,1,kept"},
      {0, "x", "256", "255", "0,0,4,255,0,mouse_move_to_right_text"},
      {0, "y", "99999", "255", "0,0,5,255,0,mouse_move_to_down_text"},
      {2, "delay", "300", "300", "44,1,7,3,1,kept"},
      {2, "x", "12px", "12px", "0,0,4,12,0,mouse_move_to_right_text"},
      {2, "x", "5", "5", "0,0,4,5,0,mouse_move_to_right_text"},
      {2, "x", nullptr, "mouse_move_to_left_text", "0,0,132,5,1,mouse_move_to_left_text"},
      {2, "y", "", "", "0,0,5,0,0,mouse_move_to_down_text"},
      {2, "y", "12", "12", "0,0,5,12,0,mouse_move_to_down_text"},
      {2, "y", nullptr, "mouse_move_to_up_text", "0,0,133,12,1,mouse_move_to_up_text"},
      {2, "x", nullptr, "mouse_move_to_right_text", "0,0,4,5,0,mouse_move_to_right_text"},
      {2, "y", nullptr, "mouse_move_to_down_text", "0,0,5,12,0,mouse_move_to_down_text"},
  };
  Lines expected = DefaultLines(0);
  for (const Case& c : cases) {
    const std::string control = "ms_cursor_" + c.field + (c.typed ? "_eidt" : "_check");
    SCOPED_TRACE(control + " " + (c.typed ? c.typed : "clicked"));
    const std::string shot = "ms_bullet_op_" + std::to_string(c.shot);
    if (!C(shot).IsSelected()) C(shot).Click();
    c.typed ? C(control).Type(c.typed) : C(control).Click();
    EXPECT_EQ(Text(control), c.shown);
    // A shot's delay line is its fourth, the horizontal and vertical moves follow.
    const int line = 6 * c.shot + 3 + (c.field != "delay") + (c.field == "y");
    expected[static_cast<std::size_t>(line)] = c.line;
    EXPECT_EQ(File(0), CurFile(expected));
  }
}

// A shot's movements are found by their kind wherever they stand; a movement no line gives leaves
// its controls as they were, and loading stores nothing.
TEST_F(RecoilPageTest, AShotShowsItsLinesByKind) {
  Lines lines = DefaultLines(1);
  lines[4] = "0,0,2,7,1,mouse_key_left";             // shot 0: no horizontal line
  lines[5] = "0,0,132,9,1,mouse_move_to_left_text";  // a horizontal one in the vertical's place
  lines[10] = "0,0,5,6,0,mouse_move_to_down_text";   // shot 1: vertical first
  lines[11] = "0,0,132,3,1,mouse_move_to_left_text";
  const std::string file = CurFile(lines);
  WriteFile(*tables_.TablePath(1), file);
  C("ms_cursor_y_eidt").SetText("77");
  C("ms_gun_op_1").Click();
  EXPECT_EQ(Shown(), (RecoilShot{110, RecoilMove{9, true}, RecoilMove{77, false}}));
  EXPECT_EQ(C("ms_cursor_x_check").Text(), "mouse_move_to_left_text");
  C("bullet_selected_next").Click();
  EXPECT_EQ(Shown(), (RecoilShot{111, RecoilMove{3, true}, RecoilMove{6, false}}));
  EXPECT_EQ(File(1), file);
}

// The chosen file replaces the selected table's, or is refused with the reason and nothing changes.
TEST_F(RecoilPageTest, ImportTakesAFileOrSaysWhyNot) {
  struct Case {
    std::string what;
    std::optional<std::string> contents;  // nullopt: no such file
    Lines messages;
  };
  const Lines table_3 = DefaultLines(3);
  const Case cases[] = {
      {"181 lines", CurFile(Lines(181, "0,0,0,0,0,x")), Lines{"message_text_18"}},
      {"not text", std::string("[MACROACTIONCOUNT]\r\ncount=1\0\r\n", 28),
       Lines{"message_text_recoil_import_text"}},
      {"over 1 MiB", std::string(kMaxImportedMacroBytes + 1, ';'),
       Lines{"message_text_recoil_import_large"}},
      {"missing", std::nullopt, Lines{"message_text_recoil_import_failed"}},
      {"one shot", CurFile(Lines(table_3.begin(), table_3.begin() + 6)), Lines{}},
  };
  C("ms_gun_op_2").Click();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path source = data_.path() / "chosen.cur";
    std::filesystem::remove(source);
    if (c.contents) WriteFile(source, *c.contents);
    const std::string before = File(2);
    dialogs_.AnswerFiles({source});
    const std::size_t shown = dialogs_.Texts().size();
    C("ms_bulletdate_import_btn").Click();
    const Lines texts = dialogs_.Texts();
    EXPECT_EQ(std::vector(texts.begin() + static_cast<long>(shown), texts.end()), c.messages);
    EXPECT_EQ(File(2), c.messages.empty() ? *c.contents : before);
  }
  EXPECT_EQ(Shown(), DefaultShot(3, 0)) << "the imported table is shown";
  EXPECT_EQ(dialogs_.file_requests().back().default_extension, "cur");
}

// Restore copies the table's default over its file and shows its first shot; export copies the
// file as it is. A copy that cannot be made says so.
TEST_F(RecoilPageTest, RestoreAndExportCopyTheTablesFile) {
  C("ms_gun_op_1").Click();
  C("ms_bullet_op_4").Click();
  C("ms_cursor_delay_eidt").Type("9");
  const std::string edited = File(1);
  const std::filesystem::path target = data_.path() / "out.cur";
  dialogs_.AnswerFiles({target, data_.path() / "no such folder" / "out.cur"});
  C("ms_bulletdate_export_btn").Click();
  C("ms_bulletdate_export_btn").Click();
  EXPECT_EQ(ReadWholeFile(target).bytes, edited);
  EXPECT_EQ(dialogs_.file_requests().back().initial_name, "*.cur");

  C("ms_bulletdate_reset_btn").Click();
  EXPECT_EQ(File(1), CurFile(DefaultLines(1)));
  EXPECT_TRUE(C("ms_bullet_op_0").IsSelected());
  EXPECT_EQ(Shown(), DefaultShot(1, 0));
  std::filesystem::remove(program_.path() / "name_2.cur");
  C("ms_bulletdate_reset_btn").Click();
  EXPECT_EQ(dialogs_.Texts(),
            (Lines{"message_text_recoil_export_failed", "message_text_recoil_restore_failed"}));
}

TEST(RecoilPathTest, ThePathSumsTheMovementsAcrossRightAndDownPositive) {
  const std::vector<RecoilShot> shots = {{0, RecoilMove{3, false}, RecoilMove{4, false}},
                                         {0, RecoilMove{5, true}, std::nullopt},
                                         {0, std::nullopt, RecoilMove{10, true}}};
  const std::vector<ChartItem> expected = {
      {"0", 0, 0, false}, {"1", 3, 4, false}, {"2", -2, 4, true}, {"3", -2, -6, false}};
  EXPECT_EQ(RecoilPath(shots, 1), expected);
  EXPECT_FALSE(RecoilPath(shots, std::nullopt)[2].marked);
}

}  // namespace
}  // namespace vandrel::testing
