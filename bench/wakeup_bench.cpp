// What one timed sleep and wake costs this machine: a thread waits on an event that nobody sets,
// for a frame's time, as the lighting threads wait between frames. The CPU time per iteration is
// the least a frame can cost a thread that sleeps between frames; it differs between machines by
// several times (virtual machines pay dearly for each switch), so the lighting figures are read
// against it.
#include <benchmark/benchmark.h>

#include <chrono>

#include "core/clock.h"
#include "core/event.h"

namespace vandrel {
namespace {

void BM_TimedWakeup(benchmark::State& state) {
  SteadyClock clock;
  Event never_set;
  const Clock::Duration period{state.range(0)};
  for (auto _ : state) {
    if (clock.WaitFor(never_set, period)) state.SkipWithError("the event was set");
  }
}
// The keyboard's and the pad's fastest frame periods.
BENCHMARK(BM_TimedWakeup)
    ->ArgName("period_us")
    ->Arg(18'500)
    ->Arg(12'300)
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vandrel
