#include "core/decimal.h"

#include <gtest/gtest.h>

#include <climits>

namespace vandrel {
namespace {

TEST(DecimalPrefixTest, ReadsLeadingDigitsWithOptionalSign) {
  struct Case {
    std::string_view text;
    int expected;
  };
  const Case cases[] = {
      {"0", 0},
      {"123", 123},
      {"-45", -45},
      {"+7", 7},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+-3", 0},
      {"  42", 42},
      {"\t-8x", -8},
      {"4 2", 4},
      {"007", 7},
      {"1.9", 1},
      {"0x1F", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2020", 2020},
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDecimalPrefix(c.text), c.expected) << "text: \"" << c.text << "\"";
  }
}

}  // namespace
}  // namespace vandrel
