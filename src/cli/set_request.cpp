#include "cli/set_request.h"

#include <algorithm>

#include "cli/arguments.h"
#include "cli/device_names.h"
#include "device/lighting_limits.h"
#include "mouse/mouse_limits.h"
#include "pad/pad_records.h"

namespace vandrel::cli {
namespace {

constexpr std::string_view kValueOptions[] = {
    "slot",        "dpi1",        "dpi2",        "dpi3",        "dpi4",         "dpi5",
    "dpi1-colour", "dpi2-colour", "dpi3-colour", "dpi4-colour", "dpi5-colour",  "report-rate",
    "mode",        "brightness",  "speed",       "direction",   "seven-colour", "colour"};
constexpr std::string_view kFlagOptions[] = {"factory-reset"};

constexpr std::array<long, kReportRateCount> kReportRatesHz = {125, 250, 500, 1000};

int SlotCount(DeviceKind device) {
  return device == DeviceKind::kMouse ? kMouseSlotCount : kPadSlotCount;
}

std::optional<std::uint8_t> DpiIndexOf(long dpi) {
  for (int index = 0; index <= kHighestListedDpiIndex; ++index) {
    if (DpiValue(index) == dpi) return static_cast<std::uint8_t>(index);
  }
  return std::nullopt;
}

std::string DpiChoices() {
  std::string choices;
  for (int index = 0; index <= kHighestListedDpiIndex; ++index) {
    choices += (index == 0 ? "" : ", ") + std::to_string(*DpiValue(index));
  }
  return choices;
}

// Reads one option's value into `target` with `parse`; false when it was given and is wrong.
template <typename Target, typename Parse>
bool ReadOption(const CommandArguments& split, const std::string& name, Target& target,
                Parse parse) {
  const std::string* text = split.Value(name);
  if (text == nullptr) return true;
  target = parse(*text);
  return target.has_value();
}

bool ReadLighting(const CommandArguments& split, LightingRequest& lighting, std::string& error) {
  const auto byte_in = [&](long high, std::string_view what) {
    return [&error, high, what](const std::string& text) -> std::optional<std::uint8_t> {
      const std::optional<long> value = ParseNumber(text, 0, high, what, error);
      if (!value) return std::nullopt;
      return static_cast<std::uint8_t>(*value);
    };
  };
  const auto direction = [&](const std::string& text) { return ParseDirection(text, error); };
  const auto on_off = [&](const std::string& text) -> std::optional<bool> {
    if (text == "on" || text == "off") return text == "on";
    error = "seven-colour is on or off, not \"" + text + "\"";
    return std::nullopt;
  };
  const auto colour = [&](const std::string& text) { return ParseColour(text, error); };
  return ReadOption(split, "mode", lighting.mode, byte_in(255, "mode")) &&
         ReadOption(split, "brightness", lighting.brightness,
                    byte_in(kHighestBrightness, "brightness")) &&
         ReadOption(split, "speed", lighting.speed, byte_in(kSlowestSpeed, "speed")) &&
         ReadOption(split, "direction", lighting.direction, direction) &&
         ReadOption(split, "seven-colour", lighting.seven_colour, on_off) &&
         ReadOption(split, "colour", lighting.colour, colour);
}

bool ReadMouseOptions(const CommandArguments& split, SetRequest& request, std::string& error) {
  for (int level = 1; level <= kDpiLevelCount; ++level) {
    const std::string name = "dpi" + std::to_string(level);
    const auto dpi = [&](const std::string& text) -> std::optional<std::uint8_t> {
      const std::optional<long> value = ParseNumber(text, 1, 100000, name, error);
      if (!value) return std::nullopt;
      const std::optional<std::uint8_t> index = DpiIndexOf(*value);
      if (!index) error = name + " must be one of " + DpiChoices() + ", not " + text;
      return index;
    };
    const auto colour = [&](const std::string& text) { return ParseColour(text, error); };
    const auto at = static_cast<std::size_t>(level - 1);
    if (!ReadOption(split, name, request.dpi_index[at], dpi) ||
        !ReadOption(split, name + "-colour", request.dpi_colour[at], colour))
      return false;
  }
  const auto rate = [&](const std::string& text) -> std::optional<std::uint8_t> {
    const std::optional<long> hz = ParseNumber(text, 1, 100000, "report-rate", error);
    for (std::size_t i = 0; hz && i < kReportRatesHz.size(); ++i) {
      if (kReportRatesHz[i] == *hz) return static_cast<std::uint8_t>(i);
    }
    if (hz) error = "report-rate must be 125, 250, 500 or 1000, not " + text;
    return std::nullopt;
  };
  return ReadOption(split, "report-rate", request.report_rate, rate);
}

// Options a device does not have are refused rather than ignored.
bool CheckOptionsFit(const CommandArguments& split, const SetRequest& request, std::string& error) {
  const std::string device(DeviceWord(request.device));
  for (const auto& [name, value] : split.values) {
    const bool mouse_only = name.starts_with("dpi") || name == "report-rate";
    if ((mouse_only && request.device != DeviceKind::kMouse) ||
        (name == "slot" && request.device == DeviceKind::kKeyboard)) {
      error = "the " + device + " has no setting --" + name;
      return false;
    }
  }
  if (request.factory_reset && request.device == DeviceKind::kKeyboard) {
    error = "the keyboard has no factory reset";
    return false;
  }
  if (request.factory_reset && split.values.size() > 0) {
    error = "--factory-reset is given alone";
    return false;
  }
  if (!request.factory_reset && split.values.empty()) {
    error = "nothing to set; see vandrelctl help";
    return false;
  }
  return true;
}

}  // namespace

bool SetRequest::EditsLive() const {
  const auto given = [](const auto& value) { return value.has_value(); };
  return lighting.Any() || report_rate || std::any_of(dpi_index.begin(), dpi_index.end(), given) ||
         std::any_of(dpi_colour.begin(), dpi_colour.end(), given);
}

std::optional<SetRequest> ReadSetRequest(const std::vector<std::string>& arguments,
                                         std::string& error) {
  const std::optional<CommandArguments> split =
      SplitArguments(arguments, kValueOptions, kFlagOptions, error);
  if (!split) return std::nullopt;
  if (split->words.size() != 1) {
    error = "set takes one device: mouse, keyboard or pad";
    return std::nullopt;
  }
  SetRequest request;
  const std::optional<DeviceKind> device = DeviceOfWord(split->words[0]);
  if (!device) {
    error = "unknown device \"" + split->words[0] + "\" (mouse, keyboard, pad)";
    return std::nullopt;
  }
  request.device = *device;
  request.factory_reset = split->Has("factory-reset");
  if (!CheckOptionsFit(*split, request, error)) return std::nullopt;
  const auto slot = [&](const std::string& text) -> std::optional<int> {
    const std::optional<long> value = ParseNumber(text, 0, SlotCount(*device) - 1, "slot", error);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
  };
  if (!ReadOption(*split, "slot", request.slot, slot) ||
      !ReadLighting(*split, request.lighting, error) || !ReadMouseOptions(*split, request, error))
    return std::nullopt;
  // The mouse's and the pad's modes are known before either is asked.
  const bool device_decides = request.device == DeviceKind::kKeyboard;
  if (!device_decides && !CheckAgainstDevice(request, {0, kHighestListedDpiIndex}, error))
    return std::nullopt;
  return request;
}

bool CheckAgainstDevice(const SetRequest& request, const DeviceLimits& limits, std::string& error) {
  const int last_mode = LastLightingMode(request.device, limits.keyboard_model);
  if (request.lighting.mode && *request.lighting.mode > last_mode) {
    error = "mode must be from 0 to " + std::to_string(last_mode) + " on this " +
            std::string(DeviceWord(request.device)) + ", not " +
            std::to_string(*request.lighting.mode);
    return false;
  }
  for (std::size_t level = 0; level < request.dpi_index.size(); ++level) {
    const std::optional<std::uint8_t> index = request.dpi_index[level];
    if (index && *index > limits.highest_dpi_index) {
      error = "dpi" + std::to_string(level + 1) + " " + std::to_string(*DpiValue(*index)) +
              " is above this mouse's highest, " +
              std::to_string(DpiValue(limits.highest_dpi_index).value_or(0));
      return false;
    }
  }
  return true;
}

}  // namespace vandrel::cli
