#include "sim/state_file.h"

#include <array>

#include "core/bytes.h"

namespace vandrel::sim {
namespace {

constexpr std::string_view kMagic = "VSIM1";

// The areas in file order; Image is FirmwareImage or const FirmwareImage.
template <typename Image>
auto Areas(Image& image) {
  return std::array{&image.settings,  &image.device_info, &image.default_table,
                    &image.key_pages, &image.macro,       &image.recoil};
}

}  // namespace

std::string SerializeImage(const FirmwareImage& image) {
  std::string bytes(kMagic);
  for (const std::vector<std::uint8_t>* area : Areas(image)) {
    std::array<std::uint8_t, 4> size{};
    WriteLe32(size, 0, static_cast<std::uint32_t>(area->size()));
    bytes.append(size.begin(), size.end());
    bytes.append(area->begin(), area->end());
  }
  return bytes;
}

std::optional<FirmwareImage> ParseImage(std::string_view bytes, const FirmwareImage& shape) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  bytes.remove_prefix(kMagic.size());
  FirmwareImage image = shape;
  for (std::vector<std::uint8_t>* area : Areas(image)) {
    if (bytes.size() < 4) return std::nullopt;
    const auto* size_bytes = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint32_t size = ReadLe32(std::span(size_bytes, 4), 0);
    bytes.remove_prefix(4);
    if (size != area->size() || bytes.size() < size) return std::nullopt;
    area->assign(bytes.begin(), bytes.begin() + size);
    bytes.remove_prefix(size);
  }
  if (!bytes.empty()) return std::nullopt;
  return image;
}

}  // namespace vandrel::sim
