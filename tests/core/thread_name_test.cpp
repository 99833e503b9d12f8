// Thread names as the system shows them to top and perf.
#include "core/thread_name.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "support/deadline.h"

namespace vandrel {
namespace {

TEST(ThreadNameTest, ANameIsShownAsGivenOrCutToFifteenBytes) {
  struct Case {
    std::string_view given;
    std::string_view shown;
    bool fits;
  };
  const Case kCases[] = {
      {"kb-light", "kb-light", true},
      {"pad-watch-light", "pad-watch-light", true},  // exactly the limit
      {"keyboard-lighting-thread", "keyboard-lighti", false},
      {"", "", false},
  };
  for (const Case& c : kCases) {
    std::string shown;
    std::thread thread([&] {
      NameThisThread(c.given);
      std::getline(std::ifstream("/proc/thread-self/comm"), shown);
    });
    testing::JoinWithin(thread, "the named thread ending");
    EXPECT_EQ(shown, c.shown) << c.given;
    EXPECT_EQ(FitsThreadName(c.given), c.fits) << c.given;
  }
}

}  // namespace
}  // namespace vandrel
