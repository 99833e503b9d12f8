#include "profile/profile_links.h"

#include <algorithm>

#include "core/decimal.h"

namespace vandrel {
namespace {

constexpr std::string_view kLinked = "1";
constexpr std::string_view kUnlinked = "0";
constexpr std::string_view kNoProgram = " ";

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWindowsPath(std::string_view path) { return path.find('\\') != std::string_view::npos; }

// " " marks "no program"; the catalogue may give it back without the space.
bool IsNoProgram(std::string_view path) { return path.empty() || path == kNoProgram; }

bool Holds(const IniDocument& document, std::string_view section, const std::string& key,
           std::string_view value) {
  const std::optional<std::string> stored = document.Find(section, key);
  if (!stored) return false;
  return *stored == value || (IsNoProgram(*stored) && IsNoProgram(value));
}

// Sets like/path of `number` to the given values, writing only when one of them differs.
LinkChange Store(const ProfileCatalogue& catalogue, ProfileKind kind, std::size_t number,
                 std::string_view like, std::string_view program) {
  const CatalogueSections& sections = SectionsOf(kind);
  const std::string key = std::to_string(number);
  const IniDocument document = catalogue.file().Load();
  if (Holds(document, sections.like, key, like) && Holds(document, sections.path, key, program)) {
    return LinkChange::kDone;
  }
  const bool written = catalogue.file().Update([&](IniDocument& edited) {
    return edited.Set(sections.like, key, like) && edited.Set(sections.path, key, program);
  });
  return written ? LinkChange::kDone : LinkChange::kNotWritten;
}

}  // namespace

bool SameProgram(std::string_view a, std::string_view b) {
  if (!IsWindowsPath(a) || !IsWindowsPath(b)) return a == b;
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string LinkDisplayName(std::string_view path) {
  const char separator = IsWindowsPath(path) ? '\\' : '/';
  const std::size_t last = path.rfind(separator);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ProgramPathOf(std::string_view file) {
  static constexpr std::string_view kDriveC = "/drive_c/";
  static constexpr std::string_view kExe = ".exe";
  const std::size_t drive = file.rfind(kDriveC);
  const bool exe =
      file.size() > kExe.size() && std::equal(kExe.begin(), kExe.end(), file.end() - kExe.size(),
                                              [](char x, char y) { return x == FoldAscii(y); });
  if (drive == std::string_view::npos || !exe) return std::string(file);
  std::string windows = "C:\\" + std::string(file.substr(drive + kDriveC.size()));
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

std::vector<std::optional<std::string>> ReadLinks(const ProfileCatalogue& catalogue,
                                                  ProfileKind kind) {
  const CatalogueSections& sections = SectionsOf(kind);
  const IniDocument document = catalogue.file().Load();
  const std::size_t count = catalogue.Names(kind).size();
  const std::vector<std::string> likes = document.GetList(sections.like, count);
  const std::vector<std::string> paths = document.GetList(sections.path, count);
  std::vector<std::optional<std::string>> links(count);
  for (std::size_t i = 0; i < count; ++i) {
    const bool linked = ParseDecimalPrefix(likes[i]) == 1;
    if (linked && !IsNoProgram(paths[i])) links[i] = paths[i];
  }
  return links;
}

std::optional<std::size_t> LinkedProfileOf(const std::vector<std::optional<std::string>>& links,
                                           std::string_view program) {
  for (std::size_t i = 0; i < links.size(); ++i) {
    if (links[i] && SameProgram(*links[i], program)) return i;
  }
  return std::nullopt;
}

LinkChange LinkProfile(const ProfileCatalogue& catalogue, ProfileKind kind, std::size_t number,
                       std::string_view program, bool refuse_taken) {
  const std::vector<std::optional<std::string>> links = ReadLinks(catalogue, kind);
  if (number >= links.size()) return LinkChange::kNoSuchProfile;
  if (refuse_taken && LinkedProfileOf(links, program)) return LinkChange::kTaken;
  return Store(catalogue, kind, number, kLinked, program);
}

LinkChange UnlinkProfile(const ProfileCatalogue& catalogue, ProfileKind kind, std::size_t number) {
  if (number >= catalogue.Names(kind).size()) return LinkChange::kNoSuchProfile;
  return Store(catalogue, kind, number, kUnlinked, kNoProgram);
}

}  // namespace vandrel
