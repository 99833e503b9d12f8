// The factory default profile files: what a new mouse, pad and keyboard of each model hold, read
// from the simulated devices through the program's own reads and saved with its own payload code,
// so that the devices' factory data has one source. Written at build time beside the programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vandrel {

// Writes every default file into `folder` (which must exist); the names written, or an empty
// list when a file could not be written.
[[nodiscard]] std::vector<std::string> WriteFactoryDefaults(const std::filesystem::path& folder);

}  // namespace vandrel
