// Moving macro files: renames that never replace a file, deletes, the copies in and out of the
// folder, and names that must never reach a file outside it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "macro/macro_store.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using Names = std::vector<std::string>;
using Files = std::set<std::string>;

// The names in `folder` and, for regular files, their contents: "name=contents".
Files Listing(const fs::path& folder) {
  Files files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    files.insert(entry.is_regular_file() ? name + "=" + ReadFile(entry.path()) : name + "/");
  }
  return files;
}

class MacroFileMovesTest : public ::testing::Test {
 protected:
  // The device's folder sits one level down, so that a file written beside it is seen.
  MacroFileMovesTest() { fs::create_directory(folder_); }

  TempDir dir_;
  const fs::path folder_ = dir_.path() / "kb";
  const MacroStore store_{DeviceKind::kKeyboard, folder_};
};

// Files are "name=contents", folders "name/".
TEST_F(MacroFileMovesTest, RenamesMoveTheFileButNeverReplaceOne) {
  const struct {
    Files before;
    std::string from;
    std::string to;
    RenameResult result;
    Files after;
  } cases[] = {
      {{"a.mac=A"}, "a", "b", RenameResult::kRenamed, {"b.mac=A"}},
      {{"a.mac=A"}, "a", "A", RenameResult::kRenamed, {"A.mac=A"}},
      {{}, "a", "b", RenameResult::kRenamed, {}},
      {{"a.mac=A"}, "a", "a", RenameResult::kRenamed, {"a.mac=A"}},
      {{"a.mac=A", "b.mac=B"}, "a", "b", RenameResult::kTargetExists, {"a.mac=A", "b.mac=B"}},
      {{"b.mac=stray"}, "a", "b", RenameResult::kTargetExists, {"b.mac=stray"}},
      {{"a.mac=A", "A.mac=B"}, "a", "A", RenameResult::kTargetExists, {"a.mac=A", "A.mac=B"}},
      {{"a.mac=A", "b.mac/"}, "a", "b", RenameResult::kTargetExists, {"a.mac=A", "b.mac/"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.before) + " " + c.from + " to " + c.to);
    fs::remove_all(folder_);
    fs::create_directory(folder_);
    for (const std::string& file : c.before) {
      if (file.ends_with('/')) {
        fs::create_directory(folder_ / file.substr(0, file.size() - 1));
      } else {
        const std::size_t equals = file.find('=');
        WriteFile(folder_ / file.substr(0, equals), file.substr(equals + 1));
      }
    }
    EXPECT_EQ(store_.RenameMacroFile(c.from, c.to), c.result);
    EXPECT_EQ(Listing(folder_), c.after);
    EXPECT_EQ(Listing(dir_.path()), Files{"kb/"});
  }
}

TEST_F(MacroFileMovesTest, DeletingRemovesOnlyTheMacrosOwnFile) {
  WriteFile(folder_ / "a.mac", "A");
  WriteFile(folder_ / "A.mac", "other case");
  WriteFile(dir_.path() / "outside.mac", "outside");
  EXPECT_TRUE(store_.DeleteMacroFile("a"));
  EXPECT_TRUE(store_.DeleteMacroFile("a"));  // already gone: nothing to do
  fs::create_directory(folder_ / "folder.mac");
  EXPECT_FALSE(store_.DeleteMacroFile("folder"));
  EXPECT_EQ(Listing(folder_), (Files{"A.mac=other case", "folder.mac/"}));
  EXPECT_EQ(ReadFile(dir_.path() / "outside.mac"), "outside");
}

