#include "platform/xdg_user_folders.h"

#include <gtest/gtest.h>

#include "app/data_folders.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::TempDir;

class XdgUserFoldersTest : public ::testing::Test {
 protected:
  TempDir home_;
  ScopedEnv home_env_{"HOME", home_.path().string()};
  ScopedEnv config_env_{"XDG_CONFIG_HOME", std::nullopt};
  XdgUserFolders folders_;

  void WriteUserDirs(std::string_view contents) {
    fs::create_directories(home_.path() / ".config");
    testing::WriteFile(home_.path() / ".config" / "user-dirs.dirs", contents);
  }
};

TEST_F(XdgUserFoldersTest, WithoutUserDirsDocumentsIsInHome) {
  EXPECT_EQ(folders_.DocumentsFolder(), home_.path() / "Documents");
  EXPECT_EQ(folders_.ConfigFolder(), home_.path() / ".config");
}

TEST_F(XdgUserFoldersTest, FreshUserGetsTheDataFolderCreatedInDocuments) {
  const DataFolders data(folders_);
  const std::string keyboard = data.GetKeyboardFolder();
  EXPECT_EQ(keyboard, (home_.path() / "Documents" / "Vandrel Gaming mouse" / "kb").string() + "/");
  EXPECT_TRUE(fs::is_directory(keyboard));
}

TEST_F(XdgUserFoldersTest, UserDirsNamesTheDocumentsFolder) {
  WriteUserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente \\\"mine\\\"\"\n");
  EXPECT_EQ(folders_.DocumentsFolder(), home_.path() / "Dokumente \"mine\"");

  WriteUserDirs("XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
  EXPECT_EQ(folders_.DocumentsFolder(), fs::path("/srv/docs"));
}

TEST_F(XdgUserFoldersTest, MalformedUserDirsFallsBackToHomeDocuments) {
  WriteUserDirs("XDG_DOCUMENTS_DIR=relative/path\nXDG_DOCUMENTS_DIR=\"$HOMEX/y\"\n");
  EXPECT_EQ(folders_.DocumentsFolder(), home_.path() / "Documents");
}

TEST_F(XdgUserFoldersTest, ConfigHomeIsUsedOnlyWhenAbsolute) {
  TempDir config;
  {
    ScopedEnv absolute("XDG_CONFIG_HOME", config.path().string());
    EXPECT_EQ(folders_.ConfigFolder(), config.path());
  }
  ScopedEnv relative("XDG_CONFIG_HOME", "relative");
  EXPECT_EQ(folders_.ConfigFolder(), home_.path() / ".config");
}

TEST_F(XdgUserFoldersTest, ProgramFolderIsOverriddenOrTheExecutablesFolder) {
  {
    ScopedEnv override_env("VANDREL_PROGRAM_DIR", "/opt/vandrel");
    EXPECT_EQ(folders_.ProgramFolder(), fs::path("/opt/vandrel"));
  }
  ScopedEnv no_override("VANDREL_PROGRAM_DIR", std::nullopt);
  EXPECT_EQ(folders_.ProgramFolder(), fs::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace vandrel
