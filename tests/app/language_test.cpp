#include "app/language.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

TEST(LanguageTest, SettingChoosesNameAndFile) {
  EXPECT_EQ(LanguageForSetting(0).name, "en");
  EXPECT_EQ(LanguageForSetting(0).file, "lan_en.xml");
  EXPECT_EQ(LanguageForSetting(1).name, "cn_zh");
  EXPECT_EQ(LanguageForSetting(1).file, "lan_cn.xml");
  for (int other : {2, -1, 2020}) {
    EXPECT_EQ(LanguageForSetting(other).name, "cn_tw");
    EXPECT_EQ(LanguageForSetting(other).file, "lan_sn.xml");
  }
}

TEST(LanguageTest, StoredTextMapsToSettingBothWays) {
  EXPECT_EQ(LanguageSettingFromStored("2020"), 1);
  EXPECT_EQ(LanguageSettingFromStored("1010"), 0);
  EXPECT_EQ(LanguageSettingFromStored("2020xyz"), 1);
  EXPECT_EQ(LanguageSettingFromStored("chinese"), 0);
  EXPECT_EQ(StoredLanguageText(0), "1010");
  EXPECT_EQ(StoredLanguageText(1), "2020");
}

}  // namespace
}  // namespace vandrel
