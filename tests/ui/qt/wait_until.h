// Runs the event loop until a condition holds, with a deadline generous enough for a loaded
// machine: the tests wait for things to happen, they never measure how long they took.
#pragma once

#include <QTest>
#include <chrono>
#include <functional>

namespace vandrel::testing {

inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QTest::qWait(5);
  }
  return true;
}

}  // namespace vandrel::testing
