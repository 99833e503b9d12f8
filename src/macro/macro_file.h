// The contents of a macro file as the store reads them, apart from the file itself, so that
// whatever holds such contents in memory reads them the same way. Any thread.
#pragma once

#include <string>
#include <vector>

#include "core/ini_document.h"

namespace vandrel {

// The download image counts steps in 16 bits; a larger count is a damaged file.
inline constexpr int kMaxMacroSteps = 65535;

// MACROACTIONCOUNT/count (cut to 0 … kMaxMacroSteps), then the action lines MACROACTION/0 …
// count - 1, a missing key reading "0".
[[nodiscard]] std::vector<std::string> MacroFileLines(const IniDocument& file);

}  // namespace vandrel
