// What vandrelctl shows of a macro step: its action line decoded into the kind of step, press or
// release (or the direction and distance of a pointer move), the key or button and the pause
// after it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/english_texts.h"

namespace vandrel::cli {

// The fields of the step of `line`, with its English name and the line itself; a line that does
// not parse gives its kind as "unreadable" and the line.
[[nodiscard]] nlohmann::ordered_json MacroStepReport(const std::string& line,
                                                     const EnglishTexts& texts);

}  // namespace vandrel::cli
