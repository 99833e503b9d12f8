#include "core/stored_name.h"

#include <climits>
#include <optional>
#include <string>

#include "core/ini_document.h"
#include "core/utf8.h"

namespace vandrel {
namespace {

// C0 controls, DEL and C1 controls: none belongs in a file name or a list row.
bool IsControl(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

// Whether a catalogue gives the name back as written: the reader trims white space, takes
// matching quotes off and cuts long values.
bool SurvivesCatalogue(std::string_view name) {
  IniDocument document;
  if (!document.Set("NAME", "0", name)) return false;
  return IniDocument::Parse(document.Serialize()).Find("NAME", "0") == name;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

StoredNameProblem CheckStoredName(std::string_view name, std::string_view extension) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return StoredNameProblem::kInvalid;
  }
  const std::optional<std::u32string> code_points = DecodeUtf8(name);
  if (!code_points) return StoredNameProblem::kInvalid;
  for (const char32_t code_point : *code_points) {
    if (IsControl(code_point)) return StoredNameProblem::kInvalid;
  }
  if (name.size() + extension.size() > NAME_MAX) return StoredNameProblem::kTooLong;
  if (!SurvivesCatalogue(name)) return StoredNameProblem::kInvalid;
  return StoredNameProblem::kNone;
}

bool SameStoredName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace vandrel
