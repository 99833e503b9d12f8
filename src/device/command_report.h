// CommandReport: the 64-byte report of every exchange with a device, the same layout for a
// request and its reply:
//   byte 0      report ID, always 4
//   bytes 1–2   checksum: 16-bit little-endian sum of bytes 3–63 (request only)
//   byte 3      command
//   byte 4      number of payload bytes, 0–56 (33 for the device information)
//   bytes 5–6   16-bit little-endian offset in the area the command addresses
//   byte 7      status: 0 in a request; in a reply 0xFF or 0xFE for a refusal
//   bytes 8–63  payload; unused bytes are 0
// A reply echoes bytes 3–6 of the request it answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vandrel {

using CommandReport = std::array<std::uint8_t, 64>;

inline constexpr std::uint8_t kCommandReportId = 4;
inline constexpr std::size_t kChecksumOffset = 1;
inline constexpr std::size_t kCommandOffset = 3;
inline constexpr std::size_t kLengthOffset = 4;
inline constexpr std::size_t kAreaOffsetOffset = 5;
inline constexpr std::size_t kStatusOffset = 7;
inline constexpr std::size_t kPayloadOffset = 8;
inline constexpr std::size_t kChunkSize = 56;

inline constexpr std::uint8_t kStatusBadFrame = 0xFF;
inline constexpr std::uint8_t kStatusRefused = 0xFE;

// The command bytes the system sends.
enum class Command : std::uint8_t {
  kBeginConfig = 1,
  kEndConfig = 2,
  kReadDeviceInfo = 3,
  kReadBlock = 5,
  kSelectProfile = 6,
  kReadDefaultTable = 7,
  kReadProfilePage = 8,
  kWriteProfilePage = 9,
  kFactoryReset = 13,
  kSendLightingFrame = 18,
  kWriteMacroData = 21,
  kWriteRecoilData = 23,
};

// A sealed request: report ID, command, length, offset, payload (at most 56 bytes) and checksum.
[[nodiscard]] CommandReport BuildRequest(Command command, std::uint8_t length,
                                         std::uint16_t offset = 0,
                                         std::span<const std::uint8_t> payload = {});
// Sum of bytes 3–63, kept modulo 65536.
[[nodiscard]] std::uint16_t ReportChecksum(const CommandReport& report);
// Whether `reply` echoes the command, length and offset of `request`.
[[nodiscard]] bool IsReplyTo(const CommandReport& reply, const CommandReport& request);

}  // namespace vandrel
