// Posting to Qt's event queue from any thread in a way ThreadSanitizer can follow. Qt's queue
// has a lock of its own, but Debian's Qt is not built for ThreadSanitizer, which cannot see
// that lock: it would report two threads posting at once, and the receiver reading what the
// poster wrote, as data races. So every post made by this program's code holds `QtPostLock`,
// and the receiving side takes it once before it reads what was posted.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <mutex>
#include <utility>

namespace vandrel {

[[nodiscard]] inline std::mutex& QtPostLock() {
  static std::mutex lock;
  return lock;
}

// Called by the receiver before it reads a posted event's data.
inline void SeePostedData() { const std::lock_guard lock(QtPostLock()); }

// Runs `call` later on the thread of `receiver`, from any thread.
template <typename Call>
void PostCall(QObject* receiver, Call call) {
  const std::lock_guard lock(QtPostLock());
  QMetaObject::invokeMethod(
      receiver,
      [call = std::move(call)]() mutable {
        SeePostedData();
        call();
      },
      Qt::QueuedConnection);
}

}  // namespace vandrel
