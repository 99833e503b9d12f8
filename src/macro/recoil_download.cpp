#include "macro/recoil_download.h"

#include "macro/macro_download.h"

namespace vandrel {

RecoilDownloadResult SendRecoilBlock(DeviceChannel& channel, const RecoilBlockResult& built) {
  RecoilDownloadResult result;
  result.length = built.length;
  if (built.too_long) {
    result.outcome = RecoilDownloadOutcome::kTooLong;
  } else if (built.block.empty()) {
    result.outcome = RecoilDownloadOutcome::kNoTables;
  } else {
    result.channel_result =
        SendInConfigBracket(channel, [&] { return channel.WriteRecoilData(built.block); });
    if (result.channel_result != kChannelSuccess) result.outcome = RecoilDownloadOutcome::kFailed;
  }
  return result;
}

}  // namespace vandrel
