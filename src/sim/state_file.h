// The memory of a simulated device kept in a file between runs, as a real device keeps it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/firmware_image.h"

namespace vandrel::sim {

[[nodiscard]] std::string SerializeImage(const FirmwareImage& image);
// The image in `bytes` when it is well formed and every area has the size it has in `shape` (the
// same device); nullopt otherwise.
[[nodiscard]] std::optional<FirmwareImage> ParseImage(std::string_view bytes,
                                                      const FirmwareImage& shape);

}  // namespace vandrel::sim
