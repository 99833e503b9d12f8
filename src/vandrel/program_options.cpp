#include "vandrel/program_options.h"

#include <algorithm>

#include "sim/device_tags.h"

namespace vandrel {
namespace {

bool IsScreenshotView(std::string_view view) {
  return std::find(std::begin(kScreenshotViews), std::end(kScreenshotViews), view) !=
         std::end(kScreenshotViews);
}

// Reads the options that take a value; false when `option` is none of them.
bool ReadValueOption(std::string_view option, const std::string& value, ProgramOptions& options) {
  if (option == "--sim-trace") {
    options.sim_trace = value;
  } else if (option == "--screenshot") {
    options.screenshot = value;
  } else if (option == "--screenshot-view") {
    options.screenshot_view = value;
  } else {
    return false;
  }
  return true;
}

std::optional<std::string> Check(const ProgramOptions& options) {
  if (!options.screenshot_view.empty() && !IsScreenshotView(options.screenshot_view))
    return "unknown screenshot view \"" + options.screenshot_view + "\"";
  if (!options.screenshot_view.empty() && options.screenshot.empty())
    return "--screenshot-view needs --screenshot FILE";
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
