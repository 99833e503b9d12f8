#include "core/decimal.h"

#include <climits>
#include <cstdint>

namespace vandrel {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int ParseDecimalPrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude in 64 bits and stop growing once it is past every int.
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit + 1;
  }
  if (negative) return magnitude >= kLimit ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude >= kLimit ? INT_MAX : static_cast<int>(magnitude);
}

}  // namespace vandrel
