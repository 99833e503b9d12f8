#include "vandrel/program_options.h"

#include <algorithm>
#include <charconv>

#include "sim/device_tags.h"

namespace vandrel {
namespace {

bool IsScreenshotView(std::string_view view) {
  return std::find(std::begin(kScreenshotViews), std::end(kScreenshotViews), view) !=
         std::end(kScreenshotViews);
}

std::optional<std::uint8_t> ParseByte(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// "MODE:SPEED", two numbers 0-255; nullopt for anything else.
std::optional<std::pair<std::uint8_t, std::uint8_t>> ParseModeAndSpeed(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::optional<std::uint8_t> mode = ParseByte(std::string_view(text).substr(0, colon));
  const std::optional<std::uint8_t> speed = ParseByte(std::string_view(text).substr(colon + 1));
  if (!mode || !speed) return std::nullopt;
  return std::pair{*mode, *speed};
}

// Reads the options that take a value; false when `option` is none of them.
bool ReadValueOption(std::string_view option, const std::string& value, ProgramOptions& options) {
  if (option == "--sim-trace") {
    options.sim_trace = value;
  } else if (option == "--sim-lighting") {
    options.sim_lighting = ParseModeAndSpeed(value);
    if (!options.sim_lighting) options.sim_lighting_text = value;
  } else if (option == "--screenshot") {
    options.screenshot = value;
  } else if (option == "--screenshot-view") {
    options.screenshot_view = value;
  } else if (option == "--show-view") {
    options.show_view = value;
  } else {
    return false;
  }
  return true;
}

std::optional<std::string> Check(const ProgramOptions& options) {
  if (!options.sim_lighting_text.empty())
    return "--sim-lighting needs MODE:SPEED, not \"" + options.sim_lighting_text + "\"";
  if (!options.screenshot_view.empty() && !IsScreenshotView(options.screenshot_view))
    return "unknown screenshot view \"" + options.screenshot_view + "\"";
  if (!options.screenshot_view.empty() && options.screenshot.empty())
    return "--screenshot-view needs --screenshot FILE";
  if (!options.show_view.empty() && options.show_view != kHiddenView &&
      !IsScreenshotView(options.show_view))
    return "unknown view \"" + options.show_view + "\"";
  if (!options.show_view.empty() && !options.screenshot.empty())
    return "--show-view and --screenshot exclude each other";
  return std::nullopt;
}

}  // namespace

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
  ProgramOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    if (!option.starts_with("--")) continue;
    if (sim::ReadSimulateOption(option, options.simulate, error)) {
      if (!options.simulate) return std::nullopt;
    } else if (option == "--sim-usb-timing" || option == "--sim-stats") {
      (option == "--sim-stats" ? options.sim_stats : options.sim_usb_timing) = true;
    } else if (option == "--help" || option == "--version") {
      (option == "--help" ? options.help : options.version) = true;
    } else if (i + 1 < arguments.size() && ReadValueOption(option, arguments[i + 1], options)) {
      ++i;
    } else {
      error = "unknown option or missing value: " + std::string(option);
      return std::nullopt;
    }
  }
  if (std::optional<std::string> problem = Check(options)) {
    error = std::move(*problem);
    return std::nullopt;
  }
  return options;
}

}  // namespace vandrel
