// The commands of vandrelctl. Each returns the process exit status: 0 success, 1 failure.
#pragma once

#include "cli/options.h"

namespace vandrel::cli {

// The data folders (created on the way) and the program folder.
int RunFolders(const Options& options);
// main.ini's skin and language settings and the stored language.
int RunSettings(const Options& options);
// The devices connected and what they report about themselves.
int RunDevices(const Options& options);

}  // namespace vandrel::cli
