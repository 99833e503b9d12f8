// The soak's user-interface loop: messages from any thread handled in order on its own thread,
// sends released by StopSending, timers repeating until killed, and the window's notifications
// from other threads delivered.
#include "soak/soak_ui_loop.h"

#include <gmock/gmock.h>

#include "support/deadline.h"
#include "ui/test_window.h"

namespace vandrel::soak {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::JoinWithin;
using testing::PollUntil;
using testing::TestWindow;

class Recorder final : public MessageTarget {
 public:
  void HandleMessage(int message, std::intptr_t, std::intptr_t) override {
    messages.push_back(message);
    threads.push_back(std::this_thread::get_id());
  }
  void HandleTimer(int timer_id) override {
    ++timers[timer_id];
    if (timer_id == kKillingTimer) loop->KillTimer(kKillingTimer);
  }

  static constexpr int kKillingTimer = 2;
  SoakUiLoop* loop = nullptr;
  std::vector<int> messages;
  std::vector<std::thread::id> threads;
  std::map<int, int> timers;
};

class SoakUiLoopTest : public ::testing::Test {
 protected:
  SoakUiLoopTest() {
    loop_.SetTarget(&target_);
    target_.loop = &loop_;
  }

  SteadyClock clock_;
  TestWindow window_;
  SoakUiLoop loop_{clock_, window_.window()};
  Recorder target_;
};

TEST_F(SoakUiLoopTest, MessagesFromAnyThreadAreHandledOnItsOwnThreadInTheOrderTheyCame) {
  loop_.Post(1, 0, 0);
  std::atomic<bool> sent = false;
  std::thread worker([&] {
    loop_.Post(2, 0, 0);
    sent = loop_.Send(3, 0, 0);
  });
  ASSERT_TRUE(PollUntil([&] {
    loop_.RunUntil(clock_.Now());
    return sent.load();
  })) << "the send being handled";
  JoinWithin(worker, "the sender returning");
  EXPECT_TRUE(loop_.Send(4, 0, 0)) << "a send on the loop's own thread is handled at once";
  EXPECT_THAT(target_.messages, ElementsAre(1, 2, 3, 4));
  EXPECT_THAT(target_.threads, Each(std::this_thread::get_id()));
}

TEST_F(SoakUiLoopTest, StopSendingReleasesAWaitingSenderAndItsMessageIsNeverHandled) {
  std::atomic<int> waiting = -1;
  std::atomic<int> late = -1;
  std::thread worker([&] { waiting = loop_.Send(7, 0, 0) ? 1 : 0; });
  loop_.StopSending();
  JoinWithin(worker, "the waiting sender giving up");
  std::thread latecomer([&] { late = loop_.Send(8, 0, 0) ? 1 : 0; });
  JoinWithin(latecomer, "a sender after the stop returning");
  loop_.RunUntil(clock_.Now());
  EXPECT_EQ(waiting.load(), 0);
  EXPECT_EQ(late.load(), 0);
  EXPECT_THAT(target_.messages, IsEmpty());
}

TEST_F(SoakUiLoopTest, TimersRepeatUntilKilledAndAKilledTimerNeverFires) {
  using std::chrono::milliseconds;
  loop_.SetTimer(1, milliseconds(1));
  loop_.SetTimer(Recorder::kKillingTimer, milliseconds(1));
  loop_.SetTimer(3, milliseconds(1));
  loop_.KillTimer(3);
  loop_.RunUntil(clock_.Now() + milliseconds(20));
  EXPECT_GE(target_.timers[1], 1);
  EXPECT_EQ(target_.timers[Recorder::kKillingTimer], 1);
  EXPECT_EQ(target_.timers.count(3), 0U);
}

TEST_F(SoakUiLoopTest, NotificationsRaisedOnAWorkerReachTheHandlerAndChangesDoNotPileUp) {
  Control& tab = window_.Option("ms_tab", "device");
  std::thread worker([&] { (void)tab.SetSelected(true, Notify::kYes); });
  JoinWithin(worker, "the worker selecting the tab");
  loop_.RunUntil(clock_.Now());
  EXPECT_THAT(window_.Seen(), ElementsAre("selectchanged ms_tab"));
  EXPECT_THAT(window_.window().TakeChanges(), IsEmpty());
}

}  // namespace
}  // namespace vandrel::soak
