// The factory state of every simulated device: what a new mouse, pad or keyboard holds in its
// memory. The same data is the source of the program's default profile files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "device/product_ids.h"
#include "sim/firmware_image.h"

namespace vandrel::sim {

inline constexpr std::uint16_t kSingleColourKeyboardProductId = kKeyboardProductId;

enum class DeviceFamily { kKeyboard, kMouse, kPad };

// The family a product ID belongs to; nullopt for IDs no simulated device has.
[[nodiscard]] std::optional<DeviceFamily> FamilyOf(std::uint16_t product_id);
// "kb", "ms" or "mp".
[[nodiscard]] std::string_view FamilyTag(DeviceFamily family);

// The factory memory of the device with `product_id`. A keyboard reports `key_count` keys when
// given (more than it has are filled with empty assignments; more than 170 do not fit its table).
[[nodiscard]] FirmwareImage FactoryImage(std::uint16_t product_id,
                                         std::optional<int> key_count = std::nullopt);

}  // namespace vandrel::sim
