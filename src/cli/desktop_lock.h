// Keeping the desktop program out while vandrelctl changes files it holds in memory (the macro
// libraries): vandrelctl takes the program's own single-instance lock for the length of the
// change, so the change is refused while the program runs and the program cannot start in the
// middle of it. A program started meanwhile finds the lock taken, gets no answer from a first
// copy, and takes the lock itself once vandrelctl has let it go.
#pragma once

#include <optional>
#include <string>

#include "platform/single_instance.h"

namespace vandrel::cli {

// The lock, held until the result is destroyed; nullopt with `error` set when the desktop program
// (or another vandrelctl making a change) holds it. Where no lock can be taken at all, the change
// goes ahead after a warning on standard error, as the program itself would run.
[[nodiscard]] std::optional<SingleInstance> LockOutDesktopProgram(std::string& error);

}  // namespace vandrel::cli
