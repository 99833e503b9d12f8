// Reads the simulator's trace back as requests: command, length and offset of every report the
// host wrote.
#pragma once

#include <cstdint>
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

// The payload bytes of every request with `command` the host wrote, in order.
inline std::vector<std::vector<std::uint8_t>> TracedPayloads(const std::filesystem::path& trace,
                                                             int command) {
  std::vector<std::vector<std::uint8_t>> payloads;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string time, device, interface, direction, hex;
    fields >> time >> device >> interface >> direction >> hex;
    if (direction != "out" || HexByte(hex, 3) != command) continue;
    std::vector<std::uint8_t> payload;
    for (int i = 0; i < HexByte(hex, 4); ++i) {
      payload.push_back(static_cast<std::uint8_t>(HexByte(hex, 8 + static_cast<std::size_t>(i))));
    }
    payloads.push_back(std::move(payload));
  }
  return payloads;
}

}  // namespace vandrel::testing
