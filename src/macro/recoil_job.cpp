#include "macro/recoil_job.h"

#include <utility>

namespace vandrel {

bool StartRecoilDownload(DeviceJobs& jobs, DeviceChannel& channel, RecoilBlockResult built,
                         RecoilDone done) {
  // The work owns its block: the files may change while it is being sent.
  return jobs.StartWithResult<RecoilDownloadResult>(
      [&channel, built = std::move(built)] { return SendRecoilBlock(channel, built); },
      std::move(done));
}

}  // namespace vandrel
