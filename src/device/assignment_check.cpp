#include "device/assignment_check.h"

#include <algorithm>
#include <array>

namespace vandrel {
namespace {

namespace type = assignment_type;

// Every type of the assignment table, the nameless ones included, the keyboard's extra keys and
// the host's own code for a disabled button or key.
constexpr std::array<std::uint8_t, 21> kKnownTypes = {type::kKeySingle,
                                                      type::kMouseButton,
                                                      type::kTilt,
                                                      type::kWheel,
                                                      type::kDpi,
                                                      type::kFire,
                                                      0x15,
                                                      type::kKey,
                                                      type::kMultimedia,
                                                      type::kMultimediaAlt,
                                                      type::kSystem,
                                                      0x50,
                                                      0x60,
                                                      type::kMacro,
                                                      type::kMacroCount,
                                                      type::kRecoil,
                                                      type::kFunctionKey,
                                                      0xB0,
                                                      0xC0,
                                                      type::kExtraKey,
                                                      type::kDisabled};

constexpr std::uint8_t kAllMouseButtons = 0x1F;  // left, right, middle, back, forward
constexpr std::uint8_t kLastDpiFunction = 3;     // up, down, cycle
constexpr std::uint8_t kLastRecoilTable = 3;

bool IsSystemControl(std::uint8_t value) { return value == 1 || value == 2 || value == 4; }

}  // namespace

std::optional<FieldProblem> AssignmentProblem(const KeyAssignment& assignment,
                                              const std::string& holder) {
  if (std::ranges::find(kKnownTypes, assignment.type) == kKnownTypes.end()) {
    return FieldProblem{holder + " assignment type", assignment.type, "a known type"};
  }
  const std::string first = holder + " assignment parameter 1";
  switch (assignment.type) {
    case type::kMouseButton:
      return AboveProblem(first, assignment.param1, kAllMouseButtons);
    case type::kDpi:
      if (assignment.param1 == 0) return FieldProblem{first, 0, "1-3"};
      return AboveProblem(first, assignment.param1, kLastDpiFunction);
    case type::kSystem:
      if (IsSystemControl(assignment.param1)) return std::nullopt;
      return FieldProblem{first, assignment.param1, "1, 2 or 4"};
    case type::kRecoil:
      return AboveProblem(first, assignment.param1, kLastRecoilTable);
    case type::kMacroCount:
      if (assignment.param2 != 0) return std::nullopt;
      return FieldProblem{holder + " assignment repeat count", 0, "1-255"};
    default:
      return std::nullopt;
  }
}

}  // namespace vandrel
