#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/device_names.h"
#include "cli/device_session.h"
#include "cli/output.h"

namespace vandrel::cli {
namespace {

// A device that is there but cannot be opened is an error, said on standard error.
int ReportOpenProblems(DeviceSession& session) {
  int status = kExitSuccess;
  for (const DeviceKind kind : kDeviceKinds) {
    if (const std::optional<std::string> problem = session.OpenProblem(kind)) {
      status = FailDevice(*problem);
    }
  }
  return status;
}

}  // namespace

int RunList(const Options& options) {
  if (!options.arguments.empty()) return RefuseUsage("list takes no arguments");
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  nlohmann::ordered_json devices = nlohmann::ordered_json::array();
  for (const DeviceKind kind : kDeviceKinds) {
    DeviceChannel& channel = session->channel(kind);
    if (!channel.connected()) continue;
    nlohmann::ordered_json device = {{"kind", DeviceWord(kind)},
                                     {"product_id", channel.device().attributes().product_id}};
    if (kind == DeviceKind::kKeyboard) {
      const int model = session->keyboard_model().value_or(-1);
      device["model"] = model;
      device["model_name"] = KeyboardModelName(model);
    }
    devices.push_back(device);
  }
  const int status = ReportOpenProblems(*session);
  if (options.json) {
    PrintJson(devices);
    return status;
  }
  for (const auto& device : devices) {
    std::printf("%-9s 0x%04x", device["kind"].get<std::string>().c_str(),
                device["product_id"].get<unsigned>());
    if (device.contains("model")) {
      std::printf("  model %d (%s)", device["model"].get<int>(),
                  device["model_name"].get<std::string>().c_str());
    }
    std::printf("\n");
  }
  if (devices.empty()) std::printf("no device connected\n");
  return status;
}

}  // namespace vandrel::cli
