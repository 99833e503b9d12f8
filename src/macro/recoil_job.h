// The download of the recoil tables as a device job: the block is built from the files on the
// user-interface thread, only its bytes go out on the job's thread, and the page hears the
// outcome on the user-interface thread afterwards.
#pragma once

#include <functional>

#include "app/device_jobs.h"
#include "macro/recoil_download.h"

namespace vandrel {

using RecoilDone = std::function<void(const RecoilDownloadResult& result)>;
// How the recoil page starts a download: builds the block, starts the job and returns true, or
// returns false with nothing started while another job runs. User-interface thread.
using RecoilDownloadStarter = std::function<bool(RecoilDone done)>;

// Sends `built` through `channel` (which must outlive `jobs`) as a job of `jobs`, then calls
// `done` with the result on the user-interface thread; a block that is not to be sent (too long,
// no tables) ends the job at once with that outcome. False, with nothing started, while another
// job runs. User-interface thread.
[[nodiscard]] bool StartRecoilDownload(DeviceJobs& jobs, DeviceChannel& channel,
                                       RecoilBlockResult built, RecoilDone done);

}  // namespace vandrel
