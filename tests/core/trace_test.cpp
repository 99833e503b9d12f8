#include "core/trace.h"

#include <gtest/gtest.h>

#include <thread>

namespace vandrel {
namespace {

TEST(TraceTest, CapturesSeeLinesFromEveryThreadWhileTheyLive) {
  Trace("before any capture");
  std::vector<std::string> outer_lines;
  {
    TraceCapture outer;
    {
      TraceCapture inner;
      std::thread worker([] { Trace("thread ends"); });
      worker.join();
      EXPECT_EQ(inner.Lines(), std::vector<std::string>{"thread ends"});
    }
    Trace("after inner");
    outer_lines = outer.Lines();
    EXPECT_TRUE(outer.Contains("after inner"));
    EXPECT_FALSE(outer.Contains("before any capture"));
  }
  EXPECT_EQ(outer_lines, (std::vector<std::string>{"thread ends", "after inner"}));
}

}  // namespace
}  // namespace vandrel
