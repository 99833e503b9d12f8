// A key page on its way to a device: the page number and the bytes to write, copied from the
// device's state on the user-interface thread, so that the write itself needs nothing but the
// channel and may run on any thread. A page the host must not write carries the reason instead.
#pragma once

#include <cstdint>
#include <vector>

#include "device/device_channel.h"

namespace vandrel {

struct KeyPageSnapshot {
  int page = 0;
  std::vector<std::uint8_t> bytes;
  // kChannelSuccess when the page is to be written; otherwise the result the write reports
  // without sending anything (kChannelBadPage, kKeyPageNotKnown).
  int refusal = kChannelSuccess;
};

// The snapshot's bytes as page `page`, inside a configuration bracket (the device takes key pages
// only there); the result of the page write, or the refusal with nothing sent. Any thread.
[[nodiscard]] int WriteKeyPageSnapshot(DeviceChannel& channel, const KeyPageSnapshot& snapshot);

}  // namespace vandrel
