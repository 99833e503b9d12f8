#include "cli/options.h"

#include <algorithm>
#include <string_view>

namespace vandrel::cli {
namespace {

std::optional<std::vector<std::string>> DeviceList(std::string_view list, std::string& error) {
  std::vector<std::string> devices;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view tag = list.substr(0, comma);
    if (tag != "kb" && tag != "ms" && tag != "mp") {
      error = "unknown simulated device \"" + std::string(tag) + "\" (use kb, ms, mp)";
      return std::nullopt;
    }
    // Two devices of a kind would share one state file.
    if (std::find(devices.begin(), devices.end(), tag) != devices.end()) {
      error = "simulated device \"" + std::string(tag) + "\" named twice";
      return std::nullopt;
    }
    devices.emplace_back(tag);
    list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
  }
  return devices;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  std::size_t i = 0;
  for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
    const std::string_view option = arguments[i];
    const bool has_value = i + 1 < arguments.size();
    if (option == "--simulate") {
      options.simulate = std::vector<std::string>{"kb", "ms", "mp"};
    } else if (option.starts_with("--simulate=")) {
      options.simulate = DeviceList(option.substr(11), error);
      if (!options.simulate) return std::nullopt;
    } else if ((option == "--sim-trace" || option == "--sim-state") && has_value) {
      (option == "--sim-trace" ? options.sim_trace : options.sim_state) = arguments[++i];
    } else if (option == "--help") {
      return options;
    } else {
      error = "unknown option or missing value: " + std::string(option);
      return std::nullopt;
    }
  }
  if (i < arguments.size()) options.command = arguments[i++];
  options.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
  return options;
}

}  // namespace vandrel::cli
