// The download of macros and a key page as a device job: the bytes go out on the job's thread,
// and what follows the key page write (the profile files) and the page's report run on the
// user-interface thread afterwards.
#pragma once

#include <functional>

#include "app/device_jobs.h"
#include "macro/macro_download.h"

namespace vandrel {

using DownloadDone = std::function<void(const DownloadResult& result)>;
// How a page starts its device's download: takes the snapshot, starts the job and returns true,
// or returns false with nothing started while another job runs. User-interface thread.
using DownloadStarter = std::function<bool(DownloadDone done)>;

// Sends `snapshot` through `channel` (which must outlive `jobs`) as a job of `jobs`; then, on the
// user-interface thread, `key_page_written` when the key page went out and `done` with the
// result. False, with nothing started, while another job runs. User-interface thread.
[[nodiscard]] bool StartDownload(DeviceJobs& jobs, DeviceChannel& channel,
                                 DownloadSnapshot snapshot, std::function<void()> key_page_written,
                                 DownloadDone done);

}  // namespace vandrel
