// Device jobs: one at a time, the work on its own thread, the completion on the user-interface
// thread once its message is handled, and a clean end with a work still running.
#include "app/device_jobs.h"

#include <gmock/gmock.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/event.h"
#include "core/manual_clock.h"
#include "support/deadline.h"
#include "support/manual_ui_loop.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;

// The main window's part: the job message goes to the jobs while they exist.
class JobsWindow final : public MessageTarget {
 public:
  void HandleMessage(int message, std::intptr_t, std::intptr_t) override {
    messages.push_back(message);
    if (message == kMessageDeviceJobDone && jobs != nullptr) jobs->Finish();
  }
  void HandleTimer(int) override {}

  DeviceJobs* jobs = nullptr;
  std::vector<int> messages;
};

class DeviceJobsTest : public ::testing::Test {
 protected:
  DeviceJobsTest() {
    loop_.SetTarget(&window_);
    window_.jobs = jobs_.get();
    jobs_->AddBusyListener([this](bool busy) { log_.push_back(busy ? "busy" : "idle"); });
  }

  // A work that says it started and then waits, within the deadline, to be released.
  DeviceJobs::Work Held() {
    return [this] {
      started_.Set();
      worked_ = release_.Wait(kWaitDeadline);
    };
  }
  // Runs the window's messages until the running job has finished.
  [[nodiscard]] bool AwaitFinish() {
    while (jobs_->busy()) {
      if (!loop_.AwaitMessage(kWaitDeadline)) return false;
      loop_.RunPending();
    }
    return true;
  }

  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  ManualUiLoop loop_{clock_};
  JobsWindow window_;
  std::unique_ptr<DeviceJobs> jobs_ = std::make_unique<DeviceJobs>(loop_);
  std::vector<std::string> log_;  // user-interface thread only
  Event started_;
  Event release_;
  std::atomic<bool> worked_{false};
};

TEST_F(DeviceJobsTest, OneJobAtATimeItsCompletionOnTheUserInterfaceThreadAfterItsWork) {
  const std::thread::id ui_thread = std::this_thread::get_id();
  ASSERT_TRUE(jobs_->Start(Held(), [&] {
    EXPECT_EQ(std::this_thread::get_id(), ui_thread);
    EXPECT_TRUE(worked_);
    log_.push_back("first done");
  }));
  ASSERT_TRUE(started_.Wait(kWaitDeadline)) << "the work starting";
  EXPECT_TRUE(jobs_->busy());
  // While the first runs a second is refused and never runs.
  bool second_ran = false;
  EXPECT_FALSE(jobs_->Start([&] { second_ran = true; }, [&] { second_ran = true; }));
  // A stray job message before the work has ended changes nothing.
  jobs_->Finish();
  EXPECT_TRUE(jobs_->busy());

  release_.Set();
  ASSERT_TRUE(AwaitFinish()) << "the first job's message";
  EXPECT_FALSE(second_ran);
  EXPECT_THAT(window_.messages, ElementsAre(kMessageDeviceJobDone));

  // A result reaches its completion; a completion may start the next job.
  std::thread::id worked_on;
  ASSERT_TRUE(jobs_->StartWithResult<int>(
      [&] {
        worked_on = std::this_thread::get_id();
        return 42;
      },
      [&](int result) {
        log_.push_back("result " + std::to_string(result));
        EXPECT_TRUE(jobs_->Start([] {}, [&] { log_.push_back("chained done"); }));
      }));
  ASSERT_TRUE(AwaitFinish()) << "the second and third jobs' messages";
  EXPECT_NE(worked_on, ui_thread);
  EXPECT_THAT(log_, ElementsAre("busy", "idle", "first done", "busy", "idle", "result 42", "busy",
                                "idle", "chained done"));
}

TEST_F(DeviceJobsTest, EndingWithAWorkRunningWaitsForItAndDropsItsCompletion) {
  bool completed = false;
  ASSERT_TRUE(jobs_->Start(Held(), [&] { completed = true; }));
  ASSERT_TRUE(started_.Wait(kWaitDeadline)) << "the work starting";
  {
    // Released from elsewhere at any moment: the end must wait for the work either way.
    std::jthread releaser([this] { release_.Set(); });
    const Watchdog watchdog("the jobs ending");
    window_.jobs = nullptr;
    jobs_.reset();
  }
  EXPECT_TRUE(worked_);
  loop_.RunPending();
  EXPECT_FALSE(completed);
  EXPECT_THAT(window_.messages, ElementsAre(kMessageDeviceJobDone));
  EXPECT_THAT(log_, ElementsAre("busy"));
}

}  // namespace
}  // namespace vandrel::testing
