// Comparing names as users type them: ASCII letters without regard to case, spaces around a
// name ignored. Any thread.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vandrel {

[[nodiscard]] inline bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

[[nodiscard]] inline std::string_view TrimmedName(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether `text` begins with `prefix`, without regard to case; the rest is left in `rest`.
[[nodiscard]] inline bool StartsWithName(std::string_view text, std::string_view prefix,
                                         std::string_view& rest) {
  if (text.size() < prefix.size() || !SameName(text.substr(0, prefix.size()), prefix)) {
    return false;
  }
  rest = text.substr(prefix.size());
  return true;
}

}  // namespace vandrel
