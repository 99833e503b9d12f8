// The default recoil tables the build writes beside the programs: each a table of thirty whole
// shots the program reads back as written, with a pattern that pulls the pointer down.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ini_document.h"
#include "macro/recoil_tables.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using testing::TempDir;

TEST(RecoilDefaultsTest, EachDefaultTableHoldsThirtyWholeShotsThatPullDown) {
  const std::filesystem::path program = VANDREL_RECOIL_DEFAULTS_DIR;
  const TempDir data;
  const MacroStore store(DeviceKind::kMouse, data.path());
  ASSERT_TRUE(store.InitialiseRecoil(program));
  const RecoilTables tables(store, program);
  ASSERT_EQ(tables.Names().size(), 4U);
  for (int table = 0; table < 4; ++table) {
    SCOPED_TRACE(table);
    const std::string bytes = ReadFile(*tables.TablePath(table));
    EXPECT_EQ(bytes, ReadFile(program / ("name_" + std::to_string(table + 1) + ".cur")));
    const IniDocument file = IniDocument::Parse(bytes);
    ASSERT_EQ(file.GetInt("MACROACTIONCOUNT", "count"), kMaxRecoilLines);
    const std::vector<std::string> lines = file.GetList("MACROACTION", kMaxRecoilLines);
    for (const std::string& line : lines) {
      const std::optional<MacroAction> action = ParseAction(line);
      ASSERT_TRUE(action) << line;
      EXPECT_EQ(FormatAction(*action), line);  // nothing the program would write differently
    }
    int down = 0;
    int sideways = 0;
    for (int shot = 0; shot < kRecoilShotCount; ++shot) {
      const RecoilShot values = tables.ReadShot(table, shot);
      ASSERT_TRUE(values.horizontal && values.vertical) << shot;
      // The lines the program writes for these values are the lines the file holds.
      EXPECT_EQ(FormatAction(RecoilMoveLine(MacroKind::kMoveX, *values.horizontal)),
                lines[static_cast<std::size_t>(6 * shot + 4)]);
      EXPECT_EQ(FormatAction(RecoilMoveLine(MacroKind::kMoveY, *values.vertical)),
                lines[static_cast<std::size_t>(6 * shot + 5)]);
      EXPECT_GE(values.delay, 50);  // a gun's interval between rounds
      EXPECT_LE(values.delay, 200);
      EXPECT_FALSE(values.vertical->toward_flag) << "shot " << shot << " pulls up";
      EXPECT_LE(values.vertical->distance, 12);
      EXPECT_LE(values.horizontal->distance, 3);
      down += values.vertical->distance;
      sideways += values.horizontal->toward_flag ? -values.horizontal->distance
                                                 : values.horizontal->distance;
    }
    EXPECT_GT(down, 4 * std::abs(sideways));  // mostly downward
    EXPECT_LE(BuildRecoilBlock(tables).length, kRecoilBlockLimit);
  }
}

}  // namespace
}  // namespace vandrel
