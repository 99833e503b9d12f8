// The rules for macro names, which are file names in the device's data folder as well as
// catalogue values.
#include "core/stored_name.h"
#include "macro/macro_store.h"

namespace vandrel {

MacroNameProblem CheckMacroName(std::string_view name) {
  switch (CheckStoredName(name, kMacroFileExtension)) {
    case StoredNameProblem::kNone:
      return MacroNameProblem::kNone;
    case StoredNameProblem::kInvalid:
      return MacroNameProblem::kInvalid;
    case StoredNameProblem::kTooLong:
      return MacroNameProblem::kTooLong;
  }
  return MacroNameProblem::kInvalid;
}

bool SameMacroName(std::string_view a, std::string_view b) { return SameStoredName(a, b); }

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
