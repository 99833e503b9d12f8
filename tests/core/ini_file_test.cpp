#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/file_io.h"
#include "core/trace.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::size_t EntryCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(IniFileTest, MissingFileReadsDefaultsAndDeletingCreatesNothing) {
  TempDir dir;
  const IniFile file(dir.path() / "absent.ini");
  EXPECT_EQ(file.ReadString("S", "k"), "0");
  EXPECT_EQ(file.ReadString("S", "k", "dflt"), "dflt");
  EXPECT_EQ(file.ReadInt("S", "k", 7), 7);
  EXPECT_TRUE(file.DeleteKey("S", "k"));
  EXPECT_TRUE(file.DeleteSection("S"));
  EXPECT_FALSE(fs::exists(file.path()));
}

TEST(IniFileTest, WritingCreatesTheFileAndKeepsTheRestOfIt) {
  TempDir dir;
  const IniFile file(dir.path() / "kbMacro.ini");
  ASSERT_TRUE(file.WriteString("MACROCOUNT", "count", "1"));
  ASSERT_TRUE(file.WriteString("MACRONAME", "0", "macro one"));
  ASSERT_TRUE(file.WriteString("macrocount", "COUNT", "2"));
  EXPECT_EQ(ReadFile(file.path()), "[MACROCOUNT]\r\ncount=2\r\n[MACRONAME]\r\n0=macro one\r\n");
  EXPECT_EQ(file.ReadInt("MACROCOUNT", "count"), 2);

  ASSERT_TRUE(file.DeleteKey("MACRONAME", "0"));
  ASSERT_TRUE(file.DeleteSection("MACROCOUNT"));
  EXPECT_EQ(ReadFile(file.path()), "[MACRONAME]\r\n");
}

TEST(IniFileTest, HandWrittenFileKeepsCommentsAndUnknownLines) {
  TempDir dir;
  const fs::path path = dir.path() / "main.ini";
  WriteFile(path, "\xEF\xBB\xBF# my notes\n[SKINIMAGE]\nFLAGS = 1\nUNKNOWN=keep\n");
  ASSERT_TRUE(IniFile(path).WriteString("SKINIMAGE", "IMAGE", "common/background.png"));
  EXPECT_EQ(ReadFile(path),
            "\xEF\xBB\xBF# my notes\n[SKINIMAGE]\nFLAGS = 1\nUNKNOWN=keep\n"
            "IMAGE=common/background.png\n");
}

TEST(IniFileTest, AFailedWriteLeavesTheOldFileIntactAndNoLitter) {
  TempDir dir;
  const fs::path path = dir.path() / "msProfile.ini";
  const IniFile file(path);
  ASSERT_TRUE(file.WriteString("PROFILE", "0", "profile1"));
  const std::string before = ReadFile(path);

  // Simulate a full disk: the file-size limit makes the write of the new contents fail.
  {
    testing::FileSizeLimit limit(before.size() + 8);
    EXPECT_FALSE(file.WriteString("PROFILE", "1", std::string(4096, 'x')));
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(EntryCount(dir.path()), 1U);
}

TEST(IniFileTest, WriteFailsWhenTheFolderIsMissing) {
  TempDir dir;
  const IniFile file(dir.path() / "no-such-folder" / "x.ini");
  EXPECT_FALSE(file.WriteString("S", "k", "v"));
  EXPECT_FALSE(fs::exists(dir.path() / "no-such-folder"));
}

TEST(IniFileTest, AnExistingButUnreadableFileIsNeverReplaced) {
  TempDir dir;
  const fs::path folder_in_the_way = dir.path() / "catalogue.ini";
  fs::create_directory(folder_in_the_way);
  EXPECT_EQ(IniFile(folder_in_the_way).ReadString("S", "k"), "0");
  EXPECT_FALSE(IniFile(folder_in_the_way).WriteString("S", "k", "v"));
  EXPECT_FALSE(IniFile(folder_in_the_way).DeleteSection("S"));
  EXPECT_TRUE(fs::is_directory(folder_in_the_way));

  // Too large for its kind: read as empty, never rewritten, and the user is told.
  const fs::path huge = dir.path() / "huge.ini";
  WriteFile(huge, "[S]\nk=v\n");
  fs::resize_file(huge, kMaxSettingsIniSize + 1);
  const TraceCapture messages;
  const IniFile settings(huge, kMaxSettingsIniSize);
  EXPECT_EQ(settings.ReadString("S", "k"), "0");
  EXPECT_FALSE(settings.WriteString("S", "k", "w"));
  EXPECT_FALSE(settings.DeleteKey("S", "k"));
  EXPECT_EQ(fs::file_size(huge), kMaxSettingsIniSize + 1);
  EXPECT_TRUE(messages.Contains(huge.string() + " is larger than " +
                                std::to_string(kMaxSettingsIniSize) +
                                " bytes, the most this file may have: it is ignored and left "
                                "unchanged"));
  EXPECT_EQ(IniFile(huge).ReadString("S", "k"), "v");  // a kind with room for it reads it
}

TEST(IniFileTest, ConcurrentWritersInTheProcessLoseNoKeys) {
  TempDir dir;
  const IniFile file(dir.path() / "shared.ini");
  constexpr int kThreads = 4;
  constexpr int kKeysPerThread = 25;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&file, t] {
      for (int k = 0; k < kKeysPerThread; ++k) {
        EXPECT_TRUE(file.WriteString("T" + std::to_string(t), std::to_string(k), "v"));
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  const IniDocument document = file.Load();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(document.KeyNames("T" + std::to_string(t)).size(), std::size_t{kKeysPerThread});
  }
}

TEST(IniFileTest, ReplacingKeepsPermissionsAndSymbolicLinks) {
  TempDir dir;
  const fs::path real = dir.path() / "real.ini";
  const fs::path link = dir.path() / "link.ini";
  WriteFile(real, "[S]\nk=1\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);

  ASSERT_TRUE(IniFile(link).WriteString("S", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), "[S]\nk=2\n");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniFileTest, ALinkToAFileNotYetThereStaysALink) {
  TempDir dir;
  const fs::path link = dir.path() / "main.ini";
  fs::create_symlink("elsewhere/real.ini", link);
  fs::create_directory(dir.path() / "elsewhere");
  ASSERT_TRUE(IniFile(link).WriteString("S", "k", "v"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(dir.path() / "elsewhere" / "real.ini"), "[S]\r\nk=v\r\n");
}

TEST(IniFileTest, UpdateAppliesManyChangesInOneWriteOrNone) {
  TempDir dir;
  const IniFile file(dir.path() / "m.mac");
  ASSERT_TRUE(file.Update([](IniDocument& document) {
    for (int i = 0; i < 3; ++i) {
      if (!document.Set("MACROACTION", std::to_string(i), "1,2,3,4,5,x")) return false;
    }
    return document.Set("MACROACTIONCOUNT", "count", "3");
  }));
  EXPECT_EQ(file.ReadInt("MACROACTIONCOUNT", "count"), 3);

  const std::string before = ReadFile(file.path());
  EXPECT_FALSE(file.Update([](IniDocument& document) {
    document.RemoveSection("MACROACTION");
    return false;
  }));
  EXPECT_EQ(ReadFile(file.path()), before);
}

}  // namespace
}  // namespace vandrel
