#include "sim/firmware.h"

#include <algorithm>
#include <numeric>
#include <span>

#include "core/bytes.h"

namespace vandrel::sim {
namespace {

// Where the fields of a command report lie.
constexpr std::size_t kReportIdByte = 0;
constexpr std::size_t kChecksumByte = 1;  // 16-bit little-endian, sum of bytes 3–63
constexpr std::size_t kCommandByte = 3;
constexpr std::size_t kLengthByte = 4;
constexpr std::size_t kOffsetByte = 5;  // 16-bit little-endian
constexpr std::size_t kStatusByte = 7;
constexpr std::size_t kPayloadByte = 8;
constexpr std::size_t kMaxPayload = 56;
constexpr std::uint8_t kReportId = 4;

// Writes of the key pages, the macro memory and the recoil memory.
bool NeedsConfigBracket(std::uint8_t command) {
  return command == 9 || command == 21 || command == 23;
}

std::uint16_t Checksum(const Report& report) {
  return static_cast<std::uint16_t>(
      std::accumulate(report.begin() + kCommandByte, report.end(), 0U) & 0xFFFF);
}

}  // namespace

std::string_view ViolationName(Violation violation) {
  switch (violation) {
    case Violation::kReportId:
      return "report ID";
    case Violation::kChecksum:
      return "checksum";
    case Violation::kStatusByte:
      return "status byte";
    case Violation::kPadding:
      return "bytes past the payload";
    case Violation::kLength:
      return "length";
    case Violation::kUnknownCommand:
      return "unknown command";
    case Violation::kOffset:
      return "offset";
    case Violation::kOutsideBracket:
      return "write outside the configuration bracket";
  }
  return "?";
}

struct Firmware::Request {
  std::uint8_t command;
  std::size_t length;
  std::size_t offset;
  std::span<const std::uint8_t> payload;  // `length` bytes
};

Firmware::Firmware(FirmwareImage factory) : factory_(std::move(factory)), memory_(factory_) {}

Report Firmware::Handle(const Report& request) {
  Report reply{};
  std::uint8_t status = Check(request);
  if (status == 0) {
    const std::size_t length = request[kLengthByte];
    const Request parsed{request[kCommandByte], length, ReadLe16(request, kOffsetByte),
                         std::span(request).subspan(kPayloadByte, length)};
    status = Execute(parsed, reply);
  }
  reply[kReportIdByte] = kReportId;
  std::copy(request.begin() + kCommandByte, request.begin() + kStatusByte,
            reply.begin() + kCommandByte);
  reply[kStatusByte] = status;
  WriteLe16(reply, kChecksumByte, Checksum(reply));
  return reply;
}

std::uint8_t Firmware::Check(const Report& request) {
  if (request[kReportIdByte] != kReportId) return Refuse(Violation::kReportId, kStatusBadFrame);
  if (ReadLe16(request, kChecksumByte) != Checksum(request)) {
    return Refuse(Violation::kChecksum, kStatusBadFrame);
  }
  if (request[kStatusByte] != 0) return Refuse(Violation::kStatusByte, kStatusBadFrame);
  const std::size_t length = request[kLengthByte];
  if (length > kMaxPayload) return Refuse(Violation::kLength, kStatusRefused);
  const bool padded_with_zeros = std::all_of(request.begin() + kPayloadByte + length, request.end(),
                                             [](std::uint8_t b) { return b == 0; });
  if (!padded_with_zeros) return Refuse(Violation::kPadding, kStatusBadFrame);
  return 0;
}

std::uint8_t Firmware::Execute(const Request& request, Report& reply) {
  if (NeedsConfigBracket(request.command) && !config_open_) {
    ++violations_[Violation::kOutsideBracket];
  }
  const bool no_payload = request.length == 0 && request.offset == 0;
  switch (request.command) {
    case 1:
    case 2:
      if (!no_payload) return Refuse(Violation::kLength, kStatusRefused);
      config_open_ = request.command == 1;
      config_brackets_ += request.command == 1 ? 1 : 0;
      return kStatusAccepted;
    case 3:
      if (request.length != kDeviceInfoSize || request.offset != 0) {
        return Refuse(Violation::kLength, kStatusRefused);
      }
      return ReadArea(memory_.device_info, request, reply);
    case 5:
      return ReadArea(memory_.settings, request, reply);
    case 6:
      return SelectProfile(request);
    case 7:
      return ReadArea(memory_.default_table, request, reply);
    case 8:
      return ReadArea(memory_.key_pages, request, reply);
    case 9:
      return WriteArea(memory_.key_pages, request);
    case 13:
      if (!no_payload) return Refuse(Violation::kLength, kStatusRefused);
      FactoryReset();
      return kStatusAccepted;
    case 18:
      return ReceiveFrame(request);
    case 21:
      return WriteArea(memory_.macro, request);
    case 23:
      return WriteArea(memory_.recoil, request);
    default:
      return Refuse(Violation::kUnknownCommand, kStatusRefused);
  }
}

std::uint8_t Firmware::ReadArea(const std::vector<std::uint8_t>& area, const Request& request,
                                Report& reply) {
  if (area.empty()) return Refuse(Violation::kUnknownCommand, kStatusRefused);
  if (request.length == 0) return Refuse(Violation::kLength, kStatusRefused);
  if (request.offset + request.length > area.size()) {
    return Refuse(Violation::kOffset, kStatusRefused);
  }
  const auto from = area.begin() + static_cast<std::ptrdiff_t>(request.offset);
  std::copy(from, from + static_cast<std::ptrdiff_t>(request.length), reply.begin() + kPayloadByte);
  return kStatusAccepted;
}

std::uint8_t Firmware::WriteArea(std::vector<std::uint8_t>& area, const Request& request) {
  if (area.empty()) return Refuse(Violation::kUnknownCommand, kStatusRefused);
  if (request.length == 0) return Refuse(Violation::kLength, kStatusRefused);
  if (request.offset + request.length > area.size()) {
    return Refuse(Violation::kOffset, kStatusRefused);
  }
  std::copy(request.payload.begin(), request.payload.end(),
            area.begin() + static_cast<std::ptrdiff_t>(request.offset));
  return kStatusAccepted;
}

// One byte switches the active slot; more bytes also store the record of that slot.
std::uint8_t Firmware::SelectProfile(const Request& request) {
  if (request.length == 0) return Refuse(Violation::kLength, kStatusRefused);
  if (request.offset != 0) return Refuse(Violation::kOffset, kStatusRefused);
  const std::uint8_t slot = request.payload[0];
  if (slot >= memory_.slot_count()) return Refuse(Violation::kOffset, kStatusRefused);
  if (request.length > 1) {
    std::copy(request.payload.begin(), request.payload.end(),
              memory_.settings.begin() + static_cast<std::ptrdiff_t>(slot * kSlotRecordSize));
  }
  memory_.settings[0] = slot;
  return kStatusAccepted;
}

// A frame arrives in chunks; it is complete when the chunk that ends it arrives.
std::uint8_t Firmware::ReceiveFrame(const Request& request) {
  if (memory_.frame_size == 0) return Refuse(Violation::kUnknownCommand, kStatusRefused);
  if (request.length == 0) return Refuse(Violation::kLength, kStatusRefused);
  if (request.offset + request.length > memory_.frame_size) {
    return Refuse(Violation::kOffset, kStatusRefused);
  }
  frame_in_progress_.resize(memory_.frame_size);
  std::copy(request.payload.begin(), request.payload.end(),
            frame_in_progress_.begin() + static_cast<std::ptrdiff_t>(request.offset));
  if (request.offset + request.length == memory_.frame_size) {
    last_frame_ = frame_in_progress_;
    ++frames_received_;
  }
  return kStatusAccepted;
}

std::uint8_t Firmware::Refuse(Violation violation, std::uint8_t status) {
  ++violations_[violation];
  return status;
}

void Firmware::FactoryReset() {
  memory_ = factory_;
  config_open_ = false;
}

int Firmware::violation_count() const {
  int total = 0;
  for (const auto& [violation, count] : violations_) total += count;
  return total;
}

}  // namespace vandrel::sim
