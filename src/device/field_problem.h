// FieldProblem: a value in a record from outside the program (a profile file) that the device
// cannot take, named so that the user can find it in the file.
#pragma once

#include <optional>
#include <string>

namespace vandrel {

struct FieldProblem {
  std::string field;    // "lighting mode", "button 4 assignment type" …
  int value = 0;        // what the record holds
  std::string allowed;  // "0-14", "0 or 1" …
};

// `field` holding `value` above `highest` (the lowest being 0); nullopt when `value` fits.
[[nodiscard]] inline std::optional<FieldProblem> AboveProblem(std::string field, int value,
                                                              int highest) {
  if (value <= highest) return std::nullopt;
  return FieldProblem{std::move(field), value,
                      highest == 1 ? "0 or 1" : "0-" + std::to_string(highest)};
}

}  // namespace vandrel
