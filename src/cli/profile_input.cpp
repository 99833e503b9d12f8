#include "cli/profile_input.h"

#include "cli/device_names.h"

namespace vandrel::cli {
namespace {

constexpr std::size_t kLargestPayload = 2470;

std::string_view KindWord(ProfileKind kind) {
  switch (kind) {
    case ProfileKind::kKey:
      return "key";
    case ProfileKind::kLight:
      return "light";
    case ProfileKind::kDevice:
      return "device";
  }
  return "unknown";
}

}  // namespace

std::string ProfileDescription(const ProfileRow& row) {
  return std::string(DeviceWord(row.device)) + " " + std::string(KindWord(row.kind)) +
         " profile (" + std::string(row.extension) + ")";
}

std::optional<ProfileInput> ReadProfileInput(const std::filesystem::path& path,
                                             std::string& error) {
  const std::string name = path.string();
  const std::optional<ProfileKind> kind = ProfileKindOfExtension(path.extension().string());
  if (!kind) {
    error = name + ": not a profile file name (.pro, .led or .config)";
    return std::nullopt;
  }
  ProfileReadout readout = ReadProfileFile(path, kLargestPayload);
  if (readout.result == ProfileReadResult::kMissing) {
    error = name + ": cannot be read";
    return std::nullopt;
  }
  if (readout.result == ProfileReadResult::kBadHeader) {
    error = name + ": not a profile (wrong signature)";
    return std::nullopt;
  }
  const std::optional<DeviceKind> device = DeviceOfHeaderKind(readout.header_kind);
  const ProfileRow* row = device ? FindProfileRow(*device, *kind) : nullptr;
  if (row == nullptr) {
    error = name + ": header kind " + std::to_string(readout.header_kind) +
            " names no device with " + path.extension().string() + " profiles";
    return std::nullopt;
  }
  if (readout.stored_payload_size != row->payload_size) {
    error = name + ": holds " + std::to_string(readout.stored_payload_size) +
            " bytes after its header; a " + ProfileDescription(*row) + " holds " +
            std::to_string(row->payload_size);
    return std::nullopt;
  }
  readout.payload.resize(row->payload_size);
  return ProfileInput{row, std::move(readout.payload)};
}

}  // namespace vandrel::cli
