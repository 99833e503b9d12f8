#include "mouse/mouse_records.h"

#include <string>

#include "core/bytes.h"

namespace vandrel {
namespace {

constexpr std::array<int, 12> kDpiTable = {600,  800,  1000, 1200, 1600, 2000,
                                           2600, 3200, 3900, 4800, 6400, 8000};

struct SensorLabels {
  std::uint16_t code;
  std::string_view minimum;
  std::string_view maximum;
};

constexpr SensorLabels kSensorRanges[] = {
    {0x3050, "250", "4000"}, {0x3205, "600", "6400"}, {0x3310, "50", "5000"},
    {0x3325, "200", "8000"}, {0x3327, "200", "6200"}, {0x3360, "100", "12000"},
};

}  // namespace

std::uint8_t MouseSettings::Dpi(int level) const {
  if (level >= 1 && level <= 4) return dpi1_to_4[static_cast<std::size_t>(level - 1)];
  return level == 5 ? dpi5 : 0;
}

void MouseSettings::SetDpi(int level, std::uint8_t index) {
  if (level >= 1 && level <= 4) dpi1_to_4[static_cast<std::size_t>(level - 1)] = index;
  if (level == 5) dpi5 = index;
}

KeyAssignment MouseKeyTable::Assignment(int button) const {
  const auto at = static_cast<std::size_t>(button) * 3;
  return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

void MouseKeyTable::SetAssignment(int button, const KeyAssignment& assignment) {
  const auto at = static_cast<std::size_t>(button) * 3;
  bytes[at] = assignment.type;
  bytes[at + 1] = assignment.param1;
  bytes[at + 2] = assignment.param2;
}

std::uint16_t MouseDeviceInfo::sensor_code() const { return ReadLe16(bytes, 9); }

std::optional<int> DpiValue(int index) {
  if (index < 0 || index >= static_cast<int>(kDpiTable.size())) return std::nullopt;
  return kDpiTable[static_cast<std::size_t>(index)];
}

std::string DpiLabel(int index) {
  const std::optional<int> value = DpiValue(index);
  return value ? std::to_string(*value) : "–";
}

std::optional<std::pair<std::string_view, std::string_view>> SensorRange(
    std::uint16_t sensor_code) {
  for (const SensorLabels& sensor : kSensorRanges) {
    if (sensor.code == sensor_code) return std::pair{sensor.minimum, sensor.maximum};
  }
  return std::nullopt;
}

}  // namespace vandrel
