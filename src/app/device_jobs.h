// DeviceJobs: runs one device job at a time off the user-interface thread, so that a long
// exchange with a device (a download of dozens of reports, or a device that stops answering)
// never freezes the window. A job has two halves: its work, which runs on a thread of its own and
// may use only what it owns and what is safe from any thread (a DeviceChannel); and its
// completion, which runs on the user-interface thread once the main window handles
// kMessageDeviceJobDone, and does there whatever touches the pages, the states or the files.
//
// The owner must outlive everything a work uses but the work's own copies: destroying the jobs
// waits for a work still running (its channel's time-outs bound it) and drops its completion
// unrun. Works are not cut short: a device is never left inside an open configuration bracket.
// User-interface thread only.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "app/ui_thread.h"

namespace vandrel {

// Posted by a job's thread as its last act; the main window hands it to DeviceJobs::Finish.
inline constexpr int kMessageDeviceJobDone = 0x0C10;

class DeviceJobs {
 public:
  using Work = std::function<void()>;
  using Completion = std::function<void()>;
  // Told true when a job starts and false when it has ended, before its completion runs.
  using BusyListener = std::function<void(bool busy)>;

  // `ui` must outlive the jobs.
  explicit DeviceJobs(UiThread& ui) : ui_(ui) {}
  ~DeviceJobs();
  DeviceJobs(const DeviceJobs&) = delete;
  DeviceJobs& operator=(const DeviceJobs&) = delete;

  void AddBusyListener(BusyListener listener) { listeners_.push_back(std::move(listener)); }

  // Starts `work` on a thread of its own; `done` runs on this thread once the work has ended.
  // False, with nothing started, while another job has not finished.
  [[nodiscard]] bool Start(Work work, Completion done);
  // The same with a result, handed from the work to its completion.
  template <typename Result>
  [[nodiscard]] bool StartWithResult(std::function<Result()> work,
                                     std::function<void(Result)> done);

  // From Start until the job's completion is about to run.
  [[nodiscard]] bool busy() const { return busy_; }
  // Message kMessageDeviceJobDone: joins the ended work, tells the listeners and runs the
  // completion. Does nothing unless a work has ended.
  void Finish();

 private:
  UiThread& ui_;
  std::vector<BusyListener> listeners_;
  Completion done_;
  bool busy_ = false;
  std::atomic<bool> ended_{false};  // set by the work's thread just before it posts
  std::jthread worker_;             // last: joined before the members it uses go
};

template <typename Result>
bool DeviceJobs::StartWithResult(std::function<Result()> work, std::function<void(Result)> done) {
  // Written by the work, read by the completion after the join.
  auto result = std::make_shared<std::optional<Result>>();
  return Start([work = std::move(work), result] { result->emplace(work()); },
               [done = std::move(done), result] { done(std::move(**result)); });
}

}  // namespace vandrel
