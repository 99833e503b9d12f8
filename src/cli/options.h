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
  std::filesystem::path sim_state;  // keep the simulated devices' memory here between runs
  std::string command = "help";
  std::vector<std::string> arguments;
};

// The options in `arguments` (without the program name); nullopt with `error` set when they
// cannot be understood.
[[nodiscard]] std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

}  // namespace vandrel::cli
