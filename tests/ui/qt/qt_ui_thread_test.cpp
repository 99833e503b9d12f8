// The user-interface thread on the Qt event loop: posted messages keep their order, a send from a
// worker thread returns once the message was handled and never hangs once sending stopped, and
// timers set from any thread fire, restart with a new period and stop.
#include "ui/qt/qt_ui_thread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <functional>
#include <map>
#include <thread>
#include <vector>

#include "support/deadline.h"
#include "ui/qt/wait_until.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::WaitUntil;

constexpr int kMarker = 0x7777;

// Records what reaches the main window; runs on the user-interface thread only.
struct RecordingTarget final : MessageTarget {
  void HandleMessage(int message, std::intptr_t wparam, std::intptr_t lparam) override {
    messages.push_back({message, wparam, lparam});
    if (on_message) on_message(message);
  }
  void HandleTimer(int timer_id) override {
    ++ticks[timer_id];
    if (on_timer) on_timer(timer_id);
  }
  [[nodiscard]] bool Received(int message) const {
    for (const auto& entry : messages)
      if (entry[0] == message) return true;
    return false;
  }

  std::vector<std::array<std::intptr_t, 3>> messages;
  std::map<int, int> ticks;
  std::function<void(int)> on_message;
  std::function<void(int)> on_timer;
};

class QtUiThreadTest : public ::testing::Test {
 protected:
  QtUiThreadTest() { ui_->SetTarget(&target_); }
  ~QtUiThreadTest() override {
    ui_.reset();
    for (std::thread& worker : workers_)
      if (worker.joinable()) worker.join();
  }

  void OnWorker(std::function<void()> work) { workers_.emplace_back(std::move(work)); }
  // Waits until every message and timer call the workers made before posting a marker is done.
  void WaitForMarker() {
    ASSERT_TRUE(WaitUntil([&] { return target_.Received(kMarker); }));
  }

  RecordingTarget target_;
  std::unique_ptr<QtUiThread> ui_ = std::make_unique<QtUiThread>();
  std::vector<std::thread> workers_;
};

TEST_F(QtUiThreadTest, PostedMessagesArriveInTheOrderTheyWerePosted) {
  ui_->Post(1, 10, 100);
  OnWorker([&] {
    for (int i = 2; i <= 50; ++i) ui_->Post(i, i * 10, i * 100);
  });
  workers_.back().join();
  ui_->Post(51, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return target_.messages.size() == 51; }));
  for (std::size_t i = 0; i < 50; ++i) {
    const auto number = static_cast<std::intptr_t>(i + 1);
    EXPECT_THAT(target_.messages[i], ElementsAre(number, number * 10, number * 100));
  }
}

TEST_F(QtUiThreadTest, PostReturnsBeforeTheMessageIsHandled) {
  ui_->Post(3, 0, 0);
  EXPECT_THAT(target_.messages, IsEmpty());
  ASSERT_TRUE(WaitUntil([&] { return target_.Received(3); }));
}

TEST_F(QtUiThreadTest, SendOnTheUserInterfaceThreadIsHandledBeforeItReturns) {
  EXPECT_TRUE(ui_->Send(0x0C00, 1, 2));
  EXPECT_THAT(target_.messages, ElementsAre(ElementsAre(0x0C00, 1, 2)));
}

TEST_F(QtUiThreadTest, SendFromAWorkerReturnsAfterTheHandlerRan) {
  std::atomic<bool> handled = false;
  std::atomic<bool> seen_by_sender = false;
  std::atomic<bool> result = false;
  std::atomic<bool> done = false;
  target_.on_message = [&](int) { handled = true; };
  OnWorker([&] {
    result = ui_->Send(0x0901, 4, 5);
    seen_by_sender = handled.load();
    done = true;
  });
  ASSERT_TRUE(WaitUntil([&] { return done.load(); }));
  EXPECT_TRUE(result);
  EXPECT_TRUE(seen_by_sender);
  EXPECT_THAT(target_.messages, ElementsAre(ElementsAre(0x0901, 4, 5)));
}

