// vandrelctl's commands on a device's profile lists in the data folder: list, select, add, copy,
// rename, delete, import, export, reset, and link and unlink (a profile's link to a program).
#pragma once

#include <string>

#include "cli/options.h"

namespace vandrel::cli {

// Whether `command` (the word after "profile") is one of them.
[[nodiscard]] bool IsProfileListCommand(const std::string& command);
// Runs it on `options.arguments` (the command word first); the exit status.
int RunProfileLists(const Options& options);

}  // namespace vandrel::cli
