// DeviceChaos: a thread that plugs the three simulated devices into the virtual bus and pulls
// them out again, over and over, as a restless user and a bad cable would. Each plug lasts a
// random time (from too short for the host to notice to long enough for its lighting to stream),
// shows one of the simulator's faults, may change to another midway, and has its buttons pressed
// on the device (slot, DPI level, lighting mode, notifications). Keyboards come as every model,
// some with odd key counts.
// Start, Stop and the destructor from one thread; Counts from any.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "core/clock.h"
#include "core/event.h"
#include "sim/virtual_bus.h"

namespace vandrel::soak {

struct ChaosCounts {
  int cycles = 0;    // plugs pulled out again
  int opened = 0;    // of them, the ones the host had open when pulled
  int vanished = 0;  // of them, the ones that had already gone in the middle of a transfer
  std::map<std::string, int> faults;  // faults shown, by kind (a plug may show several)
  int device_actions = 0;             // buttons pressed on the devices
  long long requests = 0;             // requests the devices received
  long long frames = 0;               // lighting frames they received
  std::map<sim::Violation, int> violations;
};

class DeviceChaos {
 public:
  // `bus` and `clock` must outlive the chaos.
  DeviceChaos(sim::VirtualBus& bus, Clock& clock, std::uint32_t seed);
  // Stops the thread and pulls out every device still plugged.
  ~DeviceChaos();
  DeviceChaos(const DeviceChaos&) = delete;
  DeviceChaos& operator=(const DeviceChaos&) = delete;

  void Start();
  void Stop();
  [[nodiscard]] ChaosCounts Counts() const;

 private:
  struct Plug {
    sim::DeviceFamily family;
    std::shared_ptr<sim::SimulatedDevice> device;  // null while pulled out
    Clock::Duration next_change{0};                // the next plug or pull
    Clock::Duration next_action{0};                // the next press or fault change while plugged
  };

  void Run();
  void PlugIn(Plug& plug, Clock::Duration now);
  void PullOut(Plug& plug, Clock::Duration now);
  void Act(Plug& plug, Clock::Duration now);
  void ShowFault(sim::SimulatedDevice& device);
  void Press(sim::SimulatedDevice& device);
  [[nodiscard]] Clock::Duration NextEvent() const;

  sim::VirtualBus& bus_;
  Clock& clock_;
  std::mt19937 random_;  // the chaos thread's
  std::array<Plug, 3> plugs_;
  Event stop_;
  std::thread thread_;
  mutable std::mutex mutex_;  // guards counts_
  ChaosCounts counts_;
};

}  // namespace vandrel::soak
