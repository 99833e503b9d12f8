// Program links in the catalogue: what counts as linked, how paths compare and show, the
// duplicate refusal, unlinking one profile only, and that nothing is rewritten when nothing
// changes.
#include "profile/profile_links.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A mouse catalogue with three device profiles and two key profiles, profile 1 of the device row
// linked to a Wine game; `extra` is appended as written.
std::string Catalogue3(const std::string& extra = "") {
  return "[PROFILEDEVICECOUNT]\r\ncount=3\r\n[PROFILEDEVICENAME]\r\n0=a\r\n1=b\r\n2=c\r\n"
         "[PROFILEDEVICESELECT]\r\nselect=0\r\n[PROFILELIKEDEVICEEXE]\r\n0=0\r\n1=1\r\n2=0\r\n"
         "[DEVICEPROCESS]\r\n0= \r\n1=C:\\Games\\Foo\\foo.exe\r\n2= \r\n"
         "[PROFILECOUNT]\r\ncount=2\r\n[PROFILENAME]\r\n0=k0\r\n1=k1\r\n" +
         extra;
}

class LinksTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(CataloguePath(), Catalogue3()); }
  std::filesystem::path CataloguePath() const { return data_.path() / "msProfile.ini"; }

  TempDir data_;
  TempDir program_;
  const ProfileCatalogue mouse_{DeviceKind::kMouse, data_.path(), program_.path()};
};

TEST(LinkPaths, ComparisonAndDisplayFollowThePathsOwnSystem) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"C:\\Games\\Foo\\foo.exe", "c:\\games\\FOO\\Foo.EXE", true},
      {"C:\\Games\\foo.exe", "C:\\Games\\foo.ex", false},
      {"/usr/bin/game", "/usr/bin/game", true},
      {"/usr/bin/Game", "/usr/bin/game", false},  // Linux file names keep their case
      {"/usr/bin/game", "C:\\usr\\bin\\game", false},
      {"", "", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameProgram(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(SameProgram(c.b, c.a), c.same) << c.b << " / " << c.a;
  }
  const std::pair<std::string, std::string> shown[] = {
      {"C:\\Games\\Foo\\foo.exe", "foo.exe"},
      {"Z:\\home\\me\\odd/name.exe", "odd/name.exe"},  // a Windows path splits at "\" only
      {"/opt/game/bin/game.x86_64", "game.x86_64"},
      {"/home/me/wine\\thing", "thing"},  // one backslash makes it a Windows path
      {"game", "game"},
      {"/usr/bin/", ""},
  };
  for (const auto& [path, name] : shown) {
    EXPECT_EQ(LinkDisplayName(path), name) << path;
  }
}

TEST(LinkPaths, AWindowsProgramInAWinePrefixIsLinkedByItsWindowsPath) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"/home/u/.wine/drive_c/Games/Foo/foo.exe", "C:\\Games\\Foo\\foo.exe"},
      {"/home/u/Steam/steamapps/compatdata/7/pfx/drive_c/Tool/T.EXE", "C:\\Tool\\T.EXE"},
      {"/mnt/drive_c/a/drive_c/b.exe", "C:\\b.exe"},
      {"/home/u/.wine/drive_c/Games/readme.txt", "/home/u/.wine/drive_c/Games/readme.txt"},
      {"/home/u/Games/foo.exe", "/home/u/Games/foo.exe"},
      {"/usr/bin/drive_c.exe", "/usr/bin/drive_c.exe"},
      {"/usr/bin/game", "/usr/bin/game"},
      {".exe", ".exe"},
  };
  for (const auto& [file, program] : cases) EXPECT_EQ(ProgramPathOf(file), program) << file;
}

TEST_F(LinksTest, OnlyLikeOneWithAProgramCountsAsLinked) {
  WriteFile(CataloguePath(),
            "[PROFILEDEVICECOUNT]\r\ncount=5\r\n[PROFILELIKEDEVICEEXE]\r\n0=1\r\n1=01x\r\n2=2\r\n"
            "3=1\r\n4=0\r\n5=1\r\n[DEVICEPROCESS]\r\n0=/a\r\n1=/b\r\n2=/c\r\n3= \r\n4=/e\r\n"
            "5=/beyond-the-count\r\n");
  const auto links = ReadLinks(mouse_, ProfileKind::kDevice);
  ASSERT_EQ(links.size(), 5u);
  EXPECT_EQ(links[0], "/a");
  EXPECT_EQ(links[1], "/b");  // "01x" reads as the number 1
  EXPECT_EQ(links[2], std::nullopt);
  EXPECT_EQ(links[3], std::nullopt);  // linked to nothing
  EXPECT_EQ(links[4], std::nullopt);
  EXPECT_EQ(LinkedProfileOf(links, "/b"), 1u);
  EXPECT_EQ(LinkedProfileOf(links, "/e"), std::nullopt);
  EXPECT_EQ(LinkedProfileOf(links, "/beyond-the-count"), std::nullopt);
  EXPECT_TRUE(ReadLinks(mouse_, ProfileKind::kLight).empty());  // a row with no profiles
}

