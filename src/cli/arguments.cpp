#include "cli/arguments.h"

#include <algorithm>
#include <charconv>

namespace vandrel::cli {
namespace {

bool Names(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

const std::string* CommandArguments::Value(const std::string& name) const {
  const auto found = values.find(name);
  return found != values.end() ? &found->second : nullptr;
}

std::optional<CommandArguments> SplitArguments(const std::vector<std::string>& arguments,
                                               std::span<const std::string_view> value_options,
                                               std::span<const std::string_view> flag_options,
                                               std::string& error) {
  CommandArguments result;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("--")) {
      result.words.push_back(argument);
      continue;
    }
    const std::string name = argument.substr(2);
    if (result.values.contains(name) || result.flags.contains(name)) {
      error = "option " + argument + " given twice";
      return std::nullopt;
    }
    if (Names(flag_options, name)) {
      result.flags.insert(name);
    } else if (Names(value_options, name) && i + 1 < arguments.size()) {
      result.values.emplace(name, arguments[++i]);
    } else {
      error = Names(value_options, name) ? "option " + argument + " needs a value"
                                         : "unknown option " + argument;
      return std::nullopt;
    }
  }
  return result;
}

std::optional<long> ParseNumber(std::string_view text, long low, long high, std::string_view what,
                                std::string& error) {
  int base = 10;
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  long value = 0;
  const auto [end, failure] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || failure != std::errc() || end != digits.data() + digits.size()) {
    error = std::string(what) + " must be a number, not \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  if (value < low || value > high) {
    error = std::string(what) + " must be from " + std::to_string(low) + " to " +
            std::to_string(high) + ", not " + std::string(text);
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint8_t> ParseDirection(std::string_view text, std::string& error) {
  if (text == "left" || text == "right") return text == "left" ? 1 : 0;
  error = "direction is left or right, not \"" + std::string(text) + "\"";
  return std::nullopt;
}

std::optional<Rgb> ParseColour(std::string_view text, std::string& error) {
  std::string_view digits = text;
  if (digits.starts_with('#')) digits.remove_prefix(1);
  unsigned value = 0;
  const auto [end, failure] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.size() != 6 || failure != std::errc() || end != digits.data() + digits.size()) {
    error = "a colour is six hexadecimal digits RRGGBB, not \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value)};
}

}  // namespace vandrel::cli
