#include "platform/file_settings_store.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;

TEST(FileSettingsStoreTest, AbsentStoreFailsReadsAndIsNeverCreated) {
  testing::TempDir dir;
  FileSettingsStore store(dir.path() / "vandrel" / "settings.ini");
  EXPECT_FALSE(store.ReadValue(kLanguageValueName).has_value());
  EXPECT_FALSE(store.WriteValue(kLanguageValueName, "1010"));
  EXPECT_FALSE(fs::exists(dir.path() / "vandrel"));
}

TEST(FileSettingsStoreTest, ExistingStoreReadsAndWritesItsValues) {
  testing::TempDir dir;
  const fs::path path = dir.path() / "settings.ini";
  testing::WriteFile(path, "");
  FileSettingsStore store(path);
  EXPECT_FALSE(store.ReadValue(kLanguageValueName).has_value());
  ASSERT_TRUE(store.WriteValue(kLanguageValueName, "2020"));
  EXPECT_EQ(store.ReadValue("language"), "2020");
  EXPECT_EQ(testing::ReadFile(path), "[Vandrel Gaming mouse]\r\nLANGUAGE=2020\r\n");
}

TEST(FileSettingsStoreTest, DefaultPathIsInTheConfigFolder) {
  struct Folders : UserFolders {
    fs::path DocumentsFolder() const override { return "/d"; }
    fs::path ConfigFolder() const override { return "/c"; }
    fs::path ProgramFolder() const override { return "/p"; }
  } folders;
  EXPECT_EQ(FileSettingsStore::DefaultPath(folders), fs::path("/c/vandrel/settings.ini"));
}

}  // namespace
}  // namespace vandrel
