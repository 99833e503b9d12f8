#include "macro/macro_download.h"

#include <utility>
#include <vector>

namespace vandrel {
int SendInConfigBracket(DeviceChannel& channel, const std::function<int()>& send) {
  const int begin = channel.BeginConfig();
  const int data = begin == kChannelSuccess ? send() : begin;
  const int end = channel.EndConfig();
  return data != kChannelSuccess ? data : end;
}

namespace {

// The image, when there is one, then the key page, unless the image failed.
[[nodiscard]] DownloadResult SendMacrosAndKeys(DeviceChannel& channel,
                                               const std::optional<MacroImageResult>& macros,
                                               const std::function<int()>& write_key_page) {
  DownloadResult result;
  if (macros) {
    if (macros->steps_over) {
      result.outcome = DownloadOutcome::kTooLong;
      result.steps_over = macros->steps_over;
      return result;
    }
    result.image_bytes = macros->image.size();
    result.channel_result =
        SendInConfigBracket(channel, [&] { return channel.WriteMacroData(macros->image); });
    if (result.channel_result != kChannelSuccess) {
      result.outcome = DownloadOutcome::kImageFailed;
      return result;
    }
  }
  result.channel_result = write_key_page();
  if (result.channel_result != kChannelSuccess) result.outcome = DownloadOutcome::kKeyPageFailed;
  return result;
}

[[nodiscard]] std::optional<MacroImageResult> TakeMacroImage(const MacroStore& store,
                                                             std::uint8_t memory_units) {
  if (store.ReadCatalogue().empty()) return std::nullopt;
  return BuildMacroImage(store, memory_units);
}

}  // namespace

DownloadResult DownloadMacrosAndKeys(DeviceChannel& channel, const MacroStore& store,
                                     std::uint8_t memory_units,
                                     const std::function<int()>& write_key_page) {
  return SendMacrosAndKeys(channel, TakeMacroImage(store, memory_units), write_key_page);
}

DownloadSnapshot TakeDownloadSnapshot(const MacroStore& store, std::uint8_t memory_units,
                                      KeyPageSnapshot key_page) {
  return {TakeMacroImage(store, memory_units), std::move(key_page)};
}

DownloadResult SendDownload(DeviceChannel& channel, const DownloadSnapshot& snapshot) {
  return SendMacrosAndKeys(channel, snapshot.macros,
                           [&] { return WriteKeyPageSnapshot(channel, snapshot.key_page); });
}

bool KeyPageSent(const DownloadSnapshot& snapshot, const DownloadResult& result) {
  const bool reached =
      result.outcome == DownloadOutcome::kDone || result.outcome == DownloadOutcome::kKeyPageFailed;
  return reached && snapshot.key_page.refusal == kChannelSuccess;
}

}  // namespace vandrel