TEST_F(MacroFileMovesTest, ExportAndImportCopyBytesBetweenStoresOfBothDevices) {
  TempDir mouse_folder;
  const MacroStore mouse(DeviceKind::kMouse, mouse_folder.path());
  // A file of the Windows program: LF and CRLF mixed, no name section, a BOM, a stray byte count.
  const std::string bytes =
      "\xEF\xBB\xBF[MACROACTIONCOUNT]\r\ncount = 2\n[MACROACTION]\r\n0=10,1,138,4,1,keyboard_key_A"
      "\r\n1=0,0,10,4,0,keyboard_key_A\r\n; \xE5\xAE\x8F\r\n";
  WriteFile(folder_ / "m.mac", bytes);
  const fs::path exported = dir_.path() / "exported.mac";
  WriteFile(exported, "replaced");
  ASSERT_TRUE(store_.ExportMacro("m", exported));
  EXPECT_EQ(ReadFile(exported), bytes);

  ASSERT_EQ(mouse.ImportMacro(exported, "name_1"), ImportResult::kImported);
  EXPECT_EQ(ReadFile(mouse.MacroPath("name_1")), bytes);
  const Names steps = {"10,1,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A"};
  EXPECT_EQ(mouse.ReadMacro("name_1"), steps);
  // The mouse's next save adds its name section and keeps the steps.
  ASSERT_TRUE(mouse.WriteMacro("name_1", "name_1", steps));
  EXPECT_EQ(mouse.ReadMacro("name_1"), steps);

  // Nothing to export, or nowhere to write it: refused, nothing left behind.
  EXPECT_FALSE(store_.ExportMacro("absent", dir_.path() / "x.mac"));
  EXPECT_FALSE(store_.ExportMacro("m", dir_.path() / "missing" / "x.mac"));
  EXPECT_FALSE(fs::exists(dir_.path() / "x.mac"));
}

TEST_F(MacroFileMovesTest, ImportTakesOnlySmallTextFilesAndStoresNothingElse) {
  const fs::path source = dir_.path() / "source";
  const fs::path fifo = dir_.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir_.path() / "folder");
  struct Case {
    const char* label;
    std::string bytes;  // written to `source` unless `path` names something else
    fs::path path;
    std::string name;
    ImportResult result;
  };
  const std::string largest(kMaxImportedMacroBytes, 'x');
  const Case cases[] = {
      {"empty", "", source, "a", ImportResult::kImported},
      {"largest", largest, source, "b", ImportResult::kImported},
      {"one byte over", largest + "x", source, "c", ImportResult::kTooLarge},
      {"a NUL", std::string("[MACROACTIONCOUNT]\0", 19), source, "c", ImportResult::kNotText},
      {"Latin-1", "[MACROSELECTNAME]\nname=caf\xE9\n", source, "c", ImportResult::kNotText},
      {"a FIFO", "", fifo, "c", ImportResult::kUnreadable},
      {"a folder", "", dir_.path() / "folder", "c", ImportResult::kUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFile(source, c.bytes);
    EXPECT_EQ(store_.ImportMacro(c.path, c.name), c.result);
  }
  EXPECT_EQ(ReadFile(store_.MacroPath("a")), "");
  EXPECT_EQ(ReadFile(store_.MacroPath("b")), largest);
  EXPECT_FALSE(fs::exists(store_.MacroPath("c")));

  // A full disk is reported and leaves the old file.
  WriteFile(store_.MacroPath("a"), "old");
  WriteFile(source, std::string(4096, 'y'));
  {
    testing::FileSizeLimit full_disk(16);
    EXPECT_EQ(store_.ImportMacro(source, "a"), ImportResult::kWriteFailed);
  }
  EXPECT_EQ(ReadFile(store_.MacroPath("a")), "old");
}

TEST_F(MacroFileMovesTest, UnsafeNamesNeverReachAFileOutsideTheFolder) {
  WriteFile(dir_.path() / "outside.mac", "outside");
  WriteFile(folder_ / "a.mac", "[MACROACTIONCOUNT]\ncount=1\n[MACROACTION]\n0=1,0,10,4,1,k\n");
  const Files outside_before = Listing(dir_.path());
  const Files inside_before = Listing(folder_);
  const Names lines = {"0,0,10,4,1,keyboard_key_A"};
  for (const char* name : {"../outside", "..", ".", "", "/tmp/x", "a/../a", "a\n", " a"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(store_.ReadMacro(name), Names{});
    EXPECT_FALSE(store_.WriteMacro(name, "shown", lines));
    EXPECT_EQ(store_.RenameMacroFile("a", name), RenameResult::kInvalidName);
    EXPECT_EQ(store_.RenameMacroFile(name, "b"), RenameResult::kInvalidName);
    EXPECT_FALSE(store_.DeleteMacroFile(name));
    EXPECT_FALSE(store_.ExportMacro(name, folder_ / "exported"));
    EXPECT_EQ(store_.ImportMacro(folder_ / "a.mac", name), ImportResult::kWriteFailed);
  }
  EXPECT_EQ(Listing(dir_.path()), outside_before);
  EXPECT_EQ(Listing(folder_), inside_before);
}

}  // namespace
}  // namespace vandrel
