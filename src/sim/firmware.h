// Firmware: the protocol engine of one simulated device. It takes a 64-byte command report as the
// host wrote it, checks it as careful firmware would, acts on the device's memory and returns the
// 64-byte reply. Memory areas and identity come from a FirmwareImage (see factory.h).
//
// Refusals: a frame that is not well formed (report ID, checksum, request status byte, non-zero
// bytes past the payload) is answered with status 0xFF; an unknown command or a length or offset
// outside the addressed area with 0xFE. Each refusal counts as a protocol violation.
//
// The configuration bracket: the key pages, the macro memory and the recoil memory (commands 9,
// 21, 23) may only be written between a BeginConfig and its EndConfig. A write outside the bracket
// is carried out but counts as a violation, since real firmware may ignore or refuse it.
//
// Not thread-safe: the owning SimulatedDevice serialises access.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/firmware_image.h"

namespace vandrel::sim {

using Report = std::array<std::uint8_t, 64>;

inline constexpr std::uint8_t kStatusAccepted = 0x01;
inline constexpr std::uint8_t kStatusBadFrame = 0xFF;
inline constexpr std::uint8_t kStatusRefused = 0xFE;

enum class Violation {
  kReportId,
  kChecksum,
  kStatusByte,
  kPadding,
  kLength,
  kUnknownCommand,
  kOffset,
  kOutsideBracket,
};

[[nodiscard]] std::string_view ViolationName(Violation violation);

class Firmware {
 public:
  explicit Firmware(FirmwareImage factory);

  // Handles one request and returns the reply.
  [[nodiscard]] Report Handle(const Report& request);

  // The memory as it is now (tests and on-device actions read and change it).
  [[nodiscard]] FirmwareImage& memory() { return memory_; }
  [[nodiscard]] const FirmwareImage& memory() const { return memory_; }
  // Restores the factory memory, as command 13 does.
  void FactoryReset();

  [[nodiscard]] bool config_open() const { return config_open_; }
  [[nodiscard]] int config_brackets() const { return config_brackets_; }
  [[nodiscard]] int frames_received() const { return frames_received_; }
  [[nodiscard]] const std::vector<std::uint8_t>& last_frame() const { return last_frame_; }
  [[nodiscard]] int violation_count() const;
  [[nodiscard]] const std::map<Violation, int>& violations() const { return violations_; }

 private:
  struct Request;

  std::uint8_t Check(const Report& request);
  std::uint8_t Execute(const Request& request, Report& reply);
  std::uint8_t ReadArea(const std::vector<std::uint8_t>& area, const Request& request,
                        Report& reply);
  std::uint8_t WriteArea(std::vector<std::uint8_t>& area, const Request& request);
  std::uint8_t SelectProfile(const Request& request);
  std::uint8_t ReceiveFrame(const Request& request);
  std::uint8_t Refuse(Violation violation, std::uint8_t status);

  const FirmwareImage factory_;
  FirmwareImage memory_;
  std::vector<std::uint8_t> frame_in_progress_;
  std::vector<std::uint8_t> last_frame_;
  bool config_open_ = false;
  int config_brackets_ = 0;
  int frames_received_ = 0;
  std::map<Violation, int> violations_;
};

}  // namespace vandrel::sim
