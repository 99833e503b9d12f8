#include "macro/macro_store.h"

#include <algorithm>
#include <utility>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "macro/macro_file.h"

namespace vandrel {
namespace {

constexpr std::string_view kCountKey = "count";
constexpr std::string_view kMacroCountSection = "MACROCOUNT";
constexpr std::string_view kMacroNameSection = "MACRONAME";
constexpr std::string_view kRecoilCountSection = "CURSORCOUNT";
constexpr std::string_view kRecoilNameSection = "CURSORNAME";
constexpr std::string_view kStepCountSection = "MACROACTIONCOUNT";
constexpr std::string_view kSelectNameSection = "MACROSELECTNAME";
constexpr std::string_view kSelectNameKey = "name";
constexpr std::string_view kStepSection = "MACROACTION";

// Writes the recoil table names into `document`.
bool SetRecoilEntries(IniDocument& document, std::span<const std::string> names) {
  bool written = document.Set(kRecoilCountSection, kCountKey, std::to_string(names.size()));
  for (std::size_t i = 0; i < names.size() && written; ++i) {
    written = document.Set(kRecoilNameSection, std::to_string(i), names[i]);
  }
  return written;
}

std::vector<std::string> DefaultRecoilNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kRecoilTableCount; ++i) names.push_back(DefaultRecoilName(i));
  return names;
}

std::vector<std::string> RecoilNamesIn(const IniDocument& catalogue) {
  const int count =
      std::clamp(catalogue.GetInt(kRecoilCountSection, kCountKey), 0, kMaxRecoilTables);
  return catalogue.GetList(kRecoilNameSection, static_cast<std::size_t>(count));
}

// Copies `source` to `target` unless the target exists; a missing source copies nothing.
bool CopyUnlessPresent(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) return true;
  const FileContents contents = ReadWholeFile(source, kMaxIniFileSize);
  if (contents.status == ReadStatus::kMissing) return true;
  return contents.status == ReadStatus::kOk && WriteFileAtomically(target, contents.bytes);
}

}  // namespace

std::string DefaultRecoilName(int index) { return "name_" + std::to_string(index + 1); }

MacroStore::MacroStore(DeviceKind kind, std::filesystem::path folder)
    : kind_(kind), folder_(std::move(folder)) {}

std::filesystem::path MacroStore::CataloguePath() const {
  return folder_ / (kind_ == DeviceKind::kMouse ? kMouseMacroCatalogue : kKeyboardMacroCatalogue);
}

std::filesystem::path MacroStore::MacroPath(std::string_view name) const {
  return folder_ / (std::string(name) + std::string(kMacroFileExtension));
}

std::filesystem::path MacroStore::RecoilPath(std::string_view name) const {
  return folder_ / (std::string(name) + std::string(kRecoilFileExtension));
}

std::vector<std::string> MacroStore::ReadRecoilNames() const {
  return RecoilNamesIn(IniFile(CataloguePath()).Load());
}

std::vector<std::string> MacroStore::ReadCatalogue() const {
  const IniDocument catalogue = IniFile(CataloguePath()).Load();
  // No store holds more than the editor allows; a larger count is a damaged file.
  const int count = std::clamp(catalogue.GetInt(kMacroCountSection, kCountKey), 0, kMaxMacros);
  return catalogue.GetList(kMacroNameSection, static_cast<std::size_t>(count));
}

bool MacroStore::WriteCatalogueEntry(int count, int index, std::string_view name) const {
  if (count < 1 || count > kMaxMacros || index < 0 || index >= count) return false;
  if (CheckMacroName(name) != MacroNameProblem::kNone) return false;
  return IniFile(CataloguePath()).Update([&](IniDocument& catalogue) {
    return catalogue.Set(kMacroCountSection, kCountKey, std::to_string(count)) &&
           catalogue.Set(kMacroNameSection, std::to_string(index), name);
  });
}

bool MacroStore::RewriteCatalogue(std::span<const std::string> names) const {
  // Names come from the catalogue itself, so they are written back as they are, even one that
  // could not name a file here.
  IniDocument catalogue;
  bool written = catalogue.Set(kMacroCountSection, kCountKey, std::to_string(names.size()));
  if (kind_ == DeviceKind::kMouse) {
    // A table the user renamed keeps its name: the tables are no macro's business.
    std::vector<std::string> tables = ReadRecoilNames();
    if (tables.empty()) tables = DefaultRecoilNames();
    written = written && SetRecoilEntries(catalogue, tables);
  }
  for (std::size_t i = 0; i < names.size() && written; ++i) {
    written = catalogue.Set(kMacroNameSection, std::to_string(i), names[i]);
  }
  return written && WriteFileAtomically(CataloguePath(), catalogue.Serialize());
}

bool MacroStore::InitialiseRecoil(const std::filesystem::path& program_folder) const {
  if (kind_ != DeviceKind::kMouse) return true;
  const IniFile catalogue(CataloguePath());
  if (catalogue.ReadInt(kRecoilCountSection, kCountKey) != 0) return true;
  const std::vector<std::string> names = DefaultRecoilNames();
  bool done =
      catalogue.Update([&](IniDocument& document) { return SetRecoilEntries(document, names); });
  for (const std::string& name : names) {
    const std::string file = name + std::string(kRecoilFileExtension);
    done = CopyUnlessPresent(program_folder / file, folder_ / file) && done;
  }
  return done;
}

std::vector<std::string> MacroFileLines(const IniDocument& file) {
  const int count = std::clamp(file.GetInt(kStepCountSection, kCountKey), 0, kMaxMacroSteps);
  return file.GetList(kStepSection, static_cast<std::size_t>(count));
}

std::vector<std::string> MacroStore::ReadMacro(std::string_view name) const {
  if (CheckMacroName(name) != MacroNameProblem::kNone) return {};
  return MacroFileLines(IniFile(MacroPath(name)).Load());
}

bool MacroStore::WriteMacro(std::string_view file_name, std::string_view display_name,
                            std::span<const std::string> lines) const {
  if (CheckMacroName(file_name) != MacroNameProblem::kNone) return false;
  if (lines.size() > static_cast<std::size_t>(kMaxMacroSteps)) return false;
  return IniFile(MacroPath(file_name)).Update([&](IniDocument& file) {
    bool written = file.Set(kStepCountSection, kCountKey, std::to_string(lines.size()));
    if (kind_ == DeviceKind::kMouse) {
      written = written && file.Set(kSelectNameSection, kSelectNameKey, display_name);
    }
    for (std::size_t i = 0; i < lines.size() && written; ++i) {
      written = file.Set(kStepSection, std::to_string(i), lines[i]);
    }
    return written;
  });
}

}  // namespace vandrel
