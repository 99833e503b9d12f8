#include "app/main_ini.h"

#include <gtest/gtest.h>

#include "fake_user_folders.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

class MainIniTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  testing::FakeUserFolders user_folders_{dir_.path()};
  DataFolders folders_{user_folders_};
  MainIni main_ini_{folders_};
};

TEST_F(MainIniTest, MissingFileGivesZeroForEverySetting) {
  EXPECT_EQ(main_ini_.ReadSkinFlags(), 0);
  EXPECT_EQ(main_ini_.ReadSkinImage(), "0");
  EXPECT_EQ(main_ini_.ReadLanguage(), 0);
}

TEST_F(MainIniTest, SettingsLiveInTheSkinImageSectionOfMainIni) {
  ASSERT_TRUE(main_ini_.WriteSkinFlags(1));
  ASSERT_TRUE(main_ini_.WriteSkinImage("common/background.png"));
  ASSERT_TRUE(main_ini_.WriteLanguage(1));
  EXPECT_EQ(testing::ReadFile(folders_.GetDataFolder() + "main.ini"),
            "[SKINIMAGE]\r\nFLAGS=1\r\nIMAGE=common/background.png\r\nLANGUAGE=1\r\n");
  EXPECT_EQ(MainIni(folders_).ReadSkinImage(), "common/background.png");
}

TEST_F(MainIniTest, NonNumbersReadAsZeroAndOtherNumbersStay) {
  testing::WriteFile(folders_.GetDataFolder() + "main.ini", "[skinimage]\nflags=yes\nlanguage=2\n");
  EXPECT_EQ(main_ini_.ReadSkinFlags(), 0);
  EXPECT_EQ(main_ini_.ReadLanguage(), 2);
}

}  // namespace
}  // namespace vandrel
