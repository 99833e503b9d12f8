// Starting tools: success, failure, a tool that is not there, and one that does not finish.
#include "platform/tool_runner.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

constexpr std::chrono::milliseconds kGenerous{10000};

TEST(ToolRunnerTest, ExitStatusDecidesSuccess) {
  EXPECT_EQ(RunTool({"true"}, kGenerous), ToolOutcome::kSucceeded);
  EXPECT_EQ(RunTool({"false"}, kGenerous), ToolOutcome::kFailed);
  EXPECT_EQ(RunTool({"sh", "-c", "exit 3"}, kGenerous), ToolOutcome::kFailed);
}

TEST(ToolRunnerTest, ArgumentsReachTheToolUnchangedWithoutAShell) {
  EXPECT_EQ(RunTool({"test", "a b; false", "=", "a b; false"}, kGenerous), ToolOutcome::kSucceeded);
}

TEST(ToolRunnerTest, AToolThatIsNotInstalledIsMissing) {
  EXPECT_EQ(RunTool({"vandrel-no-such-tool"}, kGenerous), ToolOutcome::kMissing);
  EXPECT_EQ(RunTool({}, kGenerous), ToolOutcome::kMissing);
}

TEST(ToolRunnerTest, AToolStillRunningAtTheTimeOutIsKilled) {
  EXPECT_EQ(RunTool({"sleep", "30"}, std::chrono::milliseconds(20)), ToolOutcome::kTimedOut);
}

}  // namespace
}  // namespace vandrel
