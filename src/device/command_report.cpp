#include "device/command_report.h"

#include <algorithm>
#include <numeric>

#include "core/bytes.h"

namespace vandrel {

std::uint16_t ReportChecksum(const CommandReport& report) {
  return static_cast<std::uint16_t>(
      std::accumulate(report.begin() + kCommandOffset, report.end(), 0U) & 0xFFFF);
}

bool IsReplyTo(const CommandReport& reply, const CommandReport& request) {
  return std::equal(reply.begin() + kCommandOffset, reply.begin() + kStatusOffset,
                    request.begin() + kCommandOffset);
}

CommandReport BuildRequest(Command command, std::uint8_t length, std::uint16_t offset,
                           std::span<const std::uint8_t> payload) {
  CommandReport report{};
  report[0] = kCommandReportId;
  report[kCommandOffset] = static_cast<std::uint8_t>(command);
  report[kLengthOffset] = length;
  WriteLe16(report, kAreaOffsetOffset, offset);
  std::copy_n(payload.begin(), std::min(payload.size(), kChunkSize),
              report.begin() + kPayloadOffset);
  WriteLe16(report, kChecksumOffset, ReportChecksum(report));
  return report;
}

}  // namespace vandrel
