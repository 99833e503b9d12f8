#include "app/device_jobs.h"

#include "core/thread_name.h"

namespace vandrel {

DeviceJobs::~DeviceJobs() {
  if (worker_.joinable()) worker_.join();
}

bool DeviceJobs::Start(Work work, Completion done) {
  if (busy_) return false;
  busy_ = true;
  ended_ = false;
  done_ = std::move(done);
  for (const BusyListener& listener : listeners_) listener(true);
  worker_ = std::jthread([this, work = std::move(work)] {
    NameThisThread("device-job");
    work();
    ended_ = true;
    ui_.Post(kMessageDeviceJobDone);
  });
  return true;
}

void DeviceJobs::Finish() {
  if (!busy_ || !ended_) return;
  worker_.join();
  busy_ = false;
  // Taken out first: the completion may start the next job.
  const Completion done = std::exchange(done_, nullptr);
  for (const BusyListener& listener : listeners_) listener(false);
  if (done) done();
}

}  // namespace vandrel
