#include "profile/profile_file.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/file_io.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kKeyboardHeader = 1;
constexpr std::uint16_t kMouseHeader = 2;
constexpr std::uint16_t kPadHeader = 3;

constexpr std::array<ProfileRow, 7> kRows = {{
    {DeviceKind::kMouse, ProfileKind::kKey, ".pro", 512, kMouseHeader},
    {DeviceKind::kMouse, ProfileKind::kLight, ".led", 64, kMouseHeader},
    {DeviceKind::kMouse, ProfileKind::kDevice, ".config", 576, kMouseHeader},
    {DeviceKind::kKeyboard, ProfileKind::kKey, ".pro", 512, kKeyboardHeader},
    {DeviceKind::kKeyboard, ProfileKind::kLight, ".led", 1958, kKeyboardHeader},
    {DeviceKind::kKeyboard, ProfileKind::kDevice, ".config", 2470, kKeyboardHeader},
    {DeviceKind::kPad, ProfileKind::kLight, ".led", 64, kPadHeader},
}};

std::uint16_t ReadLe16(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                    static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

}  // namespace

std::span<const ProfileRow> ProfileRows() { return kRows; }

const ProfileRow* FindProfileRow(DeviceKind device, ProfileKind kind) {
  const auto found = std::find_if(kRows.begin(), kRows.end(), [&](const ProfileRow& row) {
    return row.device == device && row.kind == kind;
  });
  return found != kRows.end() ? &*found : nullptr;
}

std::optional<ProfileKind> ProfileKindOfExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const ProfileRow& row : kRows) {
    if (row.extension == lower) return row.kind;
  }
  return std::nullopt;
}

std::optional<DeviceKind> DeviceOfHeaderKind(std::uint16_t header_kind) {
  for (const ProfileRow& row : kRows) {
    if (row.header_kind == header_kind) return row.device;
  }
  return std::nullopt;
}

ProfileReadout ReadProfileFile(const std::filesystem::path& path, std::size_t size) {
  ProfileReadout readout;
  readout.payload.assign(size, 0);
  const FileContents file = ReadWholeFile(path, kMaxProfileFileSize);
  if (file.status != ReadStatus::kOk) return readout;
  if (file.bytes.size() < 2 || ReadLe16(file.bytes, 0) != kProfileMagic) {
    readout.result = ProfileReadResult::kBadHeader;
    return readout;
  }
  readout.result = ProfileReadResult::kOk;
  if (file.bytes.size() >= 6) readout.header_kind = ReadLe16(file.bytes, 4);
  if (file.bytes.size() <= kProfileHeaderSize) return readout;
  const std::string_view stored = std::string_view(file.bytes).substr(kProfileHeaderSize);
  readout.stored_payload_size = stored.size();
  std::copy_n(stored.begin(), std::min(size, stored.size()), readout.payload.begin());
  return readout;
}

std::string EncodeProfileFile(std::uint16_t header_kind, std::span<const std::uint8_t> payload) {
  std::string bytes(kProfileHeaderSize, '\0');
  bytes[0] = static_cast<char>(kProfileMagic & 0xFF);
  bytes[1] = static_cast<char>(kProfileMagic >> 8);
  bytes[4] = static_cast<char>(header_kind & 0xFF);
  bytes[5] = static_cast<char>(header_kind >> 8);
  bytes.append(payload.begin(), payload.end());
  return bytes;
}

bool WriteProfileFile(const std::filesystem::path& path, std::uint16_t header_kind,
                      std::span<const std::uint8_t> payload) {
  return WriteFileAtomically(path, EncodeProfileFile(header_kind, payload));
}

}  // namespace vandrel
