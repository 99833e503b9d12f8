#include "macro/macro_download.h"

#include <vector>

#include "macro/macro_image.h"

namespace vandrel {

int SendInConfigBracket(DeviceChannel& channel, const std::function<int()>& send) {
  const int begin = channel.BeginConfig();
  const int data = begin == kChannelSuccess ? send() : begin;
  const int end = channel.EndConfig();
  return data != kChannelSuccess ? data : end;
}

DownloadResult DownloadMacrosAndKeys(DeviceChannel& channel, const MacroStore& store,
                                     std::uint8_t memory_units,
                                     const std::function<int()>& write_key_page) {
  DownloadResult result;
  if (!store.ReadCatalogue().empty()) {
    const MacroImageResult built = BuildMacroImage(store, memory_units);
    if (built.steps_over) {
      result.outcome = DownloadOutcome::kTooLong;
      result.steps_over = built.steps_over;
      return result;
    }
    result.image_bytes = built.image.size();
    result.channel_result =
        SendInConfigBracket(channel, [&] { return channel.WriteMacroData(built.image); });
    if (result.channel_result != kChannelSuccess) {
      result.outcome = DownloadOutcome::kImageFailed;
      return result;
    }
  }
  result.channel_result = write_key_page();
  if (result.channel_result != kChannelSuccess) result.outcome = DownloadOutcome::kKeyPageFailed;
  return result;
}

}  // namespace vandrel
