#include "macro/macro_action.h"

#include <array>
#include <cstddef>

#include "core/decimal.h"

namespace vandrel {
namespace {

constexpr std::size_t kNumberFields = 5;

// The number of a field, cut to the low bits the field keeps (negative numbers wrap, as a
// conversion to an unsigned field does).
template <typename Field>
Field FieldValue(std::string_view text) {
  return static_cast<Field>(static_cast<unsigned>(ParseDecimalPrefix(text)));
}

}  // namespace

bool MacroAction::IsMove() const {
  return kind() == static_cast<int>(MacroKind::kMoveX) ||
         kind() == static_cast<int>(MacroKind::kMoveY);
}

std::optional<MacroAction> ParseAction(std::string_view line) {
  // fields[0] is delay_low (everything left of the fifth comma from the right), fields[4] pressed.
  std::array<std::string_view, kNumberFields> fields;
  std::size_t comma = line.rfind(',');
  if (comma == std::string_view::npos) return std::nullopt;
  MacroAction action;
  action.name = std::string(line.substr(comma + 1));
  std::string_view rest = line.substr(0, comma);
  for (std::size_t field = kNumberFields - 1; field > 0; --field) {
    comma = rest.rfind(',');
    if (comma == std::string_view::npos) return std::nullopt;
    fields[field] = rest.substr(comma + 1);
    rest = rest.substr(0, comma);
  }
  fields[0] = rest;

  const auto delay_low = FieldValue<std::uint8_t>(fields[0]);
  const auto delay_high = FieldValue<std::uint8_t>(fields[1]);
  action.delay = static_cast<std::uint16_t>(delay_low + 256 * delay_high);
  action.code = FieldValue<std::uint8_t>(fields[2]);
  action.value = FieldValue<std::uint8_t>(fields[3]);
  action.pressed = FieldValue<std::uint16_t>(fields[4]);
  return action;
}

std::string FormatAction(const MacroAction& action) {
  return std::to_string(action.delay & 0xFF) + "," + std::to_string(action.delay >> 8) + "," +
         std::to_string(action.code) + "," + std::to_string(action.value) + "," +
         std::to_string(action.pressed) + "," + action.name;
}

}  // namespace vandrel
