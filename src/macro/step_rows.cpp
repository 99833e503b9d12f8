#include "macro/step_rows.h"

#include <optional>

namespace vandrel {

std::string StepRowName(std::string_view prefix) {
  return std::string(prefix) + std::string(kRecordedRowName);
}

ListItem StepRow(std::string_view prefix, std::string_view line) {
  ListItem row;
  row.user_data = line;
  row.height = kStepRowHeight;
  row.style = StepRowName(prefix);
  const std::optional<MacroAction> action = ParseAction(line);
  if (!action) {
    row.cells.push_back({std::string(line), false, std::string(kTextLabelStyle)});
    return row;
  }
  row.cells.push_back(
      {action->name, true,
       std::string(action->IsMouseFamily() ? kMouseLabelStyle : kKeyboardLabelStyle)});
  if (action->IsMove()) {
    row.cells.push_back({std::to_string(action->value), false, std::string(kTextLabelStyle)});
  } else {
    row.cells.push_back(
        {"", false, std::string(action->pressed != 0 ? kDownLabelStyle : kUpLabelStyle)});
  }
  row.cells.push_back({std::to_string(action->delay), false, std::string(kTextLabelStyle)});
  return row;
}

ListItem RecordedRow(const MacroAction& action) {
  ListItem row;
  row.user_data = FormatAction(action);
  row.height = kRecordedRowHeight;
  row.style = kRecordedRowName;
  row.cells.push_back({action.name, true, {}});
  row.cells.push_back({action.pressed != 0 ? "\u25BC" : "\u25B2", false, {}});
  row.cells.push_back({std::to_string(action.delay), false, {}});
  return row;
}

}  // namespace vandrel
