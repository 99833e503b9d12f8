// The download of the mouse's recoil tables: every table in one block with command 23 inside a
// configuration bracket (commands 1 and 2). The block is built from the files first
// (BuildRecoilBlock, on the thread that may change them); sending it needs only the channel.
// Nothing is sent when there are no tables or when the block would not fit the mouse's recoil
// memory.
#pragma once

#include <cstddef>

#include "device/device_channel.h"
#include "macro/recoil_tables.h"

namespace vandrel {

enum class RecoilDownloadOutcome {
  kDone,
  kNoTables,  // the catalogue lists no table: nothing sent
  kTooLong,   // the block exceeds kRecoilBlockLimit: nothing sent
  kFailed,    // the device did not take the block (see channel_result)
};

struct RecoilDownloadResult {
  RecoilDownloadOutcome outcome = RecoilDownloadOutcome::kDone;
  std::size_t length = 0;  // the block's total length
  int channel_result = kChannelSuccess;
};

// Sends `built` to the mouse behind `channel`. Any thread that may use the channel.
[[nodiscard]] RecoilDownloadResult SendRecoilBlock(DeviceChannel& channel,
                                                   const RecoilBlockResult& built);

}  // namespace vandrel
