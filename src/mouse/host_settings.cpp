#include "mouse/host_settings.h"

#include <algorithm>
#include <optional>

namespace vandrel {
namespace {

constexpr int kMaxPointerSpeed = 20;
constexpr int kMaxWheelLines = 100;

[[nodiscard]] std::uint8_t AtLeastOne(std::uint8_t value) {
  return value == 0 ? std::uint8_t{1} : value;
}

[[nodiscard]] std::uint8_t InRange(std::optional<int> value, int maximum) {
  return static_cast<std::uint8_t>(std::clamp(value.value_or(1), 1, maximum));
}

}  // namespace

HostSettings HostSettingsOfRecord(const MouseSlotRecord& record) {
  return {AtLeastOne(record.pointer_speed), AtLeastOne(record.wheel_lines)};
}

HostSettings HostSettingsOfDesktop(PointerSettings& pointer) {
  return {InRange(pointer.PointerSpeed(), kMaxPointerSpeed),
          InRange(pointer.WheelLines(), kMaxWheelLines)};
}

}  // namespace vandrel
