#include "sim/macro_memory.h"

#include <cstddef>

namespace vandrel::sim {
namespace {

constexpr std::uint16_t kMagic = 0x55AA;
constexpr std::size_t kHeaderBytes = 16;

[[nodiscard]] std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The macro whose block starts at `block`; nullopt when it runs past the image.
[[nodiscard]] std::optional<HeldMacro> ReadBlock(std::span<const std::uint8_t> image,
                                                 std::size_t block) {
  if (block + 4 > image.size()) return std::nullopt;
  const std::size_t steps = Word(image, block);
  if (block + 4 + 4 * steps > image.size()) return std::nullopt;
  HeldMacro macro;
  for (std::size_t i = 0; i < steps; ++i) {
    const std::size_t at = block + 4 + 4 * i;
    macro.push_back({Word(image, at), image[at + 2], image[at + 3]});
  }
  return macro;
}

}  // namespace

std::optional<std::vector<HeldMacro>> HeldMacros(std::span<const std::uint8_t> memory) {
  if (memory.size() < kHeaderBytes || Word(memory, 0) != kMagic) return std::nullopt;
  const std::size_t length = Word(memory, 2);
  const std::size_t count = Word(memory, 4);
  if (length > memory.size() || kHeaderBytes + 2 * count > length) return std::nullopt;
  const std::span<const std::uint8_t> image = memory.first(length);
  std::vector<HeldMacro> macros;
  for (std::size_t k = 0; k < count; ++k) {
    auto macro = ReadBlock(image, Word(image, kHeaderBytes + 2 * k));
    if (!macro) return std::nullopt;
    macros.push_back(std::move(*macro));
  }
  return macros;
}

std::optional<std::vector<HeldTable>> HeldRecoil(std::span<const std::uint8_t> memory) {
  return HeldMacros(memory);
}

}  // namespace vandrel::sim