TEST_F(LinksTest, LinkingRefusesAProgramLinkedInTheSameRowOnly) {
  struct Case {
    ProfileKind kind;
    std::size_t number;
    std::string program;
    bool refuse_taken;
    LinkChange change;
  };
  const Case cases[] = {
      {ProfileKind::kDevice, 2, "c:\\games\\foo\\FOO.exe", true, LinkChange::kTaken},
      {ProfileKind::kDevice, 1, "C:\\Games\\Foo\\foo.exe", true, LinkChange::kTaken},  // itself
      {ProfileKind::kDevice, 2, "C:\\Games\\Foo\\foo.exe", false, LinkChange::kDone},  // button
      {ProfileKind::kKey, 0, "C:\\Games\\Foo\\foo.exe", true, LinkChange::kDone},      // other row
      {ProfileKind::kDevice, 3, "/usr/bin/x", true, LinkChange::kNoSuchProfile},
      {ProfileKind::kLight, 0, "/usr/bin/x", true, LinkChange::kNoSuchProfile},
  };
  for (const Case& c : cases) {
    SetUp();
    const std::string before = ReadFile(CataloguePath());
    EXPECT_EQ(LinkProfile(mouse_, c.kind, c.number, c.program, c.refuse_taken), c.change)
        << c.program << " to " << c.number;
    const auto links = ReadLinks(mouse_, c.kind);
    if (c.change != LinkChange::kDone) {
      EXPECT_EQ(ReadFile(CataloguePath()), before) << "a refusal writes nothing";
      continue;
    }
    EXPECT_EQ(links[c.number], c.program);
    const auto device = ReadLinks(mouse_, ProfileKind::kDevice);
    EXPECT_EQ(device[1], "C:\\Games\\Foo\\foo.exe") << "the other link stays";
  }
}

TEST_F(LinksTest, UnlinkingWritesZeroAndASpaceForThatProfileAlone) {
  ASSERT_EQ(LinkProfile(mouse_, ProfileKind::kDevice, 0, "/usr/bin/game", true), LinkChange::kDone);
  ASSERT_EQ(UnlinkProfile(mouse_, ProfileKind::kDevice, 1), LinkChange::kDone);
  const IniDocument document = mouse_.file().Load();
  EXPECT_EQ(document.Get("PROFILELIKEDEVICEEXE", "1"), "0");
  EXPECT_TRUE(ReadFile(CataloguePath()).find("1= \r\n") != std::string::npos)
      << ReadFile(CataloguePath());
  const auto links = ReadLinks(mouse_, ProfileKind::kDevice);
  EXPECT_EQ(links[0], "/usr/bin/game");
  EXPECT_EQ(links[1], std::nullopt);
  EXPECT_EQ(document.Get("PROFILEDEVICESELECT", "select"), "0");
}

TEST_F(LinksTest, AChangeThatChangesNothingLeavesTheFileAlone) {
  // Every write replaces the file, so a new inode shows a rewrite even of the same bytes.
  const auto inode = [this] {
    struct stat status {};
    EXPECT_EQ(::stat(CataloguePath().c_str(), &status), 0);
    return status.st_ino;
  };
  const auto untouched = [&](const std::function<LinkChange()>& change) {
    const std::string before = ReadFile(CataloguePath());
    const auto stamp = inode();
    EXPECT_EQ(change(), LinkChange::kDone);
    return ReadFile(CataloguePath()) == before && inode() == stamp;
  };
  EXPECT_TRUE(untouched([&] { return UnlinkProfile(mouse_, ProfileKind::kDevice, 0); }));
  EXPECT_TRUE(untouched([&] {
    return LinkProfile(mouse_, ProfileKind::kDevice, 1, "C:\\Games\\Foo\\foo.exe", false);
  }));
  EXPECT_FALSE(untouched([&] { return UnlinkProfile(mouse_, ProfileKind::kDevice, 1); }));
  EXPECT_TRUE(untouched([&] { return UnlinkProfile(mouse_, ProfileKind::kDevice, 1); }));
}

}  // namespace
}  // namespace vandrel
