// The program a process runs, from hand-written /proc-like folders: plain processes by their
// executable, Wine and Proton processes by the Windows program on their command line.
#include "platform/process_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/wine_command_line.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using namespace std::string_literals;
using testing::TempDir;
using testing::WriteFile;

constexpr long kPid = 4242;

struct Case {
  const char* what;
  std::string exe;                      // target of PID/exe ("" for none)
  std::string cmdline;                  // contents of PID/cmdline, NUL-separated ("" for no file)
  const char* cwd;                      // target of PID/cwd relative to the fixture ("" for none)
  std::optional<std::string> expected;  // "@/" stands for the fixture's folder
  bool wine;
};

// Makes PID/ with the case's links and files; "games/foo.exe" exists under the fixture.
void MakeProcess(const std::filesystem::path& root, const Case& c) {
  const std::filesystem::path process = root / "proc" / std::to_string(kPid);
  std::filesystem::create_directories(process);
  std::filesystem::create_directories(root / "games");
  WriteFile(root / "games" / "foo.exe", "MZ");
  if (!c.exe.empty()) std::filesystem::create_symlink(c.exe, process / "exe");
  if (!c.cmdline.empty()) WriteFile(process / "cmdline", c.cmdline);
  if (*c.cwd != '\0') std::filesystem::create_symlink(root / c.cwd, process / "cwd");
}

std::optional<std::string> Resolved(const std::optional<std::string>& expected,
                                    const std::filesystem::path& root) {
  if (!expected || !expected->starts_with("@/")) return expected;
  return (root / expected->substr(2)).string();
}

TEST(ProcessProgramTest, ProgramOfPlainWineAndProtonProcesses) {
  const std::string preloader = "/usr/lib/wine/wine64-preloader";
  const std::string proton = "/home/u/.steam/steam/steamapps/common/Proton 9.0/files/bin/";
  const Case cases[] = {
      {"plain process", "/usr/bin/kate", "kate\0--new\0"s, "", "/usr/bin/kate", false},
      {"replaced binary", "/usr/bin/kate (deleted)", "", "", "/usr/bin/kate", false},
      {"argv rewritten by Wine", preloader, "C:\\Games\\Foo\\foo.exe\0-windowed\0"s, "",
       "C:\\Games\\Foo\\foo.exe", true},
      {"loader then program", "/usr/lib/wine/wine64",
       "/usr/lib/wine/wine64\0C:\\Games\\Foo\\foo.exe\0"s, "", "C:\\Games\\Foo\\foo.exe", true},
      {"preloader, loader, program", preloader,
       "/usr/lib/wine/wine64-preloader\0/usr/lib/wine/wine64\0D:\\bar.EXE\0"s, "", "D:\\bar.EXE",
       true},
      {"32-bit loader by name", "/opt/wine/bin/wine-preloader", "wine\0c:\\x\\y.exe\0"s, "",
       "c:\\x\\y.exe", true},
      {"whole command line in one argument", preloader,
       "C:\\Program Files\\Foo\\foo.exe -nosplash other.exe\0"s, "",
       "C:\\Program Files\\Foo\\foo.exe", true},
      {"quoted program", preloader, "wine64\0\"C:\\Program Files\\a b.exe\" -x\0"s, "",
       "C:\\Program Files\\a b.exe", true},
      {"network path", preloader, "\\\\server\\share\\g.exe\0"s, "", "\\\\server\\share\\g.exe",
       true},
      {"Proton game by Unix path", proton + "wine64-preloader",
       proton + "wine64\0c:\\windows\\system32\\steam.exe\0/home/u/Games/Game.exe\0-dx11\0"s, "",
       "/home/u/Games/Game.exe", true},
      {"Proton launcher with no game", proton + "wine-preloader",
       "C:\\windows\\system32\\steam.exe\0-silent\0"s, "", "C:\\windows\\system32\\steam.exe",
       true},
      {"Steam client itself keeps its name", preloader,
       "C:\\Program Files (x86)\\Steam\\steam.exe\0C:\\x\\other.exe\0"s, "",
       "C:\\Program Files (x86)\\Steam\\steam.exe", true},
      {"start /unix", preloader, "wine\0start\0/unix\0/home/u/Games/foo.exe\0"s, "",
       "/home/u/Games/foo.exe", true},
      {"start.exe with options and a title", preloader,
       "wine64\0C:\\windows\\command\\start.exe\0/d\0C:\\G.exe\0/wait\0Title\0C:\\G\\run.EXE\0a.exe\0"s,
       "", "C:\\G\\run.EXE", true},
      {"start with nothing to start", preloader, "wine\0start\0/unix\0"s, "", std::nullopt, true},
      {"relative name in the working folder", preloader, "wine\0foo.exe\0"s, "games",
       "@/games/foo.exe", true},
      {"relative name not in the working folder", preloader, "wine\0notepad\0"s, "games",
       std::nullopt, true},
      {"relative Windows path", preloader, "wine\0games\\foo.exe\0"s, "", std::nullopt, true},
      {"only loaders", preloader, "wine64-preloader\0wine64\0"s, "", std::nullopt, true},
      {"empty command line (a zombie)", preloader, "", "", std::nullopt, true},
      {"no exe link", "", "kate\0"s, "", std::nullopt, false},
      {"wine-like name is not Wine", "/usr/bin/winegame", "winegame\0"s, "", "/usr/bin/winegame",
       false},
  };
  for (const Case& c : cases) {
    const TempDir fixture;
    MakeProcess(fixture.path(), c);
    const ProcessProgram program = ReadProcessProgram(fixture.path() / "proc", kPid);
    EXPECT_EQ(program.path, Resolved(c.expected, fixture.path())) << c.what;
    EXPECT_EQ(program.wine, c.wine) << c.what;
    EXPECT_EQ(program.why_unknown.empty(), program.path.has_value()) << c.what;
  }
}

TEST(ProcessProgramTest, MissingProcessIsUnknownWithAReason) {
  const TempDir fixture;
  const ProcessProgram program = ReadProcessProgram(fixture.path(), kPid);
  EXPECT_EQ(program.path, std::nullopt);
  EXPECT_NE(program.why_unknown.find("not running"), std::string::npos) << program.why_unknown;
}

TEST(WineCommandLineTest, SplitsNulSeparatedArguments) {
  EXPECT_EQ(SplitCommandLine(""), std::vector<std::string>{});
  EXPECT_EQ(SplitCommandLine("a\0b c\0"s), (std::vector<std::string>{"a", "b c"}));
  EXPECT_EQ(SplitCommandLine("a\0\0b"s), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace vandrel
