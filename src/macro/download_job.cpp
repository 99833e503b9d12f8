#include "macro/download_job.h"

#include <memory>
#include <utility>

namespace vandrel {

bool StartDownload(DeviceJobs& jobs, DeviceChannel& channel, DownloadSnapshot snapshot,
                   std::function<void()> key_page_written, DownloadDone done) {
  // Read by the work, then by the completion after the work has ended; changed by neither.
  const auto sent = std::make_shared<const DownloadSnapshot>(std::move(snapshot));
  return jobs.StartWithResult<DownloadResult>(
      [&channel, sent] { return SendDownload(channel, *sent); },
      [sent, key_page_written = std::move(key_page_written),
       done = std::move(done)](const DownloadResult& result) {
        if (KeyPageSent(*sent, result)) key_page_written();
        done(result);
      });
}

}  // namespace vandrel
