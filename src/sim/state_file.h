// The memory of a simulated device kept in a file between runs, as a real device keeps it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sim/firmware_image.h"
#include "sim/sim_notice.h"

namespace vandrel::sim {

[[nodiscard]] std::string SerializeImage(const FirmwareImage& image);
// The image in `bytes` when it is well formed and every area has the size it has in `shape` (the
// same device); nullopt otherwise.
[[nodiscard]] std::optional<FirmwareImage> ParseImage(std::string_view bytes,
                                                      const FirmwareImage& shape);

// The memory a device starts from: the image saved in `state_file` when it holds one of the same
// device, else `factory`. A file that is there but holds anything else, or cannot be read, is
// renamed aside ("NAME.corrupt", or "NAME.corrupt-2" … when that is taken) with a notice, rather
// than replaced by the next save; when it cannot be moved, `keep` is false and the device must
// not save over it.
struct InitialState {
  FirmwareImage image;
  std::optional<SimNotice> notice;
  bool keep = true;
};
[[nodiscard]] InitialState LoadState(const std::filesystem::path& state_file,
                                     const FirmwareImage& factory);

}  // namespace vandrel::sim
