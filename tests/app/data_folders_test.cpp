#include "app/data_folders.h"

#include <gtest/gtest.h>

#include "fake_user_folders.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;

TEST(DataFoldersTest, FirstCallCreatesTheDataFolderAndTheAskedSubfolderOnly) {
  testing::TempDir dir;
  const testing::FakeUserFolders user_folders(dir.path());
  const DataFolders folders(user_folders);
  const fs::path data = dir.path() / "Documents" / "Vandrel Gaming mouse";

  EXPECT_EQ(folders.GetMouseFolder(), (data / "ms").string() + "/");
  EXPECT_TRUE(fs::is_directory(data / "ms"));
  EXPECT_FALSE(fs::exists(data / "kb"));
  EXPECT_FALSE(fs::exists(data / "mp"));

  EXPECT_EQ(folders.GetDataFolder(), data.string() + "/");
  EXPECT_EQ(folders.GetKeyboardFolder(), (data / "kb").string() + "/");
  EXPECT_EQ(folders.GetPadFolder(), (data / "mp").string() + "/");
  EXPECT_TRUE(fs::is_directory(data / "kb"));
  EXPECT_TRUE(fs::is_directory(data / "mp"));
}

TEST(DataFoldersTest, AFolderThatCannotBeCreatedStillGivesItsPath) {
  testing::TempDir dir;
  testing::WriteFile(dir.path() / "Documents", "a file where the folder should be");
  const testing::FakeUserFolders user_folders(dir.path());
  const DataFolders folders(user_folders);
  EXPECT_EQ(folders.GetPadFolder(),
            (dir.path() / "Documents" / "Vandrel Gaming mouse" / "mp").string() + "/");
}

TEST(DataFoldersTest, ProgramFolderEndsWithSlashAndIsNotCreated) {
  testing::TempDir dir;
  const testing::FakeUserFolders user_folders(dir.path());
  EXPECT_EQ(DataFolders(user_folders).GetProgramFolder(), (dir.path() / "program").string() + "/");
  EXPECT_FALSE(fs::exists(dir.path() / "program"));
}

}  // namespace
}  // namespace vandrel
