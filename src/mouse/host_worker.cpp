#include "mouse/host_worker.h"

#include <algorithm>
#include <utility>

#include "core/thread_name.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kSlowestPointerSpeed = 1;
constexpr std::uint8_t kFastestPointerSpeed = 20;

}  // namespace

MouseDevice::HostWorker::HostWorker(MouseState& state, PointerSettings& pointer)
    : state_(state), pointer_(pointer), thread_([this] { Run(); }) {}

MouseDevice::HostWorker::~HostWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void MouseDevice::HostWorker::RequestPointerSpeed() {
  {
    std::lock_guard lock(mutex_);
    speed_requested_ = true;
  }
  wake_.notify_one();
}

void MouseDevice::HostWorker::RequestWheelLines() {
  {
    std::lock_guard lock(mutex_);
    wheel_requested_ = true;
  }
  wake_.notify_one();
}

void MouseDevice::HostWorker::Run() {
  NameThisThread("mouse-host");
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return speed_requested_ || wheel_requested_ || stopping_; });
    const bool speed = std::exchange(speed_requested_, false);
    const bool wheel = std::exchange(wheel_requested_, false);
    if (!speed && !wheel) return;  // stopping, and nothing left to apply
    lock.unlock();                 // the desktop may take a while; requests keep coming in
    if (speed) ApplyPointerSpeed();
    if (wheel) (void)pointer_.SetWheelLines(state_.wheel_lines.load());
    lock.lock();
  }
}

void MouseDevice::HostWorker::ApplyPointerSpeed() {
  std::uint8_t requested = state_.pointer_speed.load();
  const std::uint8_t clamped = std::clamp(requested, kSlowestPointerSpeed, kFastestPointerSpeed);
  // A newer request made meanwhile keeps its own value; its own application clamps it.
  state_.pointer_speed.compare_exchange_strong(requested, clamped);
  (void)pointer_.SetPointerSpeed(clamped);
}

}  // namespace vandrel