TEST_F(QtUiThreadTest, AWaitingSendGivesUpWhenSendingStopsAndItsMessageIsNotHandled) {
  std::atomic<bool> result = true;
  OnWorker([&] { result = ui_->Send(0x0B01, 0, 0); });
  // The event loop does not run, so only StopSending can end the wait.
  ui_->StopSending();
  testing::JoinWithin(workers_.back(), "the waiting send giving up");
  EXPECT_FALSE(result);
  ui_->Post(kMarker, 0, 0);
  WaitForMarker();
  EXPECT_FALSE(target_.Received(0x0B01));
}

TEST_F(QtUiThreadTest, SendAfterStopSendingReturnsAtOnce) {
  ui_->StopSending();
  std::atomic<bool> result = true;
  OnWorker([&] { result = ui_->Send(0x0B02, 0, 0); });
  testing::JoinWithin(workers_.back(), "the send returning at once");
  EXPECT_FALSE(result);
}

TEST_F(QtUiThreadTest, SendingStoppedWhileTheMessageIsHandledReleasesTheSender) {
  std::atomic<bool> result = true;
  std::atomic<bool> done = false;
  // The handler stops sending itself, as the destroy message would from a nested loop.
  target_.on_message = [&](int) {
    ui_->StopSending();
    ASSERT_TRUE(WaitUntil([&] { return done.load(); }));
  };
  OnWorker([&] {
    result = ui_->Send(0x0901, 0, 0);
    done = true;
  });
  ASSERT_TRUE(WaitUntil([&] { return done.load(); }));
  EXPECT_FALSE(result);
  EXPECT_TRUE(target_.Received(0x0901));
}

TEST_F(QtUiThreadTest, ATimerSetFromAWorkerFiresRepeatedly) {
  OnWorker([&] { ui_->SetTimer(1001, 5ms); });
  ASSERT_TRUE(WaitUntil([&] { return target_.ticks[1001] >= 3; }));
  EXPECT_THAT(target_.messages, IsEmpty());
}

TEST_F(QtUiThreadTest, SettingARunningTimerAgainReplacesItsPeriod) {
  ui_->SetTimer(10, 1h);
  OnWorker([&] { ui_->SetTimer(10, 5ms); });
  ASSERT_TRUE(WaitUntil([&] { return target_.ticks[10] >= 2; }));
}

TEST_F(QtUiThreadTest, KillTimerFromAWorkerStopsIt) {
  ui_->SetTimer(2, 5ms);
  ASSERT_TRUE(WaitUntil([&] { return target_.ticks[2] >= 1; }));
  OnWorker([&] {
    ui_->KillTimer(2);
    ui_->Post(kMarker, 0, 0);
  });
  WaitForMarker();
  const int ticks_at_kill = target_.ticks[2];
  QTest::qWait(100);
  EXPECT_EQ(target_.ticks[2], ticks_at_kill);
}

TEST_F(QtUiThreadTest, ATimerThatKillsItselfFiresOnce) {
  target_.on_timer = [&](int timer_id) { ui_->KillTimer(timer_id); };
  ui_->SetTimer(1, 5ms);
  ui_->SetTimer(7, 5ms);
  ASSERT_TRUE(WaitUntil([&] { return target_.ticks[1] == 1 && target_.ticks[7] == 1; }));
  QTest::qWait(100);
  EXPECT_EQ(target_.ticks[1], 1);
  EXPECT_EQ(target_.ticks[7], 1);
}

TEST_F(QtUiThreadTest, KillingATimerThatDoesNotRunChangesNothing) {
  ui_->KillTimer(13);
  ui_->SetTimer(14, 5ms);
  ui_->KillTimer(13);
  ASSERT_TRUE(WaitUntil([&] { return target_.ticks[14] >= 2; }));
  EXPECT_EQ(target_.ticks.count(13), 0U);
}

}  // namespace
}  // namespace vandrel
