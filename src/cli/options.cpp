#include "cli/options.h"

#include <string_view>

#include "platform/home_folder.h"
#include "sim/device_tags.h"

namespace vandrel::cli {
std::filesystem::path DefaultSimulatorState() {
  const std::filesystem::path state = XdgBaseFolder("XDG_STATE_HOME", ".local/state");
  return state.empty() ? state : state / "vandrel" / "simulator";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  std::size_t i = 0;
  for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
    const std::string_view option = arguments[i];
    const bool has_value = i + 1 < arguments.size();
    if (sim::ReadSimulateOption(option, options.simulate, error)) {
      if (!options.simulate) return std::nullopt;
    } else if ((option == "--sim-trace" || option == "--sim-state") && has_value) {
      (option == "--sim-trace" ? options.sim_trace : options.sim_state) = arguments[++i];
    } else if (option == "--json") {
      options.json = true;
    } else if (option == "--help" || option == "--version") {
      options.command = option.substr(2);
      return options;
    } else {
      error = "unknown option or missing value: " + std::string(option);
      return std::nullopt;
    }
  }
  if (options.simulate && options.sim_state.empty()) options.sim_state = DefaultSimulatorState();
  if (i < arguments.size()) options.command = arguments[i++];
  options.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
  return options;
}

}  // namespace vandrel::cli
