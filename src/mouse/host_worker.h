// The host-settings worker of MouseDevice: one background thread that applies the pointer speed
// and the wheel lines to the desktop, so that a slow desktop tool never holds up the
// user-interface thread. Requests only raise a flag; the worker applies the values MouseState
// holds when it gets to them, so the latest request wins and a burst costs one application.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "mouse/mouse_device.h"

namespace vandrel {

class MouseDevice::HostWorker {
 public:
  // Starts the thread. `state` and `pointer` must outlive the worker.
  HostWorker(MouseState& state, PointerSettings& pointer);
  // Applies what is still requested, then ends the thread.
  ~HostWorker();
  HostWorker(const HostWorker&) = delete;
  HostWorker& operator=(const HostWorker&) = delete;

  // Any thread; they never wait for the desktop.
  void RequestPointerSpeed();
  void RequestWheelLines();

 private:
  void Run();
  // Clamps pointer_speed to 1-20, stores the clamped value back and applies it.
  void ApplyPointerSpeed();

  MouseState& state_;
  PointerSettings& pointer_;
  std::mutex mutex_;  // guards the three flags below
  std::condition_variable wake_;
  bool speed_requested_ = false;
  bool wheel_requested_ = false;
  bool stopping_ = false;
  std::thread thread_;  // started last, once every member above exists
};

}  // namespace vandrel
