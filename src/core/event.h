// Event: a flag that threads set and wait on, used as the worker threads' stop events and the
// device reads' cancel events. A manual-reset event stays set until reset; an auto-reset event is
// consumed by the one waiter it releases. Every member may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace vandrel {

enum class EventReset { kManual, kAuto };

class Event {
 public:
  // Told whenever the event is set, so that a clock can wait on the event and on its own time at
  // once. OnEventSet runs with the event's lock held: it must not call back into the event.
  class Listener {
   public:
    virtual void OnEventSet() = 0;

   protected:
    ~Listener() = default;
  };

  explicit Event(EventReset reset = EventReset::kManual, bool initially_set = false);
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  // Whether the event is set, without consuming it.
  [[nodiscard]] bool IsSet() const;
  // Consumes the event if it is set (auto-reset) and says whether it was; never waits.
  [[nodiscard]] bool TryWait();
  // Waits until the event is set or `timeout` has passed; true when it was set.
  [[nodiscard]] bool Wait(std::chrono::microseconds timeout);
  // Waits until the event is set.
  void Wait();

  void AddListener(Listener* listener);
  void RemoveListener(Listener* listener);

 private:
  bool ConsumeLocked();

  const EventReset reset_;
  mutable std::mutex mutex_;  // guards signalled_ and listeners_
  std::condition_variable set_;
  bool signalled_;
  std::vector<Listener*> listeners_;
};

}  // namespace vandrel
