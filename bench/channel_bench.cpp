// The command channel against the simulator: exchanges per second and the host's CPU time per
// exchange with instant replies, and the time to send a 378-byte keyboard frame (7 chunks), with
// instant replies and with USB-like timing (about 1 ms per report).
#include <benchmark/benchmark.h>

#include <vector>

#include "device/device_channel.h"
#include "device/headless_window_link.h"
#include "device/presence_monitor.h"
#include "device/product_ids.h"
#include "sim/virtual_bus.h"

namespace vandrel {
namespace {

// A per-key keyboard on the simulator, connected to its channel as the monitor connects it.
struct ConnectedKeyboard {
  explicit ConnectedKeyboard(bool usb_timing) {
    device = bus.Plug(kPerKeyKeyboardProductId);
    device->SetFaults({.usb_timing = usb_timing});
    keyboard.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
    PresenceMonitor monitor(DeviceKind::kKeyboard, {keyboard, mouse, pad}, window, clock);
    (void)monitor.PollOnce();
  }

  SteadyClock clock;
  sim::VirtualBus bus{clock};
  DeviceChannel keyboard{bus, clock};
  DeviceChannel mouse{bus, clock};
  DeviceChannel pad{bus, clock};
  HeadlessWindowLink window;
  std::shared_ptr<sim::SimulatedDevice> device;
};

void BM_Exchange(benchmark::State& state) {
  ConnectedKeyboard link(false);
  const CommandReport request = BuildRequest(Command::kReadBlock, 1);
  CommandReport reply{};
  for (auto _ : state) {
    if (link.keyboard.Exchange(request, reply, nullptr) != 1) state.SkipWithError("no reply");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Exchange)->MeasureProcessCPUTime()->UseRealTime();

// Each frame differs from the one before: the channel does not send again a frame the keyboard
// shows already.
void BM_KeyboardFrame(benchmark::State& state) {
  ConnectedKeyboard link(state.range(0) != 0);
  std::vector<std::uint8_t> frame(378, 0x30);
  for (auto _ : state) {
    ++frame.back();
    if (link.keyboard.SendLightingFrame(frame) != 1) state.SkipWithError("frame refused");
  }
  state.counters["exchanges"] = benchmark::Counter(7.0 * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_KeyboardFrame)
    ->ArgName("usb_timing")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vandrel
