#include "cli/commands.h"
#include "cli/device_access.h"
#include "cli/device_names.h"
#include "cli/device_reports.h"
#include "cli/output.h"

namespace vandrel::cli {

int RunInfo(const Options& options) {
  if (options.arguments.size() != 1)
    return RefuseUsage("info takes one device: mouse, keyboard or pad");
  const std::optional<DeviceKind> kind = DeviceOfWord(options.arguments[0]);
  if (!kind)
    return RefuseUsage("unknown device \"" + options.arguments[0] + "\" (mouse, keyboard, pad)");
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(*kind, error)) return FailDevice(error);

  const EnglishTexts texts = EnglishTexts::Load();
  Json report = {{"kind", DeviceWord(*kind)},
                 {"product_id", session->channel(*kind).device().attributes().product_id}};
  switch (*kind) {
    case DeviceKind::kMouse:
      report.update(MouseReport(devices.mouse().state(), texts));
      break;
    case DeviceKind::kKeyboard:
      report.update(KeyboardReport(devices.keyboard().state(), devices.keyboard_model(), texts));
      break;
    case DeviceKind::kPad:
      report.update(PadReport(devices.pad().state()));
      break;
  }
  PrintDocument(options, report);
  return kExitSuccess;
}

}  // namespace vandrel::cli
