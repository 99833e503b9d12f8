#include "cli/device_reports.h"

#include <array>

#include "cli/device_names.h"
#include "cli/output.h"
#include "mouse/assignment_texts.h"
#include "mouse/key_combination.h"

namespace vandrel::cli {
namespace {

constexpr std::array<int, 4> kReportRatesHz = {125, 250, 500, 1000};
static_assert(kMouseButtonNames.size() == kMouseButtonCount);
constexpr int kMacroUnitBytes = 128;
// The mouse names its active level 0-5 for the six levels its page shows.
constexpr int kMouseActiveLevels = 6;

std::string ColourHex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::array<std::uint8_t, 3> bytes = {red, green, blue};
  return LowerHex(bytes);
}

std::string ColourHex(const Rgb& colour) {
  return ColourHex(colour.red, colour.green, colour.blue);
}

Json AssignmentReport(const KeyAssignment& assignment, const EnglishTexts& texts,
                      AssignmentHolder holder) {
  const std::array<std::uint8_t, 3> bytes = {assignment.type, assignment.param1, assignment.param2};
  return Json{{"function", FunctionName(assignment, texts, holder)},
              {"assignment", LowerHex(bytes)}};
}

// The active level counted from 1 like the level lines; null for a byte the mouse cannot send.
Json ActiveDpiLevel(std::uint8_t active_dpi) {
  if (active_dpi >= kMouseActiveLevels) return nullptr;
  return active_dpi + 1;
}

}  // namespace

Json FunctionName(const KeyAssignment& assignment, const EnglishTexts& texts,
                  AssignmentHolder holder, const MacroNameLookup& macro_name) {
  const AssignmentLabel label = AssignmentText(assignment, macro_name, holder);
  if (label.text) return label.resource_text ? texts.Text(*label.text) : *label.text;
  if (!label.resource_text) return "macro " + std::to_string(assignment.param1);
  if (assignment.type == assignment_type::kKey || assignment.type == assignment_type::kKeySingle) {
    const TextOfId text = [&texts](std::string_view id) { return texts.Text(id); };
    if (auto keys = KeyCombinationText(assignment, text)) return *keys;
  }
  return nullptr;
}

Json LightingReport(const LightingBlock& lighting) {
  return Json{{"mode", lighting.mode},
              {"brightness", lighting.brightness},
              {"speed", lighting.speed},
              {"direction", lighting.direction == 1 ? "left" : "right"},
              {"seven_colour", lighting.seven_colour != 0},
              {"colour", ColourHex(lighting.red, lighting.green, lighting.blue)}};
}

Json MouseSettingsReport(const MouseSettings& settings) {
  Json dpi = Json::array();
  for (int level = 1; level <= kMouseDpiLevels; ++level) {
    const std::uint8_t index = settings.Dpi(level);
    const std::optional<int> value = DpiValue(index);
    dpi.push_back({{"level", level},
                   {"index", index},
                   {"dpi", value ? Json(*value) : Json(nullptr)},
                   {"colour", ColourHex(settings.colours[static_cast<std::size_t>(level - 1)])}});
  }
  const bool known_rate = settings.report_rate < kReportRatesHz.size();
  return Json{
      {"slot", settings.slot},
      {"report_rate_hz", known_rate ? Json(kReportRatesHz[settings.report_rate]) : Json(nullptr)},
      {"active_dpi_level", ActiveDpiLevel(settings.active_dpi)},
      {"dpi_levels", dpi},
      {"lighting", LightingReport(settings.lighting)}};
}

Json MouseButtonsReport(const MouseKeyTable& keys, const EnglishTexts& texts) {
  Json buttons = Json::array();
  for (int button = 0; button < kMouseButtonCount; ++button) {
    Json entry = {{"button", button},
                  {"name", kMouseButtonNames[static_cast<std::size_t>(button)]}};
    entry.update(AssignmentReport(keys.Assignment(button), texts, AssignmentHolder::kMouseButton));
    buttons.push_back(entry);
  }
  return buttons;
}

Json KeyboardKeysReport(const KeyboardKeyTable& keys, const KeyboardKeyTable* defaults,
                        std::size_t key_count, const EnglishTexts& texts) {
  Json report = Json::array();
  for (std::size_t key = 0; key < key_count && key < kMaxKeyboardKeys; ++key) {
    Json entry = {{"key", key}};
    if (defaults != nullptr) {
      const std::optional<std::string_view> name = KeyOwnName(defaults->Assignment(key));
      entry["key_name"] = name ? Json(texts.Text(*name)) : Json(nullptr);
    }
    entry.update(AssignmentReport(keys.Assignment(key), texts, AssignmentHolder::kKeyboardKey));
    report.push_back(entry);
  }
  return report;
}

Json KeyboardLightingReport(const KeyboardLiveLighting& live, const KeyboardCustomColours& custom) {
  return Json{{"lighting", LightingReport(live.lighting)},
              {"custom_set", custom.custom_set},
              {"paint_colour", ColourHex(custom.paint_colour)}};
}

Json MouseReport(const MouseState& state, const EnglishTexts& texts) {
  Json report = {{"device_information", LowerHex(state.info.bytes)},
                 {"sensor", state.info.sensor_code()},
                 {"highest_dpi_index", state.info.max_dpi_index()},
                 {"macro_memory_bytes", state.info.macro_memory_units() * kMacroUnitBytes},
                 {"active_slot", state.live.slot}};
  report.update(MouseSettingsReport(state.live));
  report.erase("slot");
  report["buttons"] = MouseButtonsReport(state.ActiveKeys(), texts);
  return report;
}

Json KeyboardReport(const KeyboardState& state, int model, const EnglishTexts& texts) {
  std::lock_guard lock(state.lighting_lock);
  Json report = {{"device_information", LowerHex(state.info.bytes)},
                 {"model", model},
                 {"model_name", KeyboardModelName(model)},
                 {"key_count", state.info.key_count()},
                 {"macro_memory_bytes", state.info.macro_memory_units() * kMacroUnitBytes}};
  report.update(KeyboardLightingReport(state.live, state.custom));
  report["keys"] =
      KeyboardKeysReport(state.keys[0], &state.defaults, state.info.key_count(), texts);
  return report;
}

Json PadReport(const PadState& state) {
  return Json{{"device_information", LowerHex(state.info.bytes)},
              {"active_slot", state.live.slot},
              {"lighting", LightingReport(state.live.lighting)}};
}

}  // namespace vandrel::cli
