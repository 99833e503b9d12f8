#include "soak/progress_watch.h"

namespace vandrel::soak {

ProgressWatch::ProgressWatch(Clock& clock, Clock::Duration bound, std::function<void()> on_stall)
    : clock_(clock),
      bound_(bound),
      on_stall_(std::move(on_stall)),
      last_beat_(clock.Now().count()),
      thread_([this] { Run(); }) {}

ProgressWatch::~ProgressWatch() {
  stop_.Set();
  thread_.join();
}

void ProgressWatch::Run() {
  while (!clock_.WaitFor(stop_, std::chrono::seconds(1))) {
    if (clock_.Now() - Clock::Duration(last_beat_.load()) > bound_) {
      on_stall_();
      return;
    }
  }
}

}  // namespace vandrel::soak
