#include "profile/selected_profile_writer.h"

#include "core/trace.h"

namespace vandrel {
namespace {

constexpr std::array<ProfileKind, 3> kKindOfIndex = {ProfileKind::kKey, ProfileKind::kLight,
                                                     ProfileKind::kDevice};
constexpr std::array<unsigned, 3> kBitOfIndex = {kKeyProfile, kLightProfile, kDeviceProfile};

std::size_t IndexOf(ProfileKind kind) {
  for (std::size_t index = 0; index < kKindOfIndex.size(); ++index) {
    if (kKindOfIndex[index] == kind) return index;
  }
  return 0;
}

}  // namespace

SelectedProfileWriter::SelectedProfileWriter(Clock& clock) : clock_(clock) {}

SelectedProfileWriter::DeviceEntry& SelectedProfileWriter::EntryOf(DeviceKind device) {
  return devices_[static_cast<std::size_t>(device)];
}

const SelectedProfileWriter::DeviceEntry& SelectedProfileWriter::EntryOf(DeviceKind device) const {
  return devices_[static_cast<std::size_t>(device)];
}

void SelectedProfileWriter::Connect(const ProfileCatalogue& catalogue, PayloadSource source) {
  DeviceEntry& entry = EntryOf(catalogue.device());
  entry.catalogue = &catalogue;
  entry.source = std::move(source);
}

void SelectedProfileWriter::Disconnect(DeviceKind device) { EntryOf(device) = DeviceEntry{}; }

void SelectedProfileWriter::SaveSelected(DeviceKind device, unsigned kinds) {
  DeviceEntry& entry = EntryOf(device);
  if (entry.catalogue == nullptr) return;
  for (std::size_t index = 0; index < kKindOfIndex.size(); ++index) {
    if ((kinds & kBitOfIndex[index]) == 0 || entry.due[index]) continue;
    if (FindProfileRow(device, kKindOfIndex[index]) == nullptr) continue;
    entry.due[index] = SaturatingAdd(clock_.Now(), kWriteDelay);
  }
}

void SelectedProfileWriter::WriteDue() {
  const Clock::Duration now = clock_.Now();
  for (DeviceEntry& entry : devices_) {
    for (std::size_t index = 0; index < entry.due.size(); ++index) {
      if (entry.due[index] && *entry.due[index] <= now) Write(entry, index);
    }
  }
}

void SelectedProfileWriter::Flush(DeviceKind device) {
  DeviceEntry& entry = EntryOf(device);
  for (std::size_t index = 0; index < entry.due.size(); ++index) {
    if (entry.due[index]) Write(entry, index);
  }
}

void SelectedProfileWriter::FlushAll() {
  for (const DeviceKind device : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    Flush(device);
  }
}

void SelectedProfileWriter::Discard(DeviceKind device) { EntryOf(device).due = {}; }

void SelectedProfileWriter::UseInstead(DeviceKind device, ProfileKind kind,
                                       std::optional<std::size_t> number) {
  Flush(device);
  EntryOf(device).instead[IndexOf(kind)] = number;
}

std::optional<std::size_t> SelectedProfileWriter::InUse(DeviceKind device, ProfileKind kind) const {
  const DeviceEntry& entry = EntryOf(device);
  if (entry.catalogue == nullptr) return std::nullopt;
  const std::optional<std::size_t> instead = entry.instead[IndexOf(kind)];
  return instead ? instead : entry.catalogue->Selected(kind);
}

std::optional<std::filesystem::path> SelectedProfileWriter::PathInUse(DeviceKind device,
                                                                      ProfileKind kind) const {
  const DeviceEntry& entry = EntryOf(device);
  const std::optional<std::size_t> number = InUse(device, kind);
  if (!number) return std::nullopt;
  const std::vector<std::string> names = entry.catalogue->Names(kind);
  if (*number >= names.size()) return std::nullopt;
  return entry.catalogue->ProfilePath(kind, names[*number]);
}

void SelectedProfileWriter::Write(DeviceEntry& entry, std::size_t kind_index) {
  const ProfileKind kind = kKindOfIndex[kind_index];
  const std::optional<std::filesystem::path> path = PathInUse(entry.catalogue->device(), kind);
  entry.due[kind_index].reset();
  if (!path) return;
  const ProfileRow& row = *FindProfileRow(entry.catalogue->device(), kind);
  if (WriteProfileFile(*path, row.header_kind, entry.source(kind))) {
    ++writes_;
    return;
  }
  Trace("profile: " + path->string() + " could not be written; tried again later");
  entry.due[kind_index] = SaturatingAdd(clock_.Now(), kWriteDelay);
}

}  // namespace vandrel
