#include "macro/recoil_tables.h"

#include <algorithm>
#include <utility>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/utf8.h"
#include "macro/macro_file.h"

namespace vandrel {
namespace {

constexpr std::string_view kCountSection = "MACROACTIONCOUNT";
constexpr std::string_view kCountKey = "count";
constexpr std::string_view kLineSection = "MACROACTION";

// Where a shot's lines lie among the table's action lines.
constexpr int kDelayLine = 3;
constexpr int kHorizontalLine = 4;
constexpr int kVerticalLine = 5;

[[nodiscard]] bool ValidShot(int shot) { return shot >= 0 && shot < kRecoilShotCount; }

[[nodiscard]] int LineOf(int shot, int line) { return shot * kRecoilLinesPerShot + line; }

[[nodiscard]] int LineCount(const IniDocument& file) {
  return std::clamp(file.GetInt(kCountSection, kCountKey), 0, kMaxMacroSteps);
}

// Action line `index` of `file`; a line at or past the count, missing or not parsing reads as
// zeros, as the download sends it, so that what is shown is what the mouse gets.
[[nodiscard]] MacroAction ActionAt(const IniDocument& file, int index) {
  if (index >= LineCount(file)) return {};
  return ParseAction(file.Get(kLineSection, std::to_string(index))).value_or(MacroAction{});
}

[[nodiscard]] bool SetLine(IniDocument& file, int index, const MacroAction& action) {
  return file.Set(kLineSection, std::to_string(index), FormatAction(action));
}

}  // namespace

MacroAction RecoilMoveLine(MacroKind kind, const RecoilMove& move) {
  const bool flag = move.toward_flag;
  const bool horizontal = kind == MacroKind::kMoveX;
  const char* name = horizontal ? (flag ? "mouse_move_to_left_text" : "mouse_move_to_right_text")
                                : (flag ? "mouse_move_to_up_text" : "mouse_move_to_down_text");
  return {
      .delay = 0,
      .code = static_cast<std::uint8_t>(static_cast<std::uint8_t>(kind) | (flag ? kMacroFlag : 0)),
      .value = move.distance,
      .pressed = static_cast<std::uint16_t>(flag ? 1 : 0),
      .name = name};
}

RecoilTables::RecoilTables(const MacroStore& store, std::filesystem::path program_folder)
    : store_(store), program_folder_(std::move(program_folder)) {}

std::vector<std::string> RecoilTables::Names() const { return store_.ReadRecoilNames(); }

std::optional<std::filesystem::path> RecoilTables::TablePath(int table) const {
  const std::vector<std::string> names = Names();
  if (table < 0 || static_cast<std::size_t>(table) >= names.size()) return std::nullopt;
  return PathOfName(names[static_cast<std::size_t>(table)]);
}

std::optional<std::filesystem::path> RecoilTables::PathOfName(std::string_view name) const {
  if (CheckMacroName(name) != MacroNameProblem::kNone) return std::nullopt;
  return store_.RecoilPath(name);
}

RecoilShot RecoilTables::ReadShot(int table, int shot) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  if (!path || !ValidShot(shot)) return {};
  const IniDocument file = IniFile(*path).Load();
  RecoilShot values;
  values.delay = ActionAt(file, LineOf(shot, kDelayLine)).delay;
  // The two movement lines fill the controls of their kind, whichever comes first.
  for (const int line : {kHorizontalLine, kVerticalLine}) {
    const MacroAction action = ActionAt(file, LineOf(shot, line));
    const RecoilMove move{action.value, action.flag()};
    if (action.kind() == static_cast<int>(MacroKind::kMoveX)) values.horizontal = move;
    if (action.kind() == static_cast<int>(MacroKind::kMoveY)) values.vertical = move;
  }
  return values;
}

bool RecoilTables::WriteShot(int table, int shot, const RecoilShot& values) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  if (!path || !ValidShot(shot) || !values.horizontal || !values.vertical) return false;
  return IniFile(*path).Update([&](IniDocument& file) {
    MacroAction delay = ActionAt(file, LineOf(shot, kDelayLine));
    delay.delay = values.delay;
    // A shot past the table's count would be shown but never sent: the count grows to hold it.
    const int needed = LineOf(shot + 1, 0);
    const bool counted =
        LineCount(file) >= needed || file.Set(kCountSection, kCountKey, std::to_string(needed));
    return counted && SetLine(file, LineOf(shot, kDelayLine), delay) &&
           SetLine(file, LineOf(shot, kHorizontalLine),
                   RecoilMoveLine(MacroKind::kMoveX, *values.horizontal)) &&
           SetLine(file, LineOf(shot, kVerticalLine),
                   RecoilMoveLine(MacroKind::kMoveY, *values.vertical));
  });
}

std::vector<MacroAction> RecoilTables::ReadActions(int table) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  return path ? ReadActionsOf(*path) : std::vector<MacroAction>{};
}

std::vector<MacroAction> RecoilTables::ReadActionsOf(const std::filesystem::path& file) {
  std::vector<MacroAction> actions;
  for (const std::string& line : MacroFileLines(IniFile(file).Load())) {
    actions.push_back(ParseAction(line).value_or(MacroAction{}));
  }
  return actions;
}

std::size_t RecoilTables::ActionCountOf(const std::filesystem::path& file) {
  return static_cast<std::size_t>(LineCount(IniFile(file).Load()));
}

bool RecoilTables::Restore(int table) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  if (!path) return false;
  const FileContents contents = ReadWholeFile(
      program_folder_ / (DefaultRecoilName(table) + std::string(kRecoilFileExtension)),
      kMaxIniFileSize);
  return contents.status == ReadStatus::kOk && WriteFileAtomically(*path, contents.bytes);
}

bool RecoilTables::Export(int table, const std::filesystem::path& target) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  if (!path) return false;
  const FileContents contents = ReadWholeFile(*path, kMaxIniFileSize);
  return contents.status == ReadStatus::kOk && WriteFileAtomically(target, contents.bytes);
}

RecoilImportResult RecoilTables::Import(const std::filesystem::path& source, int table) const {
  const std::optional<std::filesystem::path> path = TablePath(table);
  if (!path) return RecoilImportResult::kNoSuchTable;
  const FileContents contents = ReadWholeFile(source, kMaxImportedMacroBytes);
  switch (contents.status) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kTooLarge:
      return RecoilImportResult::kTooLarge;
    case ReadStatus::kMissing:
    case ReadStatus::kUnreadable:
      return RecoilImportResult::kUnreadable;
  }
  if (contents.bytes.find('\0') != std::string::npos || !IsValidUtf8(contents.bytes)) {
    return RecoilImportResult::kNotText;
  }
  if (IniDocument::Parse(contents.bytes).GetInt(kCountSection, kCountKey) > kMaxRecoilLines) {
    return RecoilImportResult::kTooManyLines;
  }
  return WriteFileAtomically(*path, contents.bytes) ? RecoilImportResult::kImported
                                                    : RecoilImportResult::kWriteFailed;
}

}  // namespace vandrel
