#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace vandrel {
namespace {

struct Decoded {
  char32_t code_point;
  std::size_t length;
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The lead bytes of multi-byte sequences: the bits that mark the form, its length, and the
// smallest code point it may carry (anything below is an overlong form).
struct LeadForm {
  unsigned char mask;
  unsigned char marker;
  std::size_t length;
  char32_t smallest;
};
constexpr std::array<LeadForm, 3> kLeadForms = {{
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
}};

// The code point that starts at `at`; nullopt for an invalid or cut sequence.
std::optional<Decoded> DecodeAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return Decoded{lead, 1};
  const auto form = std::ranges::find_if(
      kLeadForms, [lead](const LeadForm& f) { return (lead & f.mask) == f.marker; });
  if (form == kLeadForms.end()) return std::nullopt;
  const std::size_t length = form->length;
  char32_t code_point = lead & static_cast<unsigned char>(~form->mask);
  if (text.size() - at < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(byte)) return std::nullopt;
    code_point = (code_point << 6) | (byte & 0x3Fu);
  }
  const bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  if (code_point < form->smallest || surrogate || code_point > 0x10FFFF) return std::nullopt;
  return Decoded{code_point, length};
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string code_points;
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<Decoded> decoded = DecodeAt(text, at);
    if (!decoded) return std::nullopt;
    code_points.push_back(decoded->code_point);
    at += decoded->length;
  }
  return code_points;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<Decoded> decoded = DecodeAt(text, at);
    if (!decoded) return false;
    at += decoded->length;
  }
  return true;
}

}  // namespace vandrel
