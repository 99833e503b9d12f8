#include "sim/device_tags.h"

#include <algorithm>

#include "device/product_ids.h"

namespace vandrel::sim {
namespace {

constexpr std::string_view kSimulate = "--simulate";

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

bool ReadSimulateOption(std::string_view option, std::optional<std::vector<std::string>>& simulate,
                        std::string& error) {
  if (option == kSimulate) {
    simulate = std::vector<std::string>{"kb", "ms", "mp"};
    return true;
  }
  if (!option.starts_with(kSimulate) || option.substr(kSimulate.size(), 1) != "=") return false;
  simulate = DeviceList(option.substr(kSimulate.size() + 1), error);
  return true;
}

std::uint16_t ProductIdOfTag(std::string_view tag) {
  if (tag == "kb") return kPerKeyKeyboardProductId;
  return tag == "ms" ? kMouseProductId : kPadProductId;
}

}  // namespace vandrel::sim
