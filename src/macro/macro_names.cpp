// The rules for macro names, which are file names in the device's data folder as well as
// catalogue values.
#include <climits>
#include <cstddef>
#include <optional>

#include "core/ini_document.h"
#include "core/utf8.h"
#include "macro/macro_store.h"

namespace vandrel {
namespace {

// C0 controls, DEL and C1 controls: none belongs in a file name or a list row.
bool IsControl(char32_t code_point) {
  return code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F);
}

// Whether the catalogue gives the name back as written: the reader trims white space, takes
// matching quotes off and cuts long values.
bool SurvivesCatalogue(std::string_view name) {
  IniDocument document;
  if (!document.Set("MACRONAME", "0", name)) return false;
  return IniDocument::Parse(document.Serialize()).Find("MACRONAME", "0") == name;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

MacroNameProblem CheckMacroName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
    return MacroNameProblem::kInvalid;
  }
  const std::optional<std::u32string> code_points = DecodeUtf8(name);
  if (!code_points) return MacroNameProblem::kInvalid;
  for (const char32_t code_point : *code_points) {
    if (IsControl(code_point)) return MacroNameProblem::kInvalid;
  }
  if (name.size() + kMacroFileExtension.size() > NAME_MAX) return MacroNameProblem::kTooLong;
  if (!SurvivesCatalogue(name)) return MacroNameProblem::kInvalid;
  return MacroNameProblem::kNone;
}

bool SameMacroName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string NextFreeName(std::span<const std::string> names) {
  const auto taken = [names](std::string_view candidate) {
    for (const std::string& name : names) {
      if (SameMacroName(name, candidate)) return true;
    }
    return false;
  };
  for (std::size_t n = names.size() + 1;; ++n) {
    std::string candidate = "name_" + std::to_string(n);
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace vandrel
