// Rgb: one colour as three bytes in the order the devices and the profile files carry it.
#pragma once

#include <cstdint>

namespace vandrel {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};
static_assert(sizeof(Rgb) == 3);

}  // namespace vandrel
