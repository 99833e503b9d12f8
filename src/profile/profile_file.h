// Profile files: a 16-byte header (magic 0x55AA little-endian, the header kind at bytes 4-5,
// the rest zero) followed by the payload of one kind of profile of one device. The seven kinds
// of profile and their payload sizes are in ProfileRows().
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_kind.h"

namespace vandrel {

enum class ProfileKind { kKey, kLight, kDevice };  // ".pro", ".led", ".config"

inline constexpr std::size_t kProfileHeaderSize = 16;
// The largest profile file read: payloads are a few kilobytes; a longer file is not a profile.
inline constexpr std::size_t kMaxProfileFileSize = 1024 * 1024;
inline constexpr std::uint16_t kProfileMagic = 0x55AA;

// One kind of profile of one device.
struct ProfileRow {
  DeviceKind device;
  ProfileKind kind;
  std::string_view extension;  // with the dot
  std::size_t payload_size;
  std::uint16_t header_kind;  // 1 keyboard, 2 mouse, 3 pad
};

// The mouse and the keyboard have all three kinds, the pad light profiles only.
[[nodiscard]] std::span<const ProfileRow> ProfileRows();
[[nodiscard]] const ProfileRow* FindProfileRow(DeviceKind device, ProfileKind kind);
// The kind an extension (".pro", ".led", ".config", any letter case) names.
[[nodiscard]] std::optional<ProfileKind> ProfileKindOfExtension(std::string_view extension);
// The device a header kind names.
[[nodiscard]] std::optional<DeviceKind> DeviceOfHeaderKind(std::uint16_t header_kind);

enum class ProfileReadResult { kOk, kMissing, kBadHeader };

struct ProfileReadout {
  ProfileReadResult result = ProfileReadResult::kMissing;
  std::vector<std::uint8_t> payload;  // `size` bytes; zero beyond what the file holds
  std::uint16_t header_kind = 0;
  std::size_t stored_payload_size = 0;  // the bytes the file holds after its header
};

// Reads a profile the way the program always has: a file that is missing, cannot be read or is
// longer than kMaxProfileFileSize is kMissing, one that does not start with the magic kBadHeader;
// otherwise up to `size` payload bytes are taken, a shorter file leaving the rest zero. The header
// kind and the length are reported, not checked.
[[nodiscard]] ProfileReadout ReadProfileFile(const std::filesystem::path& path, std::size_t size);

// The file's bytes: the header with `header_kind`, then `payload`.
[[nodiscard]] std::string EncodeProfileFile(std::uint16_t header_kind,
                                            std::span<const std::uint8_t> payload);
// Replaces the file at `path` with a profile (all or nothing, see WriteFileAtomically); false
// when it could not be written.
[[nodiscard]] bool WriteProfileFile(const std::filesystem::path& path, std::uint16_t header_kind,
                                    std::span<const std::uint8_t> payload);

}  // namespace vandrel
