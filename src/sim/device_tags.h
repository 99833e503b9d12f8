// The simulated devices as command lines name them: "kb", "ms" and "mp", in the option
// "--simulate" (all three) or "--simulate=kb,ms". Shared by vandrel and vandrelctl.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel::sim {

// Reads `option` when it is "--simulate" or "--simulate=LIST" and returns true; `simulate` then
// holds the devices, or is nullopt with `error` set when the list names an unknown device or one
// twice. False (nothing changed) for any other option.
[[nodiscard]] bool ReadSimulateOption(std::string_view option,
                                      std::optional<std::vector<std::string>>& simulate,
                                      std::string& error);

// The product ID a simulated device of the tag gets: the per-key keyboard, the mouse, the pad.
[[nodiscard]] std::uint16_t ProductIdOfTag(std::string_view tag);

}  // namespace vandrel::sim
