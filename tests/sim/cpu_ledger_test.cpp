// What the simulated devices cost the threads that talk to them: nothing is charged while the
// ledger is off; once on, the time and the sleeps a thread spends inside are charged to its name,
// threads of one name add up, and a thread that moves between ledgers keeps one account in each.
#include "sim/cpu_ledger.h"

#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <thread>

#include "core/thread_name.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;

std::chrono::nanoseconds ThreadCpuTime() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// Keeps the processor busy for 2 ms of this thread's own time, however long other programs hold
// the processor meanwhile, then sleeps once.
void WorkAndSleep() {
  const auto end = ThreadCpuTime() + 2ms;
  while (ThreadCpuTime() < end) {
  }
  std::this_thread::sleep_for(1ms);
}

void InScope(SimCpuLedger& ledger, const char* name) {
  std::thread([&ledger, name] {
    NameThisThread(name);
    const SimCpuLedger::Scope charge(ledger);
    WorkAndSleep();
  }).join();
}

const SimCpuLedger::Entry* Find(const std::vector<SimCpuLedger::Entry>& totals,
                                std::string_view thread) {
  for (const SimCpuLedger::Entry& entry : totals) {
    if (entry.thread == thread) return &entry;
  }
  return nullptr;
}

TEST(SimCpuLedgerTest, ChargesTimeAndSleepsByThreadNameOnlyOnceEnabled) {
  SimCpuLedger ledger;
  InScope(ledger, "before-on");
  EXPECT_TRUE(ledger.Totals().empty());

  ledger.Enable();
  InScope(ledger, "kb-light");
  InScope(ledger, "kb-light");
  InScope(ledger, "pad-light");
  const std::vector<SimCpuLedger::Entry> totals = ledger.Totals();
  ASSERT_EQ(totals.size(), 2u);
  const SimCpuLedger::Entry* keyboard = Find(totals, "kb-light");
  const SimCpuLedger::Entry* pad = Find(totals, "pad-light");
  ASSERT_NE(keyboard, nullptr);
  ASSERT_NE(pad, nullptr);
  // Two threads of one name, each busy about 2 ms and asleep once.
  EXPECT_GT(keyboard->cpu_ns, pad->cpu_ns);
  EXPECT_GE(keyboard->wakeups, 2);
  EXPECT_GE(pad->wakeups, 1);
}

TEST(SimCpuLedgerTest, AThreadGoingBackAndForthKeepsOneAccountInEachLedger) {
  SimCpuLedger first;
  SimCpuLedger second;
  first.Enable();
  second.Enable();
  std::thread([&] {
    NameThisThread("kb-light");
    for (int i = 0; i < 3; ++i) {
      { const SimCpuLedger::Scope charge(first); }
      const SimCpuLedger::Scope charge(second);
      WorkAndSleep();
    }
  }).join();
  ASSERT_EQ(first.Totals().size(), 1u);
  ASSERT_EQ(second.Totals().size(), 1u);
  EXPECT_GE(second.Totals()[0].wakeups, 3);
  EXPECT_GT(second.Totals()[0].cpu_ns, first.Totals()[0].cpu_ns);
}

}  // namespace
}  // namespace vandrel::sim
