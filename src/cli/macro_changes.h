// The macro commands that change a library: each takes the desktop program's lock first (see
// desktop_lock.h), reads the catalogue under it, and makes the change through the same library
// rules as the program's editor (macro/macro_changes.h). Each returns the exit status.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace vandrel::cli {

// `words` follow the subcommand: DEVICE [NAME].
int AddMacro(const Options& options, const std::vector<std::string>& words);
// DEVICE OLD NEW.
int RenameMacro(const Options& options, const std::vector<std::string>& words);
// DEVICE NAME.
int DeleteMacro(const Options& options, const std::vector<std::string>& words);
// DEVICE FILE [NAME].
int ImportMacro(const Options& options, const std::vector<std::string>& words);

}  // namespace vandrel::cli
