// Reading numbers from text the way the system always has: the decimal-prefix rule of the C
// runtime's string-to-integer conversion.
#pragma once

#include <string_view>

namespace vandrel {

// Leading white space is skipped; then an optional sign and the leading decimal digits make the
// number, and the first other character ends it. No digits gives 0. A number beyond the range of
// int gives INT_MAX or INT_MIN.
[[nodiscard]] int ParseDecimalPrefix(std::string_view text);

}  // namespace vandrel
