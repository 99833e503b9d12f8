#include "profile/device_profiles.h"

#include "core/trace.h"

namespace vandrel {
namespace {

constexpr std::array<DeviceKind, 3> kDevices = {DeviceKind::kKeyboard, DeviceKind::kMouse,
                                                DeviceKind::kPad};

template <std::size_t kSize>
std::span<const std::uint8_t, kSize> Exactly(std::span<const std::uint8_t> payload) {
  return payload.first<kSize>();
}

}  // namespace

DeviceProfiles::DeviceProfiles(const DataFolders& folders, SelectedProfileWriter& writer,
                               const ProfileDevices& devices)
    : writer_(writer),
      devices_(devices),
      catalogues_{
          ProfileCatalogue(DeviceKind::kKeyboard, folders.GetKeyboardFolder(),
                           folders.GetProgramFolder()),
          ProfileCatalogue(DeviceKind::kMouse, folders.GetMouseFolder(),
                           folders.GetProgramFolder()),
          ProfileCatalogue(DeviceKind::kPad, folders.GetPadFolder(), folders.GetProgramFolder())} {
  for (const DeviceKind device : kDevices) {
    writer_.Connect(catalogue(device),
                    [this, device](ProfileKind kind) { return Payload(device, kind); });
  }
}

DeviceProfiles::~DeviceProfiles() {
  writer_.FlushAll();
  for (const DeviceKind device : kDevices) writer_.Disconnect(device);
}

const ProfileCatalogue& DeviceProfiles::catalogue(DeviceKind device) const {
  return catalogues_[static_cast<std::size_t>(device)];
}

void DeviceProfiles::LoadCatalogues() {
  for (const DeviceKind device : {DeviceKind::kMouse, DeviceKind::kPad}) {
    const std::string_view message = catalogue(device).LoadCatalogue(devices_.keyboard_model());
    if (!message.empty() && devices_.show_message) devices_.show_message(message);
  }
}

bool DeviceProfiles::RestoreSelection(DeviceKind device) {
  const ProfileCatalogue& profiles = catalogue(device);
  if (device == DeviceKind::kKeyboard) {
    const std::string_view message = profiles.LoadCatalogue(devices_.keyboard_model());
    if (!message.empty() && devices_.show_message) devices_.show_message(message);
  }
  const ProfileKind kind = AttachKindOf(device);
  const std::optional<std::filesystem::path> path = writer_.PathInUse(device, kind);
  if (!path) return false;
  const ProfileReadout readout = ReadProfileFile(*path, FindProfileRow(device, kind)->payload_size);
  if (readout.result != ProfileReadResult::kOk) {
    Trace("profile: " + path->string() +
          (readout.result == ProfileReadResult::kMissing ? " is missing" : " has a wrong header"));
    return false;
  }
  if (const std::optional<FieldProblem> problem = Apply(device, kind, readout.payload)) {
    Trace("profile: " + path->string() + ": " + problem->field + " cannot be taken");
    return false;
  }
  writer_.Discard(device);
  return true;
}

std::optional<FieldProblem> DeviceProfiles::Apply(DeviceKind device, ProfileKind kind,
                                                  std::span<const std::uint8_t> payload) {
  switch (device) {
    case DeviceKind::kMouse:
      return ApplyToMouse(kind, payload);
    case DeviceKind::kKeyboard:
      return ApplyToKeyboard(kind, payload);
    case DeviceKind::kPad:
      return devices_.pad.ApplyLightProfile(Exactly<kPadLightProfileSize>(payload));
  }
  return std::nullopt;
}

std::optional<FieldProblem> DeviceProfiles::ApplyToMouse(ProfileKind kind,
                                                         std::span<const std::uint8_t> payload) {
  switch (kind) {
    case ProfileKind::kKey:
      return devices_.mouse.ApplyKeyProfile(Exactly<kMouseKeyProfileSize>(payload));
    case ProfileKind::kLight:
      return devices_.mouse.ApplyLightProfile(Exactly<kMouseLightProfileSize>(payload));
    case ProfileKind::kDevice:
      return devices_.mouse.ApplyDeviceProfile(Exactly<kMouseDeviceProfileSize>(payload));
  }
  return std::nullopt;
}

std::optional<FieldProblem> DeviceProfiles::ApplyToKeyboard(ProfileKind kind,
                                                            std::span<const std::uint8_t> payload) {
  KeyboardDevice& keyboard = devices_.keyboard;
  const int model = devices_.keyboard_model();
  switch (kind) {
    case ProfileKind::kKey:
      return keyboard.ApplyKeyProfile(Exactly<kKeyboardKeyProfileSize>(payload));
    case ProfileKind::kLight:
      return keyboard.ApplyLightProfile(Exactly<kKeyboardLightProfileSize>(payload), model);
    case ProfileKind::kDevice:
      return keyboard.ApplyDeviceProfile(Exactly<kKeyboardDeviceProfileSize>(payload), model);
  }
  return std::nullopt;
}

std::vector<std::uint8_t> DeviceProfiles::Payload(DeviceKind device, ProfileKind kind) {
  if (device == DeviceKind::kPad) return ByteVector(MakeLightProfile(devices_.pad.state()));
  if (device == DeviceKind::kMouse) return MakeProfile(devices_.mouse.state(), kind);
  return MakeProfile(devices_.keyboard.state(), kind);
}

}  // namespace vandrel
