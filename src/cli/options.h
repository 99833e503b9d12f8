// The command line of vandrelctl: global options, then a command and its arguments.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vandrel::cli {

struct Options {
  // Simulated devices instead of real ones: a subset of "kb", "ms", "mp"; nullopt: real devices.
  std::optional<std::vector<std::string>> simulate;
  std::filesystem::path sim_trace;  // trace every simulated report here
  // Where the simulated devices keep their memory between runs; with --simulate it defaults to
  // "vandrel/simulator" in the user's state folder.
  std::filesystem::path sim_state;
  bool json = false;  // machine-readable output
  std::string command = "help";
  std::vector<std::string> arguments;
};

// The options in `arguments` (without the program name); nullopt with `error` set when they
// cannot be understood. "--help" and "--version" become the commands "help" and "version".
[[nodiscard]] std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

// $XDG_STATE_HOME/vandrel/simulator, or ~/.local/state/vandrel/simulator; empty (the simulator
// then keeps nothing) without a usable home folder.
[[nodiscard]] std::filesystem::path DefaultSimulatorState();

}  // namespace vandrel::cli
