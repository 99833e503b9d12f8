// Names that are both a catalogue value and a file name in a data folder (macros, profiles): the
// rules that keep such a name inside its folder and give it back from the catalogue as written,
// and the comparison the catalogues use. Any thread.
#pragma once

#include <string_view>

namespace vandrel {

enum class StoredNameProblem {
  kNone,
  kInvalid,  // empty, "." or "..", a "/", a control character, not UTF-8, or white space or
             // quotes around it that the catalogue would not keep
  kTooLong,  // name + extension would be longer than the file system allows
};

// Whether `name` followed by `extension` can be a file of a data folder and a catalogue value.
[[nodiscard]] StoredNameProblem CheckStoredName(std::string_view name, std::string_view extension);

// Whether two names are the same name (ASCII case ignored, as the catalogues compare them).
[[nodiscard]] bool SameStoredName(std::string_view a, std::string_view b);

}  // namespace vandrel
