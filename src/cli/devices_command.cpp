#include <array>
#include <cstdio>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "core/bytes.h"

namespace vandrel::cli {
namespace {

// Fields of the device information the devices fill.
constexpr std::size_t kInfoKeyCount = 5;
constexpr std::size_t kInfoMacroUnits = 6;
constexpr std::size_t kInfoSensorCode = 9;
constexpr std::size_t kInfoHighestDpi = 12;
constexpr int kMacroUnitBytes = 128;

const char* ModelName(int model) {
  switch (model) {
    case 0:
      return "per-key colour";
    case 1:
      return "single colour";
    case 3:
      return "six zones";
    default:
      return "unknown";
  }
}

// Reads the device information inside a configuration bracket; false when the device did not
// answer.
bool ReadInfo(DeviceChannel& channel, std::array<std::uint8_t, kDeviceInfoSize>& info) {
  if (channel.BeginConfig() != kChannelSuccess) return false;
  const int result = channel.ReadDeviceInfo(info);
  channel.EndConfig();
  return result == kChannelSuccess;
}

// Prints one connected device; false when it is connected but does not answer.
bool PrintDevice(DeviceSession& session, DeviceKind kind, const char* name) {
  DeviceChannel& channel = session.channel(kind);
  if (!channel.connected()) return true;
  const std::uint16_t product = channel.device().attributes().product_id;
  std::array<std::uint8_t, kDeviceInfoSize> info{};
  if (!ReadInfo(channel, info)) {
    std::printf("%-9s 0x%04x  does not answer\n", name, product);
    return false;
  }
  std::printf("%-9s 0x%04x", name, product);
  if (kind == DeviceKind::kKeyboard) {
    std::printf("  %s, %d keys", ModelName(session.keyboard_model().value_or(-1)),
                info[kInfoKeyCount]);
  }
  if (kind == DeviceKind::kMouse) {
    std::printf("  sensor 0x%04x, highest DPI level %d", ReadLe16(info, kInfoSensorCode),
                info[kInfoHighestDpi]);
  }
  if (kind != DeviceKind::kPad) {
    std::printf(", macro memory %d bytes", info[kInfoMacroUnits] * kMacroUnitBytes);
  }
  std::printf("\n");
  return true;
}

}  // namespace

int RunDevices(const Options& options) {
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) {
    std::fprintf(stderr, "vandrelctl: %s\n", error.c_str());
    return 1;
  }
  bool answered = PrintDevice(*session, DeviceKind::kKeyboard, "keyboard");
  answered = PrintDevice(*session, DeviceKind::kMouse, "mouse") && answered;
  answered = PrintDevice(*session, DeviceKind::kPad, "mouse pad") && answered;
  const bool any = session->channel(DeviceKind::kKeyboard).connected() ||
                   session->channel(DeviceKind::kMouse).connected() ||
                   session->channel(DeviceKind::kPad).connected();
  if (!any) std::printf("no device connected\n");
  return answered ? 0 : 1;
}

}  // namespace vandrel::cli
