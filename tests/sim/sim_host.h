// A minimal host for the simulator tests: finds a device's collections on the virtual bus through
// the HidBackend seam and exchanges hand-built command reports with it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include "core/manual_clock.h"
#include "sim/virtual_bus.h"

namespace vandrel::sim::testing {

using Bytes = std::vector<std::uint8_t>;

inline void SealChecksum(Report& report) {
  const unsigned sum = std::accumulate(report.begin() + 3, report.end(), 0U);
  report[1] = static_cast<std::uint8_t>(sum & 0xFF);
  report[2] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
}

// A request as the protocol lays it out: report ID 4, checksum of bytes 3–63 in bytes 1–2
// (little-endian), command, length, offset (little-endian), status 0, payload from byte 8.
inline Report Request(std::uint8_t command, std::uint8_t length, std::uint16_t offset = 0,
                      const Bytes& payload = {}) {
  Report report{};
  report[0] = 4;
  report[3] = command;
  report[4] = length;
  report[5] = static_cast<std::uint8_t>(offset & 0xFF);
  report[6] = static_cast<std::uint8_t>(offset >> 8);
  std::copy(payload.begin(), payload.end(), report.begin() + 8);
  SealChecksum(report);
  return report;
}

inline std::unique_ptr<HidConnection> OpenCollection(VirtualBus& bus, const SimulatedDevice& device,
                                                     std::uint16_t usage_page, HidOpenFlags flags) {
  const auto interfaces = bus.Enumerate();
  if (!interfaces) return nullptr;
  for (const HidInterfaceInfo& info : *interfaces) {
    if (info.path == device.path() && info.usage_page == usage_page) {
      return bus.Open(info.path, info.collection_number, flags);
    }
  }
  return nullptr;
}

// One simulated device of `product_id` on a bus with a clock that moves by itself.
class SimFixture : public ::testing::Test {
 protected:
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  VirtualBus bus_{clock_};
  Event cancel_{EventReset::kAuto};

  std::shared_ptr<SimulatedDevice> PlugAndOpen(std::uint16_t product_id,
                                               std::optional<int> key_count = std::nullopt) {
    device_ = bus_.Plug(product_id, {key_count, {}});
    vendor_ = OpenCollection(bus_, *device_, 0xFF1C, {true, true, false});
    EXPECT_NE(vendor_, nullptr);
    return device_;
  }

  // Writes `request` and reads the reply; the reply's status byte, or -1 when none came.
  int Exchange(const Report& request, Report* reply = nullptr) {
    const HidIoResult written = vendor_->Write(request, std::chrono::milliseconds(1000), cancel_);
    if (written.status != HidIoStatus::kDone) return -1;
    Report answer{};
    const HidIoResult read = vendor_->Read(answer, std::chrono::milliseconds(300), cancel_);
    if (read.status != HidIoStatus::kDone) return -1;
    if (reply != nullptr) *reply = answer;
    return answer[7];
  }

  // Reads `length` bytes of an area through a read command, in chunks of at most 56.
  Bytes ReadArea(std::uint8_t command, std::uint16_t base, std::size_t length) {
    Bytes data;
    for (std::size_t done = 0; done < length;) {
      const auto chunk = static_cast<std::uint8_t>(std::min<std::size_t>(56, length - done));
      Report reply{};
      EXPECT_EQ(Exchange(Request(command, chunk, static_cast<std::uint16_t>(base + done)), &reply),
                kStatusAccepted);
      data.insert(data.end(), reply.begin() + 8, reply.begin() + 8 + chunk);
      done += chunk;
    }
    return data;
  }

  // Writes `data` through a write command in chunks of at most 56; the last status.
  int WriteArea(std::uint8_t command, std::uint16_t base, const Bytes& data) {
    int status = kStatusAccepted;
    for (std::size_t done = 0; done < data.size() && status == kStatusAccepted;) {
      const std::size_t chunk = std::min<std::size_t>(56, data.size() - done);
      const Bytes payload(data.begin() + static_cast<std::ptrdiff_t>(done),
                          data.begin() + static_cast<std::ptrdiff_t>(done + chunk));
      status = Exchange(Request(command, static_cast<std::uint8_t>(chunk),
                                static_cast<std::uint16_t>(base + done), payload));
      done += chunk;
    }
    return status;
  }

  std::shared_ptr<SimulatedDevice> device_;
  std::unique_ptr<HidConnection> vendor_;
};

}  // namespace vandrel::sim::testing
