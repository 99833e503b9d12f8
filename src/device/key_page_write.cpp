#include "device/key_page_write.h"

namespace vandrel {

int WriteKeyPageSnapshot(DeviceChannel& channel, const KeyPageSnapshot& snapshot) {
  if (snapshot.refusal != kChannelSuccess) return snapshot.refusal;
  channel.BeginConfig();
  const int result = channel.WriteProfilePage(snapshot.bytes, snapshot.page, snapshot.bytes.size());
  channel.EndConfig();
  return result;
}

}  // namespace vandrel
