#include "ui/skin_observer.h"

#include <vector>

#include "ui/window_model.h"

namespace vandrel {

int SkinObserver::AddReceiver(SkinReceiver& receiver) {
  std::lock_guard lock(mutex_);
  receivers_[next_number_] = &receiver;
  return next_number_++;
}

void SkinObserver::RemoveReceiver(int number) {
  std::lock_guard lock(mutex_);
  receivers_.erase(number);
}

void SkinObserver::Broadcast(const SkinChangedParam& param) {
  std::vector<SkinReceiver*> receivers;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [number, receiver] : receivers_) receivers.push_back(receiver);
  }
  for (SkinReceiver* receiver : receivers) (void)receiver->Receive(param);
}

int SkinObserver::ReceiverCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(receivers_.size());
}

SkinObserver& GetSkinObserver() {
  static SkinObserver observer;
  return observer;
}

void ApplySkinToRoot(WindowModel& window, const SkinChangedParam& param) {
  Control& root = window.Root();
  if (param.is_colour) {
    root.SetBackgroundColour(param.colour);
    root.SetBackgroundImage("");
    return;
  }
  root.SetBackgroundColour(0);
  root.SetBackgroundImage(param.image);
}

}  // namespace vandrel
