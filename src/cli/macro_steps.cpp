#include "cli/macro_steps.h"

#include <optional>
#include <string_view>

#include "macro/macro_action.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string_view KindWord(std::uint8_t kind) {
  switch (static_cast<MacroKind>(kind)) {
    case MacroKind::kMouseButton:
      return "mouse button";
    case MacroKind::kMoveX:
    case MacroKind::kMoveY:
      return "move";
    case MacroKind::kModifier:
      return "modifier";
    case MacroKind::kKey:
      return "key";
  }
  return "unknown";
}

// Leftward and upward moves carry the flag.
std::string_view Direction(const MacroAction& action) {
  if (action.kind() == static_cast<int>(MacroKind::kMoveX)) return action.flag() ? "left" : "right";
  return action.flag() ? "up" : "down";
}

}  // namespace

Json MacroStepReport(const std::string& line, const EnglishTexts& texts) {
  const std::optional<MacroAction> action = ParseAction(line);
  if (!action) return {{"kind", "unreadable"}, {"line", line}};
  Json step = {{"kind", KindWord(action->kind())}};
  if (action->IsMove()) {
    step["direction"] = Direction(*action);
    step["distance"] = action->value;
  } else {
    step["action"] = action->flag() ? "press" : "release";
    step["value"] = action->value;
  }
  step["name"] = texts.Text(action->name);
  step["delay_ms"] = action->delay;
  step["code"] = action->code;
  step["pressed"] = action->pressed;
  step["text_id"] = action->name;
  step["line"] = line;
  return step;
}

}  // namespace vandrel::cli
