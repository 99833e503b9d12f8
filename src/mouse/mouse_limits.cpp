#include "mouse/mouse_limits.h"

#include <string>

#include "device/assignment_check.h"
#include "device/lighting_limits.h"

namespace vandrel {

int HighestDpiIndex(const MouseDeviceInfo& info) {
  return info.max_dpi_index() == 0 ? kHighestListedDpiIndex : info.max_dpi_index();
}

std::optional<FieldProblem> MouseSettingsProblem(const MouseSettings& settings,
                                                 int highest_dpi_index) {
  if (auto problem = AboveProblem("slot", settings.slot, kMouseSlotCount - 1)) return problem;
  if (auto problem = LightingProblem(settings.lighting, DeviceKind::kMouse, 0)) return problem;
  if (auto problem = AboveProblem("report rate", settings.report_rate, kReportRateCount - 1)) {
    return problem;
  }
  for (int level = 1; level <= kMouseDpiLevels; ++level) {
    const std::string field = "DPI level " + std::to_string(level) + " index";
    if (auto problem = AboveProblem(field, settings.Dpi(level), highest_dpi_index)) return problem;
  }
  return AboveProblem("active DPI level", settings.active_dpi, kLastActiveDpiLevel);
}

std::optional<FieldProblem> MouseRecordProblem(const MouseSlotRecord& record,
                                               int highest_dpi_index) {
  if (auto problem = MouseSettingsProblem(record.settings, highest_dpi_index)) return problem;
  if (auto problem = AboveProblem("pointer speed", record.pointer_speed, kHighestPointerSpeed)) {
    return problem;
  }
  return AboveProblem("wheel lines", record.wheel_lines, kMostWheelLines);
}

std::optional<FieldProblem> MouseKeysProblem(const MouseKeyTable& keys) {
  for (int button = 0; button < kMouseButtonCount; ++button) {
    const std::string holder = "button " + std::to_string(button + 1);
    if (auto problem = AssignmentProblem(keys.Assignment(button), holder)) return problem;
  }
  return std::nullopt;
}

}  // namespace vandrel
