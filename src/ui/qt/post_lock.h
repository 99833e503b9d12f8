// The lock held around every post to Qt's event queue made by this program's code, from any
// thread. Qt's queue has a lock of its own, but Debian's Qt is not built for ThreadSanitizer,
// which cannot see that lock and would report two threads posting at once as a data race.
#pragma once

#include <mutex>

namespace vandrel {

[[nodiscard]] inline std::mutex& QtPostLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace vandrel
