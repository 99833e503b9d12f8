// ManualClock: a Clock for tests. It records every sleep and wait it is asked for and moves only
// when told, so a test asserts the exact pauses a thread requests without waiting for them.
//
// In blocking mode (the default) a Sleep or WaitFor blocks its thread until the test advances the
// clock past its deadline (or, for WaitFor, until the event is set). In auto-advance mode a Sleep
// or an unsatisfied WaitFor moves the clock by the requested time at once, for single-threaded
// tests. Every member may be called from any thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

#include "core/clock.h"

namespace vandrel {

class ManualClock final : public Clock {
 public:
  enum class Mode { kBlocking, kAutoAdvance };

  struct Request {
    enum class Kind { kSleep, kWait };
    Kind kind;
    Duration duration;
    friend bool operator==(const Request&, const Request&) = default;
  };

  explicit ManualClock(Mode mode = Mode::kBlocking);

  [[nodiscard]] Duration Now() const override;
  void Sleep(Duration duration) override;
  [[nodiscard]] bool WaitFor(Event& event, Duration timeout) override;

  // Moves the clock forward and releases the sleeps and waits whose deadline has come.
  void Advance(Duration duration);
  // Every request made so far, in order.
  [[nodiscard]] std::vector<Request> Requests() const;
  // Number of threads now blocked in Sleep or WaitFor (a thread counts from the moment its request
  // is recorded).
  [[nodiscard]] std::size_t BlockedCount() const;
  // Blocks the calling thread until at least `count` requests have been made or `real_timeout` of
  // real time has passed; true when they were made. Tests use it to step a thread pass by pass.
  [[nodiscard]] bool AwaitRequests(std::size_t count, std::chrono::milliseconds real_timeout);

 private:
  class Waiter;

  bool BlockUntil(Duration deadline, Event* event, Waiter& waiter);
  void RecordLocked(Request::Kind kind, Duration duration);

  const Mode mode_;
  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable requests_changed_;
  Duration now_{0};
  std::vector<Request> requests_;
  std::vector<Waiter*> blocked_;
};

}  // namespace vandrel
