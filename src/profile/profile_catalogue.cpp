#include "profile/profile_catalogue.h"

#include <algorithm>
#include <array>

#include "core/stored_name.h"
#include "core/trace.h"
#include "keyboard/keyboard_model.h"

namespace vandrel {
namespace {

constexpr CatalogueSections kKeySections = {"PROFILECOUNT", "PROFILENAME", "PROFILESELECT",
                                            "PROFILELIKEEXE", "PROCESS"};
constexpr CatalogueSections kLightSections = {"PROFILEDENGCOUNT", "PROFILEDENGNAME",
                                              "PROFILEDENGSELECT", "PROFILELIKEDENGEXE",
                                              "DENGPROCESS"};
constexpr CatalogueSections kDeviceSections = {"PROFILEDEVICECOUNT", "PROFILEDEVICENAME",
                                               "PROFILEDEVICESELECT", "PROFILELIKEDEVICEEXE",
                                               "DEVICEPROCESS"};

constexpr std::array<ProfileKind, 3> kAllKinds = {ProfileKind::kDevice, ProfileKind::kLight,
                                                  ProfileKind::kKey};
constexpr std::array<ProfileKind, 1> kLightOnly = {ProfileKind::kLight};

// A count no one keeps by hand: a damaged catalogue must not make the program list millions.
constexpr int kMostProfiles = 4096;

std::string_view CatalogueName(DeviceKind device) {
  switch (device) {
    case DeviceKind::kMouse:
      return "msProfile.ini";
    case DeviceKind::kKeyboard:
      return "kbProfile.ini";
    case DeviceKind::kPad:
      return "mpProfile.ini";
  }
  return "";
}

std::string_view KeyboardDefaultName(ProfileKind kind, int keyboard_model) {
  const KeyboardModelTraits& traits =
      TraitsOf(KeyboardModelOf(keyboard_model).value_or(kStartingKeyboardModel));
  switch (kind) {
    case ProfileKind::kKey:
      return traits.key_default;
    case ProfileKind::kLight:
      return traits.light_default;
    case ProfileKind::kDevice:
      return traits.device_default;
  }
  return "";
}

std::string_view DefaultName(DeviceKind device, ProfileKind kind, int keyboard_model) {
  if (device == DeviceKind::kKeyboard) return KeyboardDefaultName(kind, keyboard_model);
  if (device == DeviceKind::kPad) return "mpdengdefault.led";
  switch (kind) {
    case ProfileKind::kKey:
      return "mskeydefault.pro";
    case ProfileKind::kLight:
      return "msdengdefault.led";
    case ProfileKind::kDevice:
      return "msdevicedefault.config";
  }
  return "";
}

std::size_t CountIn(const IniDocument& document, ProfileKind kind) {
  return static_cast<std::size_t>(
      std::clamp(document.GetInt(SectionsOf(kind).count, "count"), 0, kMostProfiles));
}

}  // namespace

const CatalogueSections& SectionsOf(ProfileKind kind) {
  switch (kind) {
    case ProfileKind::kKey:
      return kKeySections;
    case ProfileKind::kLight:
      return kLightSections;
    case ProfileKind::kDevice:
      break;
  }
  return kDeviceSections;
}

std::span<const ProfileKind> KindsOf(DeviceKind device) {
  if (device == DeviceKind::kPad) return kLightOnly;
  return kAllKinds;
}

ProfileKind AttachKindOf(DeviceKind device) {
  return device == DeviceKind::kPad ? ProfileKind::kLight : ProfileKind::kDevice;
}

ProfileCatalogue::ProfileCatalogue(DeviceKind device, std::filesystem::path data_folder,
                                   std::filesystem::path program_folder)
    : device_(device),
      data_folder_(std::move(data_folder)),
      program_folder_(std::move(program_folder)),
      file_(data_folder_ / CatalogueName(device)) {}

std::optional<std::filesystem::path> ProfileCatalogue::ProfilePath(ProfileKind kind,
                                                                   std::string_view name) const {
  const ProfileRow* row = FindProfileRow(device_, kind);
  if (row == nullptr || CheckStoredName(name, row->extension) != StoredNameProblem::kNone) {
    return std::nullopt;
  }
  return data_folder_ / (std::string(name) + std::string(row->extension));
}

std::filesystem::path ProfileCatalogue::DefaultPath(ProfileKind kind, int keyboard_model) const {
  return program_folder_ / DefaultName(device_, kind, keyboard_model);
}

std::vector<std::string> ProfileCatalogue::Names(ProfileKind kind) const {
  const IniDocument document = file_.Load();
  return document.GetList(SectionsOf(kind).name, CountIn(document, kind));
}

std::optional<std::size_t> ProfileCatalogue::Selected(ProfileKind kind) const {
  const IniDocument document = file_.Load();
  const int selected = document.GetInt(SectionsOf(kind).select, "select");
  if (selected < 0 || static_cast<std::size_t>(selected) >= CountIn(document, kind)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(selected);
}

std::optional<std::filesystem::path> ProfileCatalogue::SelectedPath(ProfileKind kind) const {
  const std::optional<std::size_t> selected = Selected(kind);
  if (!selected) return std::nullopt;
  return ProfilePath(kind, file_.ReadString(SectionsOf(kind).name, std::to_string(*selected)));
}

std::string_view ProfileCatalogue::LoadCatalogue(int keyboard_model) const {
  const IniDocument document = file_.Load();
  for (const ProfileKind kind : KindsOf(device_)) {
    if (CountIn(document, kind) != 0) continue;
    const std::string_view message = CreateFirstProfile(kind, keyboard_model);
    if (!message.empty()) return message;
  }
  return "";
}

// The profile file first, then the catalogue's keys in one write, so that the catalogue never
// lists a first profile whose default could not be read.
std::string_view ProfileCatalogue::CreateFirstProfile(ProfileKind kind, int keyboard_model) const {
  const ProfileRow& row = *FindProfileRow(device_, kind);
  const std::filesystem::path source = DefaultPath(kind, keyboard_model);
  const ProfileReadout readout = ReadProfileFile(source, row.payload_size);
  if (readout.result == ProfileReadResult::kMissing) return kDefaultMissingMessage;
  if (readout.result == ProfileReadResult::kBadHeader) return kDefaultBadMessage;
  if (!WriteProfileFile(*ProfilePath(kind, kFirstProfileName), row.header_kind, readout.payload)) {
    Trace("profile: the first profile could not be written beside " + file_.path().string());
  }
  const CatalogueSections& sections = SectionsOf(kind);
  const bool written = file_.Update([&sections](IniDocument& document) {
    return document.Set(sections.count, "count", "1") && document.Set(sections.like, "0", "0") &&
           document.Set(sections.name, "0", kFirstProfileName) &&
           document.Set(sections.select, "select", "0");
  });
  if (!written) Trace("profile: " + file_.path().string() + " could not be written");
  return "";
}

}  // namespace vandrel
