#include "platform/xdg_user_folders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "app/data_folders.h"
#include "platform/home_folder.h"
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

// Whatever sits at user-dirs.dirs is read without blocking and only when it is a small regular
// file: a FIFO with no writer or an endless device gives the default Documents folder at once.
TEST_F(XdgUserFoldersTest, UserDirsThatIsNoSmallRegularFileIsIgnored) {
  // Were the FIFO opened for reading, nothing could end the wait: the alarm ends the program.
  constexpr unsigned kDeadlineSeconds = 60;
  alarm(kDeadlineSeconds);
  fs::create_directories(home_.path() / ".config");
  const fs::path user_dirs = home_.path() / ".config" / "user-dirs.dirs";
  const std::string named = "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n";
  const std::string padded = std::string(64 * 1024, '#') + "\n" + named;
  const std::function<void()> plant[] = {
      [&] { ASSERT_EQ(mkfifo(user_dirs.c_str(), 0600), 0); },
      [&] { fs::create_symlink("/dev/zero", user_dirs); },
      [&] { testing::WriteFile(user_dirs, padded); },
  };
  for (const auto& make : plant) {
    make();
    EXPECT_EQ(folders_.DocumentsFolder(), home_.path() / "Documents");
    fs::remove(user_dirs);
  }
  alarm(0);
}

// HOME must name an existing folder by an absolute path; without one nothing is placed anywhere
// (no folder is created in the current folder) and the reason is told.
TEST_F(XdgUserFoldersTest, AnEmptyRelativeOrMissingHomeIsNoHome) {
  std::string problem;
  EXPECT_EQ(FindHomeFolder(&problem), home_.path());
  const TempDir work;
  const fs::path started_in = fs::current_path();
  fs::current_path(work.path());
  struct Case {
    const char* home;
    const char* problem;
  };
  const std::string missing = (work.path() / "missing").string();
  for (const Case& c : {Case{"", "HOME is empty"}, Case{"relative", "is not an absolute path"},
                        Case{missing.c_str(), "is not a folder"}}) {
    const ScopedEnv home("HOME", c.home);
    EXPECT_EQ(FindHomeFolder(&problem), std::nullopt) << c.home;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    EXPECT_EQ(folders_.DocumentsFolder(), fs::path()) << c.home;
    EXPECT_EQ(folders_.ConfigFolder(), fs::path()) << c.home;
    (void)DataFolders(folders_).GetPadFolder();
  }
  fs::current_path(started_in);
  EXPECT_TRUE(fs::is_empty(work.path()));

  const ScopedEnv unset("HOME", std::nullopt);  // the password database's home then
  EXPECT_EQ(FindHomeFolder(), fs::path(getpwuid(getuid())->pw_dir));
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
