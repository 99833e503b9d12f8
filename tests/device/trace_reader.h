// Reads the simulator's trace back as requests: command, length and offset of every report the
// host wrote.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vandrel::testing {

struct TracedRequest {
  int command;
  int length;
  int offset;
  friend bool operator==(const TracedRequest&, const TracedRequest&) = default;
};

inline int HexByte(const std::string& hex, std::size_t index) {
  return std::stoi(hex.substr(2 * index, 2), nullptr, 16);
}

inline std::vector<TracedRequest> TracedRequests(const std::filesystem::path& trace) {
  std::vector<TracedRequest> requests;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string time, device, interface, direction, hex;
    fields >> time >> device >> interface >> direction >> hex;
    if (direction != "out") continue;
    requests.push_back({HexByte(hex, 3), HexByte(hex, 4), HexByte(hex, 5) | HexByte(hex, 6) << 8});
  }
  return requests;
}

// Every request of `requests` with `command`.
inline std::vector<TracedRequest> WithCommand(const std::vector<TracedRequest>& requests,
                                              int command) {
  std::vector<TracedRequest> found;
  for (const TracedRequest& request : requests) {
    if (request.command == command) found.push_back(request);
  }
  return found;
}

}  // namespace vandrel::testing
