// HookReceivers: who takes each message of the input capture (app/input_capture.h). The pages
// that capture a key or record a macro register for their message; a message nobody registered
// for is dropped. The messages that name themselves are traced as they arrive.
// User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace vandrel {

class HookReceivers {
 public:
  using Receiver = std::function<void(std::intptr_t wparam, std::intptr_t lparam)>;

  // `receiver` takes `message` from now on, in place of any earlier one; an empty one removes it.
  void Set(int message, Receiver receiver);
  // Hands the message to its receiver; false when there is none.
  bool Deliver(int message, std::intptr_t wparam, std::intptr_t lparam) const;

 private:
  std::map<int, Receiver> receivers_;
};

}  // namespace vandrel
