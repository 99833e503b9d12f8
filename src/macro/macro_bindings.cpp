#include "macro/macro_bindings.h"

#include <algorithm>
#include <cstddef>

#include "mouse/key_assignment.h"

namespace vandrel {
namespace {

constexpr std::size_t kAssignmentSize = 3;

[[nodiscard]] bool IsMacroBinding(std::uint8_t type) {
  return type == assignment_type::kMacro || type == assignment_type::kMacroCount;
}

}  // namespace

bool BindsMacro(std::span<const BindingTable> tables, int number) {
  for (const BindingTable& table : tables) {
    for (std::size_t at = 0; at + kAssignmentSize <= table.assignments.size();
         at += kAssignmentSize) {
      if (IsMacroBinding(table.assignments[at]) && table.assignments[at + 1] == number) return true;
    }
  }
  return false;
}

void RenumberBindingsOnDelete(std::span<const BindingTable> tables, int number) {
  for (const BindingTable& table : tables) {
    for (std::size_t at = 0; at + kAssignmentSize <= table.assignments.size();
         at += kAssignmentSize) {
      const std::span<std::uint8_t> assignment = table.assignments.subspan(at, kAssignmentSize);
      if (!IsMacroBinding(assignment[0]) || assignment[1] < number) continue;
      if (assignment[1] > number) {
        --assignment[1];
      } else if (at + kAssignmentSize <= table.factory.size()) {
        std::copy_n(table.factory.begin() + static_cast<std::ptrdiff_t>(at), kAssignmentSize,
                    assignment.begin());
      }
    }
  }
}

}  // namespace vandrel
