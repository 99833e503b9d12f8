// Which device class takes a HID interface collection: the vendor ID, the product IDs each class
// accepts, and the vendor collection every device talks through. The presence monitors connect
// by these rules; vandrelctl shows them to users whose device is not found.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "device/device_kind.h"
#include "device/hid_backend.h"

namespace vandrel {

// The product IDs a device class accepts, its own first. Plain data; any thread.
[[nodiscard]] std::span<const std::uint16_t> AcceptedProductIds(DeviceKind kind);

// The class whose presence monitor would take the collection `info` describes: vendor 0x0C45, an
// accepted product ID, and the vendor collection (usage page 0xFF1C, usage 0x92). nullopt for
// any other collection, the devices' consumer-control collections included.
[[nodiscard]] std::optional<DeviceKind> DeviceKindUsing(const HidInterfaceInfo& info);

}  // namespace vandrel
