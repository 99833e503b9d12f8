#include <cstdio>

#include "cli/commands.h"
#include "cli/device_access.h"
#include "cli/device_names.h"
#include "cli/output.h"
#include "cli/set_request.h"
#include "mouse/mouse_limits.h"

namespace vandrel::cli {
namespace {

void EditLighting(const LightingRequest& request, LightingBlock& lighting) {
  if (request.mode) lighting.mode = *request.mode;
  if (request.brightness) lighting.brightness = *request.brightness;
  if (request.speed) lighting.speed = *request.speed;
  if (request.direction) lighting.direction = *request.direction;
  if (request.colour) {
    lighting.red = request.colour->red;
    lighting.green = request.colour->green;
    lighting.blue = request.colour->blue;
    lighting.seven_colour = 0;
  }
  if (request.seven_colour) lighting.seven_colour = *request.seven_colour ? 1 : 0;
}

void EditMouse(const SetRequest& request, MouseDevice& mouse) {
  MouseSettings& live = mouse.state().live;
  for (int level = 1; level <= kDpiLevelCount; ++level) {
    const auto at = static_cast<std::size_t>(level - 1);
    if (request.dpi_index[at]) live.SetDpi(level, *request.dpi_index[at]);
    if (request.dpi_colour[at]) live.colours[at] = *request.dpi_colour[at];
  }
  if (request.report_rate) live.report_rate = *request.report_rate;
  EditLighting(request.lighting, live.lighting);
  if (request.EditsLive()) mouse.MarkDirty();
}

void EditKeyboard(const SetRequest& request, KeyboardDevice& keyboard) {
  {
    KeyboardState& state = keyboard.state();
    KeyboardLightingWrite writing(state);
    EditLighting(request.lighting, state.live.lighting);
  }
  keyboard.MarkLightingChanged();
}

// The slot first, so that the other settings change the slot chosen.
void Edit(const SetRequest& request, DeviceAccess& devices) {
  switch (request.device) {
    case DeviceKind::kMouse:
      if (request.slot) (void)devices.mouse().SwitchSlot(*request.slot);
      EditMouse(request, devices.mouse());
      break;
    case DeviceKind::kKeyboard:
      EditKeyboard(request, devices.keyboard());
      break;
    case DeviceKind::kPad:
      if (request.slot) (void)devices.pad().SwitchSlot(*request.slot);
      if (request.EditsLive()) {
        devices.pad().EditLighting(
            [&](LightingBlock& lighting) { EditLighting(request.lighting, lighting); });
      }
      break;
  }
}

void FactoryReset(DeviceKind device, DeviceAccess& devices) {
  if (device == DeviceKind::kMouse) devices.mouse().Reset();
  if (device == DeviceKind::kPad) devices.pad().Reset();
}

}  // namespace

int RunSet(const Options& options) {
  std::string error;
  const std::optional<SetRequest> request = ReadSetRequest(options.arguments, error);
  if (!request) return RefuseUsage(error);
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(request->device, error)) return FailDevice(error);
  const DeviceLimits limits{devices.keyboard_model(),
                            HighestDpiIndex(devices.mouse().state().info)};
  if (!CheckAgainstDevice(*request, limits, error)) return RefuseUsage(error);

  if (request->factory_reset) {
    FactoryReset(request->device, devices);
    std::printf("%s: factory settings restored\n", DeviceWord(request->device).data());
    return kExitSuccess;
  }
  Edit(*request, devices);
  if (!devices.ApplyPending(request->device, error)) return FailDevice(error);
  return kExitSuccess;
}

}  // namespace vandrel::cli
