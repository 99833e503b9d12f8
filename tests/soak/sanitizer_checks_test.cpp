// The leak totals read from LeakSanitizer's reports.
#include "soak/sanitizer_checks.h"

#include <gtest/gtest.h>

namespace vandrel::soak {
namespace {

TEST(ParseLeakSummaryTest, AddsUpEverySummaryLineAndIgnoresTheRest) {
  struct Case {
    std::string_view report;
    std::uint64_t bytes;
    std::uint64_t allocations;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"=================================================================\n"
       "==12==ERROR: LeakSanitizer: detected memory leaks\n\n"
       "Direct leak of 40 byte(s) in 1 object(s) allocated from:\n"
       "    #0 0x7f in operator new(unsigned long)\n\n"
       "SUMMARY: AddressSanitizer: 56 byte(s) leaked in 2 allocation(s).\n",
       56, 2},
      {"SUMMARY: LeakSanitizer: 8 byte(s) leaked in 1 allocation(s).\n"
       "SUMMARY: AddressSanitizer: 1024 byte(s) leaked in 12 allocation(s).\n",
       1032, 13},
      // Not a leak summary: another sanitizer's, or a line that only mentions one.
      {"SUMMARY: AddressSanitizer: heap-use-after-free main.cpp:3 in main\n"
       "Direct leak of 40 byte(s) in 1 object(s) allocated from:\n",
       0, 0},
  };
  for (const Case& c : cases) {
    const LeakSummary summary = ParseLeakSummary(c.report);
    EXPECT_EQ(summary.bytes, c.bytes) << c.report;
    EXPECT_EQ(summary.allocations, c.allocations) << c.report;
  }
}

}  // namespace
}  // namespace vandrel::soak
