// Numbered control names of the pages: "ms_DPI3_slider", "ms_DPIcolor_btn_4",
// "mp_Deng_color_btn_21". The routers dispatch on the name; the pages read the number from it.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace vandrel {

// The decimal number between `prefix` and `suffix` of `name` (compared exactly); nullopt when the
// name has another form or the part between is not wholly digits.
[[nodiscard]] inline std::optional<int> NumberInName(std::string_view name, std::string_view prefix,
                                                     std::string_view suffix = {}) {
  if (!name.starts_with(prefix) || !name.ends_with(suffix)) return std::nullopt;
  if (name.size() <= prefix.size() + suffix.size()) return std::nullopt;
  const std::string_view digits =
      name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '-') {
    return std::nullopt;
  }
  return number;
}

}  // namespace vandrel
