#include "sim/cpu_ledger.h"

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <map>

namespace vandrel::sim {
namespace {

std::int64_t ThreadCpuNanoseconds() {
  timespec now{};
  (void)clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// How often this thread has slept and been woken (its voluntary context switches).
std::int64_t ThreadWakeups() {
  rusage usage{};
  (void)getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_nvcsw;
}

std::atomic<std::uint64_t> next_serial{1};

}  // namespace

SimCpuLedger::SimCpuLedger() : serial_(next_serial.fetch_add(1, std::memory_order_relaxed)) {}

SimCpuLedger::Account& SimCpuLedger::AccountOfThisThread() {
  // Each thread finds its account once per ledger.
  thread_local std::uint64_t cached_serial = 0;
  thread_local Account* cached = nullptr;
  if (cached_serial == serial_) return *cached;
  const std::thread::id id = std::this_thread::get_id();
  std::array<char, 16> name{};
  if (pthread_getname_np(pthread_self(), name.data(), name.size()) != 0) name = {};
  std::lock_guard lock(mutex_);
  // A thread that went to another ledger in between comes back to its own account. A new thread
  // may be given the identity of one that ended; only one of the same name shares its account.
  auto found = std::find_if(accounts_.begin(), accounts_.end(), [&](const Account& account) {
    return account.id == id && account.thread == name.data();
  });
  const bool known = found != accounts_.end();
  Account& account = known ? *found : accounts_.emplace_back();
  if (!known) {
    account.id = id;
    account.thread = name.data();
  }
  cached_serial = serial_;
  cached = &account;
  return account;
}

std::vector<SimCpuLedger::Entry> SimCpuLedger::Totals() const {
  std::map<std::string, Entry> by_name;
  {
    std::lock_guard lock(mutex_);
    for (const Account& account : accounts_) {
      Entry& entry = by_name[account.thread];
      entry.thread = account.thread;
      entry.cpu_ns += account.cpu_ns.load(std::memory_order_relaxed);
      entry.wakeups += account.wakeups.load(std::memory_order_relaxed);
    }
  }
  std::vector<Entry> totals;
  totals.reserve(by_name.size());
  for (auto& [name, entry] : by_name) totals.push_back(std::move(entry));
  return totals;
}

// The processor time is read first on the way in and last on the way out, so that what the
// ledger's own readings cost (system calls, dear on some machines) is charged to the simulator
// too, not to the program around it.
SimCpuLedger::Scope::Scope(SimCpuLedger& ledger) {
  if (!ledger.enabled()) return;
  ledger_ = &ledger;
  cpu_at_start_ = ThreadCpuNanoseconds();
  wakeups_at_start_ = ThreadWakeups();
}

SimCpuLedger::Scope::~Scope() {
  if (ledger_ == nullptr) return;
  const std::int64_t wakeups = ThreadWakeups() - wakeups_at_start_;
  Account& account = ledger_->AccountOfThisThread();
  const std::int64_t cpu = ThreadCpuNanoseconds() - cpu_at_start_;
  account.cpu_ns.fetch_add(cpu, std::memory_order_relaxed);
  account.wakeups.fetch_add(wakeups, std::memory_order_relaxed);
}

}  // namespace vandrel::sim
