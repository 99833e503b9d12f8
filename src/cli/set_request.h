// What `vandrelctl set DEVICE …` asks for, read and checked against everything that is known
// before the device is asked anything. Checks that need the device's own limits are in
// CheckAgainstDevice, made after the device was read and before anything is written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/rgb.h"
#include "device/device_kind.h"

namespace vandrel::cli {

struct LightingRequest {
  std::optional<std::uint8_t> mode;
  std::optional<std::uint8_t> brightness;
  std::optional<std::uint8_t> speed;
  std::optional<std::uint8_t> direction;  // 1 left, 0 right
  std::optional<bool> seven_colour;
  std::optional<Rgb> colour;

  [[nodiscard]] bool Any() const {
    return mode || brightness || speed || direction || seven_colour || colour;
  }
};

inline constexpr int kDpiLevelCount = 5;

struct SetRequest {
  DeviceKind device = DeviceKind::kMouse;
  std::optional<int> slot;
  std::array<std::optional<std::uint8_t>, kDpiLevelCount> dpi_index{};  // mouse: DpiTable index
  std::array<std::optional<Rgb>, kDpiLevelCount> dpi_colour{};
  std::optional<std::uint8_t> report_rate;  // mouse: entry of the report-rate list
  LightingRequest lighting;
  bool factory_reset = false;

  // Whether anything beyond the slot changes.
  [[nodiscard]] bool EditsLive() const;
};

// Reads `arguments` (the device word first); nullopt with `error` set when anything is wrong.
[[nodiscard]] std::optional<SetRequest> ReadSetRequest(const std::vector<std::string>& arguments,
                                                       std::string& error);

// The limits only the connected device knows: the keyboard's modes by its model, the mouse's
// highest DPI index. False with `error` set when the request goes beyond them.
struct DeviceLimits {
  int keyboard_model = 0;
  int highest_dpi_index = 0;
};
[[nodiscard]] bool CheckAgainstDevice(const SetRequest& request, const DeviceLimits& limits,
                                      std::string& error);

}  // namespace vandrel::cli
