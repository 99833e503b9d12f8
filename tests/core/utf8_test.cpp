// Strict UTF-8: every well-formed sequence decodes, and the forms other decoders let through
// (overlong, surrogates, past U+10FFFF, cut or stray continuation bytes) are refused.
#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

TEST(Utf8Test, DecodesWellFormedTextAndRefusesEverythingElse) {
  struct Case {
    std::string text;
    std::optional<std::u32string> code_points;
  };
  const Case cases[] = {
      {"", U""},
      {"ab", U"ab"},
      {std::string("\0", 1), std::u32string(1, U'\0')},
      {"\xC2\x80\xDF\xBF", U"\u0080\u07FF"},
      {"\xE0\xA0\x80\xEF\xBF\xBF", U"\u0800\uFFFF"},
      {"\xED\x9F\xBF\xEE\x80\x80", U"\uD7FF\uE000"},  // either side of the surrogates
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", U"\U00010000\U0010FFFF"},
      {"\x80", std::nullopt},              // continuation without a lead
      {"\xC2", std::nullopt},              // cut
      {"\xC2\x41", std::nullopt},          // lead followed by ASCII
      {"\xC0\x80", std::nullopt},          // overlong NUL
      {"\xE0\x9F\xBF", std::nullopt},      // overlong
      {"\xF0\x8F\xBF\xBF", std::nullopt},  // overlong
      {"\xED\xA0\x80", std::nullopt},      // high surrogate
      {"\xED\xBF\xBF", std::nullopt},      // low surrogate
      {"\xF4\x90\x80\x80", std::nullopt},  // past U+10FFFF
      {"\xF8\x88\x80\x80\x80", std::nullopt},
      {"\xFF", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.text), c.code_points) << ::testing::PrintToString(c.text);
    EXPECT_EQ(IsValidUtf8(c.text), c.code_points.has_value()) << ::testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace vandrel
