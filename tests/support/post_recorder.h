// PostRecorder: a user-interface thread seam that only records what is posted to it, for tests of
// code that hands messages to the user-interface thread.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "app/ui_thread.h"

namespace vandrel::testing {

using Posted = std::tuple<int, std::intptr_t, std::intptr_t>;

class PostRecorder final : public UiThread {
 public:
  void SetTarget(MessageTarget*) override {}
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override {
    posted.emplace_back(message, wparam, lparam);
  }
  bool Send(int, std::intptr_t, std::intptr_t) override { return false; }
  void StopSending() override {}
  void SetTimer(int, Clock::Duration) override {}
  void KillTimer(int) override {}

  std::vector<Posted> posted;
};

}  // namespace vandrel::testing
