// SimCpuLedger: the processor time and the wake-ups that the simulated devices cost the threads
// that talk to them. The simulator has no thread of its own: a device answers inside the thread
// that writes to it, and its USB-like timing sleeps there too. To tell what the program itself
// costs, the time a thread spends inside a simulated connection is charged here, by thread name.
// Off until enabled, so that it costs nothing otherwise. Any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vandrel::sim {

class SimCpuLedger {
 public:
  struct Entry {
    std::string thread;        // the thread's name when it first entered the simulator
    std::int64_t cpu_ns = 0;   // processor time spent inside the simulator
    std::int64_t wakeups = 0;  // times it slept there and was woken
  };

  // Charges the calling thread with what it spends from construction to destruction.
  class Scope {
   public:
    explicit Scope(SimCpuLedger& ledger);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    SimCpuLedger* ledger_ = nullptr;  // null while the ledger is off
    std::int64_t cpu_at_start_ = 0;
    std::int64_t wakeups_at_start_ = 0;
  };

  SimCpuLedger();
  SimCpuLedger(const SimCpuLedger&) = delete;
  SimCpuLedger& operator=(const SimCpuLedger&) = delete;

  void Enable() { enabled_.store(true, std::memory_order_relaxed); }
  [[nodiscard]] bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
  // What each thread has been charged so far, threads of the same name added together.
  [[nodiscard]] std::vector<Entry> Totals() const;

 private:
  struct Account {
    std::thread::id id;
    std::string thread;
    std::atomic<std::int64_t> cpu_ns{0};
    std::atomic<std::int64_t> wakeups{0};
  };
  Account& AccountOfThisThread();

  // Tells this ledger from one that lived at the same address before, for the threads' caches.
  const std::uint64_t serial_;
  std::atomic<bool> enabled_{false};
  mutable std::mutex mutex_;      // guards the list of accounts; their counters are atomic
  std::deque<Account> accounts_;  // a deque: an account never moves while a thread holds it
};

}  // namespace vandrel::sim
