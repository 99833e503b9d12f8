// vandrelctl download mouse|keyboard: what the download button of the key assignment pages does —
// the device's macro library into its macro memory, then its key page — saying how far it got.
#include "cli/commands.h"
#include "cli/device_access.h"
#include "cli/macro_library.h"
#include "cli/output.h"
#include "macro/macro_download.h"

namespace vandrel::cli {
namespace {

constexpr std::string_view kDownloadUsage = "download mouse|keyboard";

struct Target {
  DeviceChannel& channel;
  std::uint8_t memory_units;
  std::function<int()> write_key_page;
};

Target TargetOf(DeviceKind kind, DeviceAccess& devices) {
  if (kind == DeviceKind::kMouse) {
    MouseDevice& mouse = devices.mouse();
    return {mouse.channel(), mouse.state().info.macro_memory_units(),
            [&mouse] { return mouse.WriteKeyPage(); }};
  }
  KeyboardDevice& keyboard = devices.keyboard();
  return {keyboard.channel(), keyboard.state().info.macro_memory_units(),
          [&keyboard] { return keyboard.WriteKeyTable(); }};
}

int Report(const Options& options, const std::string& device, const DownloadResult& result) {
  const std::string code = std::to_string(result.channel_result);
  switch (result.outcome) {
    case DownloadOutcome::kDone:
      PrintDocument(
          options,
          {{"downloaded", device}, {"macro_bytes", result.image_bytes}, {"key_page", "written"}});
      return kExitSuccess;
    case DownloadOutcome::kTooLong:
      return RefuseUsage("the macros do not fit into the " + device + "'s memory: remove " +
                         std::to_string(result.steps_over.value_or(0)) +
                         " macro steps and try again; nothing was sent");
    case DownloadOutcome::kImageFailed:
      return FailDevice("the macros did not reach the " + device + " (result " + code +
                        "); its key page was not written");
    case DownloadOutcome::kKeyPageFailed:
      return FailDevice("the macros reached the " + device + ", its key page did not (result " +
                        code + ")");
  }
  return kExitDeviceError;
}

}  // namespace

int RunDownload(const Options& options) {
  if (options.arguments.size() != 1) return RefuseUsage(kDownloadUsage);
  std::string error;
  const std::optional<MacroLibrary> library = OpenMacroLibrary(options.arguments[0], error);
  if (!library) return RefuseUsage(error);
  const DeviceKind kind = library->device == "mouse" ? DeviceKind::kMouse : DeviceKind::kKeyboard;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(kind, error)) return FailDevice(error);
  const Target target = TargetOf(kind, devices);
  return Report(options, library->device,
                DownloadMacrosAndKeys(target.channel, library->store, target.memory_units,
                                      target.write_key_page));
}

}  // namespace vandrel::cli
