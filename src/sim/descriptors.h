// The report descriptors of the simulated devices, as their USB interface reports them.
#pragma once

#include <cstdint>
#include <vector>

namespace vandrel::sim {

// Report IDs of the two collections.
inline constexpr std::uint8_t kConsumerReportId = 3;
inline constexpr std::uint8_t kVendorReportId = 4;
// Lengths counting the report ID byte.
inline constexpr std::size_t kVendorReportLength = 64;
inline constexpr std::size_t kConsumerReportLength = 3;

// The vendor collection (usage page 0xFF1C, usage 0x92, report ID 4, 64-byte input and output
// reports), preceded, when `with_consumer_control`, by a consumer-control collection (usage page
// 0x0C, usage 0x01, report ID 3) whose one array field carries usages up to 0x0403.
[[nodiscard]] std::vector<std::uint8_t> InterfaceDescriptor(bool with_consumer_control);

}  // namespace vandrel::sim
