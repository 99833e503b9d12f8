// The download of a device's macros and key page: the macro image of its library into the macro
// memory, then the key page that binds buttons or keys to macros by number. The image goes first
// so that a binding never points at a macro the device does not hold yet; when the image does not
// fit nothing is sent, and when it does not arrive whole the key page is not written.
// DownloadMacrosAndKeys: any thread that may use the channel, the caller keeping the library
// unchanged meanwhile; the halves below say their own threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "device/device_channel.h"
#include "device/key_page_write.h"
#include "macro/macro_image.h"
#include "macro/macro_store.h"

namespace vandrel {

enum class DownloadOutcome {
  kDone,           // the image (when there were macros) and the key page were taken
  kTooLong,        // the image does not fit the macro memory: nothing sent
  kImageFailed,    // the macro image was not taken: the key page was not written
  kKeyPageFailed,  // the image was taken, the key page was not
};

struct DownloadResult {
  DownloadOutcome outcome = DownloadOutcome::kDone;
  std::size_t image_bytes = 0;           // the image's length, 0 when there were no macros to send
  std::optional<int> steps_over;         // kTooLong: the steps to remove, as the user is told
  int channel_result = kChannelSuccess;  // the failing command's result, or the key page write's
};

// Runs `send` (a data write returning a channel result) inside a configuration bracket, and
// not at all when the bracket cannot be opened, since the device may drop data outside one. The
// first result that is not a success, else that of the closing command.
[[nodiscard]] int SendInConfigBracket(DeviceChannel& channel, const std::function<int()>& send);

// Writes `store`'s macros to a device with `memory_units` × 128 bytes of macro memory (a
// configuration bracket around the image), then calls `write_key_page` (the device's own key page
// write, with its own bracket), which returns a channel result.
[[nodiscard]] DownloadResult DownloadMacrosAndKeys(DeviceChannel& channel, const MacroStore& store,
                                                   std::uint8_t memory_units,
                                                   const std::function<int()>& write_key_page);

// The same download in two halves, for a download on another thread: everything it sends, taken
// on the thread that may change the library and the device's state; then the sending, which
// needs only the channel.
struct DownloadSnapshot {
  std::optional<MacroImageResult> macros;  // nullopt when the library holds no macro
  KeyPageSnapshot key_page;
};
[[nodiscard]] DownloadSnapshot TakeDownloadSnapshot(const MacroStore& store,
                                                    std::uint8_t memory_units,
                                                    KeyPageSnapshot key_page);
// Any thread.
[[nodiscard]] DownloadResult SendDownload(DeviceChannel& channel, const DownloadSnapshot& snapshot);
// Whether the download sent the key page, so that what follows a key page write is due.
[[nodiscard]] bool KeyPageSent(const DownloadSnapshot& snapshot, const DownloadResult& result);

}  // namespace vandrel
