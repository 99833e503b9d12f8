// Colours of the skin: 0xAARRGGBB values written as "#AARRGGBB", "#RRGGBB" (opaque) or
// "0xAARRGGBB".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

[[nodiscard]] std::optional<std::uint32_t> ParseColour(std::string_view text);
// "#AARRGGBB" in upper case.
[[nodiscard]] std::string FormatColour(std::uint32_t argb);

}  // namespace vandrel
