// A profile file as vandrelctl takes it: stricter than the program's own reading, which keeps
// going with whatever a file holds — here a file must name its device in its header, carry the
// magic, match its extension and hold exactly its payload.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "profile/profile_file.h"

namespace vandrel::cli {

struct ProfileInput {
  const ProfileRow* row = nullptr;
  std::vector<std::uint8_t> payload;  // row->payload_size bytes
};

// nullopt with `error` set when the file cannot be read or is not a whole profile.
[[nodiscard]] std::optional<ProfileInput> ReadProfileInput(const std::filesystem::path& path,
                                                           std::string& error);

// "mouse light profile (.led)".
[[nodiscard]] std::string ProfileDescription(const ProfileRow& row);

}  // namespace vandrel::cli
