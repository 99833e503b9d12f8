// Reading a command's own arguments: words, "--name value" options and "--flag" switches, and the
// numbers and colours they carry. Every refusal says what was wrong in `error`.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/rgb.h"

namespace vandrel::cli {

struct CommandArguments {
  std::vector<std::string> words;             // in order, options taken out
  std::map<std::string, std::string> values;  // "--name value", keyed by "name"
  std::set<std::string> flags;                // "--flag", as "flag"

  [[nodiscard]] const std::string* Value(const std::string& name) const;
  [[nodiscard]] bool Has(const std::string& flag) const { return flags.contains(flag); }
};

// Splits `arguments`: an option named in `value_options` takes the next argument as its value,
// one named in `flag_options` takes none; any other "--" argument, a missing value or an option
// given twice is refused.
[[nodiscard]] std::optional<CommandArguments> SplitArguments(
    const std::vector<std::string>& arguments, std::span<const std::string_view> value_options,
    std::span<const std::string_view> flag_options, std::string& error);

// A whole decimal (or "0x" hexadecimal) number from `low` to `high`; `what` names it in the error.
[[nodiscard]] std::optional<long> ParseNumber(std::string_view text, long low, long high,
                                              std::string_view what, std::string& error);

// "left" (1) or "right" (0), the lighting direction as the devices store it.
[[nodiscard]] std::optional<std::uint8_t> ParseDirection(std::string_view text, std::string& error);

// "RRGGBB" (an optional leading '#'), hexadecimal.
[[nodiscard]] std::optional<Rgb> ParseColour(std::string_view text, std::string& error);

}  // namespace vandrel::cli
