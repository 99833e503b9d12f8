// The download of the mouse's recoil tables: every table in one block with command 23 inside a
// configuration bracket (commands 1 and 2). Nothing is sent when there are no tables or when the
// block would not fit the mouse's recoil memory. Any thread that may use the channel; the caller
// keeps the tables unchanged meanwhile.
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

[[nodiscard]] RecoilDownloadResult DownloadRecoil(DeviceChannel& channel,
                                                  const RecoilTables& tables);

}  // namespace vandrel
