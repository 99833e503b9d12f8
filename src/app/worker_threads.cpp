#include "app/worker_threads.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "core/thread_name.h"
#include "core/trace.h"

namespace vandrel {

static_assert(std::ranges::all_of(kWorkerNames, FitsThreadName));

// What a thread may still touch after it was abandoned: it lives as long as the last thread.
struct WorkerThreads::Shared {
  std::array<Event, kWorkerCount> stop_events;
  std::mutex mutex;  // guards running
  int running = 0;
  Event all_ended{EventReset::kManual, true};
};

std::string_view OutcomeText(StopOutcome outcome) {
  switch (outcome) {
    case StopOutcome::kNoneRunning:
      return "none was running";
    case StopOutcome::kAllEnded:
      return "all ended";
    case StopOutcome::kTimedOut:
      return "timed out, the rest abandoned";
  }
  return "";
}

WorkerThreads::WorkerThreads(Clock& clock) : clock_(clock), shared_(std::make_shared<Shared>()) {}

WorkerThreads::~WorkerThreads() { (void)Stop(); }

void WorkerThreads::SetBody(WorkerSlot slot, Body body) {
  bodies_[static_cast<std::size_t>(slot)] = std::move(body);
}

bool WorkerThreads::HasBody(WorkerSlot slot) const {
  return static_cast<bool>(bodies_[static_cast<std::size_t>(slot)]);
}

Event& WorkerThreads::StopEvent(int index) {
  return shared_->stop_events.at(static_cast<std::size_t>(index));
}

void WorkerThreads::Start() {
  // The events are reset here, before any thread runs: a thread resetting its own event could
  // lose a stop requested before it started.
  for (Event& event : shared_->stop_events) event.Reset();
  int started = 0;
  for (std::size_t slot = 0; slot < bodies_.size(); ++slot) {
    if (!bodies_[slot]) continue;
    Event& stop = shared_->stop_events[static_cast<std::size_t>(kStopEventOfSlot[slot])];
    {
      std::lock_guard lock(shared_->mutex);
      if (shared_->running++ == 0) shared_->all_ended.Reset();
    }
    threads_.emplace_back(
        [shared = shared_, body = bodies_[slot], &stop, name = kWorkerNames[slot]] {
          NameThisThread(name);
          body(stop);
          std::lock_guard lock(shared->mutex);
          if (--shared->running == 0) shared->all_ended.Set();
        });
    if (++started <= 2) clock_.Sleep(kStartPause);
  }
}

StopOutcome WorkerThreads::Stop(Clock::Duration timeout) {
  if (threads_.empty()) return StopOutcome::kNoneRunning;
  for (Event& event : shared_->stop_events) event.Set();
  const bool ended = clock_.WaitFor(shared_->all_ended, timeout);
  for (std::thread& thread : threads_) {
    if (ended) {
      thread.join();
    } else {
      thread.detach();
    }
  }
  threads_.clear();
  const StopOutcome outcome = ended ? StopOutcome::kAllEnded : StopOutcome::kTimedOut;
  Trace("worker threads stopped: " + std::string(OutcomeText(outcome)));
  return outcome;
}

}  // namespace vandrel
