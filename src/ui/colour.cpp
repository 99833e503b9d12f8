#include "ui/colour.h"

#include <charconv>
#include <cstdio>

namespace vandrel {

std::optional<std::uint32_t> ParseColour(std::string_view text) {
  if (text.starts_with('#')) {
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
  } else {
    return std::nullopt;
  }
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (text.size() == 6) value |= 0xFF000000u;
  return value;
}

std::string FormatColour(std::uint32_t argb) {
  char buffer[10];
  std::snprintf(buffer, sizeof buffer, "#%08X", static_cast<unsigned>(argb));
  return buffer;
}

}  // namespace vandrel
