// make_recoil_defaults GUNS_FILE FOLDER: writes the mouse's default recoil tables "name_1.cur" …
// "name_4.cur" into FOLDER from the description in GUNS_FILE (see recoil/guns.txt for its form).
// Run by the build; any fault in the description stops it with the line at fault.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "macro/macro_action.h"
#include "macro/macro_store.h"
#include "macro/recoil_tables.h"

namespace vandrel {
namespace {

struct Description {
  std::vector<MacroAction> carried;            // lines 1-3 of every shot
  std::optional<MacroAction> wait;             // line 4 of every shot, before its delay is set
  std::vector<std::vector<std::string>> guns;  // per table, its action lines
};

[[noreturn]] void Fail(int line_number, const std::string& why) {
  std::fprintf(stderr, "make_recoil_defaults: line %d: %s\n", line_number, why.c_str());
  std::exit(1);
}

// A whole action line that formats back to itself, so the files hold exactly what is written.
MacroAction CanonicalAction(const std::string& text, int line_number) {
  const std::optional<MacroAction> action = ParseAction(text);
  if (!action || FormatAction(*action) != text) Fail(line_number, "not an action line: " + text);
  return *action;
}

MacroAction Move(MacroKind kind, int pull) {
  const bool toward_flag = pull < 0;  // leftward or upward
  return RecoilMoveLine(kind, {static_cast<std::uint8_t>(toward_flag ? -pull : pull), toward_flag});
}

void AddShot(Description& description, const std::string& text, int line_number) {
  std::istringstream fields(text);
  int delay = 0, x = 0, y = 0;
  std::string rest;
  if (!(fields >> delay >> x >> y) || (fields >> rest)) Fail(line_number, "expected DELAY X Y");
  if (delay < 0 || delay > kMaxMacroDelay || x < -255 || x > 255 || y < -255 || y > 255) {
    Fail(line_number, "a value out of range");
  }
  if (description.guns.empty()) Fail(line_number, "a shot before the first gun");
  if (description.carried.size() != 3 || !description.wait) {
    Fail(line_number, "a shot before the three carried lines and the wait line");
  }
  std::vector<std::string>& lines = description.guns.back();
  for (const MacroAction& carried : description.carried) lines.push_back(FormatAction(carried));
  MacroAction wait = *description.wait;
  wait.delay = static_cast<std::uint16_t>(delay);
  lines.push_back(FormatAction(wait));
  lines.push_back(FormatAction(Move(MacroKind::kMoveX, x)));
  lines.push_back(FormatAction(Move(MacroKind::kMoveY, y)));
}

Description Read(const std::string& text) {
  Description description;
  std::istringstream input(text);
  int line_number = 0;
  for (std::string line; std::getline(input, line);) {
    ++line_number;
    if (line.empty() || line[0] == '#') continue;
    if (line.starts_with("carried ")) {
      description.carried.push_back(CanonicalAction(line.substr(8), line_number));
    } else if (line.starts_with("wait ")) {
      description.wait = CanonicalAction(line.substr(5), line_number);
    } else if (line.starts_with("gun ")) {
      if (std::atoi(line.c_str() + 4) != static_cast<int>(description.guns.size()) + 1) {
        Fail(line_number, "guns are numbered 1, 2, … in order");
      }
      description.guns.emplace_back();
    } else {
      AddShot(description, line, line_number);
    }
  }
  return description;
}

std::string TableFile(const std::vector<std::string>& lines) {
  IniDocument file;
  bool written = file.Set("MACROACTIONCOUNT", "count", std::to_string(lines.size()));
  for (std::size_t i = 0; i < lines.size() && written; ++i) {
    written = file.Set("MACROACTION", std::to_string(i), lines[i]);
  }
  if (!written) Fail(0, "a line the file cannot hold");
  return file.Serialize();
}

int Run(const std::filesystem::path& guns_file, const std::filesystem::path& folder) {
  const FileContents contents = ReadWholeFile(guns_file);
  if (contents.status != ReadStatus::kOk) Fail(0, "cannot read " + guns_file.string());
  const Description description = Read(contents.bytes);
  if (description.guns.size() != static_cast<std::size_t>(kRecoilTableCount)) {
    Fail(0, "expected " + std::to_string(kRecoilTableCount) + " guns");
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (std::size_t k = 0; k < description.guns.size(); ++k) {
    const std::vector<std::string>& lines = description.guns[k];
    if (lines.size() != static_cast<std::size_t>(kMaxRecoilLines)) {
      Fail(0, "gun " + std::to_string(k + 1) + " has not " + std::to_string(kRecoilShotCount) +
                  " shots");
    }
    const std::filesystem::path file =
        folder / (DefaultRecoilName(static_cast<int>(k)) + std::string(kRecoilFileExtension));
    if (!WriteFileAtomically(file, TableFile(lines))) Fail(0, "cannot write " + file.string());
  }
  return 0;
}

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_recoil_defaults GUNS_FILE FOLDER\n", stderr);
    return 2;
  }
  return vandrel::Run(argv[1], argv[2]);
}
