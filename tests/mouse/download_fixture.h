// The mouse's components in a main window on the real skin, attached to a simulated mouse whose
// every report from then on is traced, as the program runs its downloads: device jobs behind the
// busy indicator.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/hub_fixture.h"
#include "device/product_ids.h"
#include "device/trace_reader.h"
#include "mouse/mouse_components.h"
#include "support/fake_input_capture.h"
#include "support/page_fakes.h"

namespace vandrel::testing {

inline constexpr int kBeginConfig = 1, kEndConfig = 2;
inline constexpr std::string_view kRecoilDownload = "ms_bulletdate_save_btn";
inline constexpr std::string_view kButtonsDownload = "ms_key_butt_prosave";

class NoPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int) override { return true; }
  bool SetWheelLines(int) override { return true; }
  std::optional<int> PointerSpeed() override { return std::nullopt; }
  std::optional<int> WheelLines() override { return std::nullopt; }
};

// `command`'s chunks of a `size`-byte write from `base`, inside a configuration bracket.
inline std::vector<TracedRequest> Bracketed(int command, int size, int base = 0) {
  std::vector<TracedRequest> requests = {{kBeginConfig, 0, 0}};
  for (int done = 0; done < size; done += 56) {
    requests.push_back({command, std::min(56, size - done), base + done});
  }
  requests.push_back({kEndConfig, 0, 0});
  return requests;
}

class MouseDownloadTest : public HubTest {
 protected:
  // The program folder (the macro folder here) must hold the default recoil tables first.
  void Attach() {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    mouse_ = std::make_unique<MouseComponents>(*hub_, *window_, dialogs_, pointer_, profiles_,
                                               *same_mode_);
    mouse_->ConnectMacros(store_, capture_, macro_folder_.path());
    hub_->InitWindow();
    window_->RaiseWindowInit();
    device_ = bus_.Plug(kMouseProductId);
    PresenceMonitor monitor(DeviceKind::kMouse, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(std::chrono::milliseconds(1000));  // the attach timer
    loop_.RunFor(std::chrono::milliseconds(1000));  // the live apply of the refresh
    profiles_.saves.clear();
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
  }
  void TearDown() override {
    // As the program ends: the mouse's parts first, then the hub with the jobs.
    mouse_.reset();
    hub_.reset();
  }

  std::vector<TracedRequest> Requests() { return TracedRequests(temp_.path() / "trace.txt"); }

  // Both tabs' download buttons and the busy indicator while a download runs (buttons disabled,
  // indicator shown without its hide timer) or once it has ended (enabled, hide timer set).
  void ExpectDownloading(bool running) {
    for (const std::string_view button : {kRecoilDownload, kButtonsDownload}) {
      EXPECT_EQ(Find(button).IsEnabled(), !running) << button;
    }
    EXPECT_TRUE(!running || Find("setting_progress").IsVisible());
    EXPECT_EQ(loop_.TimerPeriod(kTimerHideProgress).has_value(), !running);
  }
  // Clicks `button` on a fresh trace, runs `meanwhile` while the download runs, and waits for its
  // end: the texts told then, none before. Nullopt when it did not end within the deadline.
  std::optional<std::vector<std::string>> RunDownload(std::string_view button,
                                                      const std::function<void()>& meanwhile = {}) {
    EXPECT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
    const std::size_t before = dialogs_.Texts().size();
    Find(button).Click();
    ExpectDownloading(true);
    if (meanwhile) meanwhile();
    EXPECT_EQ(dialogs_.Texts().size(), before) << "told before the download's end";
    if (!AwaitDeviceJob()) return std::nullopt;
    ExpectDownloading(false);
    const std::vector<std::string> texts = dialogs_.Texts();
    return std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(before),
                                    texts.end());
  }

  NoPointerSettings pointer_;
  RecordingProfileSaver profiles_;  // not thread-safe: a save off this thread is a race
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<MouseComponents> mouse_;
  std::shared_ptr<sim::SimulatedDevice> device_;
  TempDir macro_folder_;
  MacroStore store_{DeviceKind::kMouse, macro_folder_.path()};
  FakeInputCapture capture_{loop_};
};

}  // namespace vandrel::testing
