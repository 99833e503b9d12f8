// A main window on the real skin, with its desktop, dialogs, settings store and user-interface
// loop faked, its time on an auto-advancing manual clock and its devices on a simulated bus. The
// worker threads are not started unless a test gives them bodies: tests run a monitor's poll
// themselves, on the test thread.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/data_folders.h"
#include "app/main_window.h"
#include "app/window_messages.h"
#include "core/manual_clock.h"
#include "fake_user_folders.h"
#include "sim/virtual_bus.h"
#include "support/deadline.h"
#include "support/fake_dialogs.h"
#include "support/fake_window_host.h"
#include "support/manual_ui_loop.h"
#include "support/temp_dir.h"

namespace vandrel::testing {

class MemorySettingsStore final : public SettingsStore {
 public:
  explicit MemorySettingsStore(bool exists = true) : exists_(exists) {}
  [[nodiscard]] std::optional<std::string> ReadValue(std::string_view name) const override {
    const auto found = values_.find(std::string(name));
    if (!exists_ || found == values_.end()) return std::nullopt;
    return found->second;
  }
  [[nodiscard]] bool WriteValue(std::string_view name, std::string_view value) override {
    if (exists_) values_[std::string(name)] = value;
    return exists_;
  }

 private:
  bool exists_;
  std::map<std::string, std::string> values_;
};

// A device part that records the hub's calls as "kb apply", "ms read" …
class RecordingPart final : public DevicePart {
 public:
  RecordingPart(std::string tag, std::vector<std::string>& log) : tag_(std::move(tag)), log_(log) {}
  void ApplyPending() override { log_.push_back(tag_ + " apply"); }
  void SelectStoredProfile() override { log_.push_back(tag_ + " profile"); }
  void ReadAndRefresh() override { log_.push_back(tag_ + " read"); }
  void RereadLighting() override { log_.push_back(tag_ + " lighting"); }
  void RereadActiveSlot() override { log_.push_back(tag_ + " slot"); }
  Clock::Duration FrameStep(bool window_shown) override {
    log_.push_back(tag_ + " frame");
    seen_ = window_shown;
    return next_step_;
  }
  // What the next frame steps answer.
  void set_next_step(Clock::Duration next) { next_step_ = next; }
  // Whether the last frame step was told that its preview can be seen.
  [[nodiscard]] bool seen() const { return seen_; }

 private:
  std::string tag_;
  std::vector<std::string>& log_;
  Clock::Duration next_step_ = std::chrono::milliseconds(10);
  bool seen_ = false;
};

class HubTest : public ::testing::Test {
 protected:
  explicit HubTest(bool has_tray = true, bool store_exists = true)
      : host_(has_tray), settings_(store_exists) {}

  // Builds the window and the hub; the test may set main.ini or the store first.
  void Create() {
    skin_.emplace(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
    ASSERT_TRUE(skin_->LoadIndex());
    window_ = BuildWindow(*skin_, "XML_MAIN", std::make_shared<TextResources>());
    ASSERT_NE(window_, nullptr);
    hub_ = std::make_unique<CMainWnd>(MainWindowServices{
        *window_, *skin_, loop_, host_, dialogs_, clock_, bus_, folders_, settings_, observer_});
    for (const WorkerSlot slot :
         {WorkerSlot::kKeyboardMonitor, WorkerSlot::kMouseMonitor, WorkerSlot::kPadMonitor,
          WorkerSlot::kMouseListener, WorkerSlot::kKeyboardListener}) {
      hub_->threads().SetBody(slot, nullptr);
    }
    hub_->SetDevicePart(DeviceKind::kKeyboard, keyboard_);
    hub_->SetDevicePart(DeviceKind::kMouse, mouse_);
    hub_->SetDevicePart(DeviceKind::kPad, pad_);
  }

  // Parts and recorders of the tests must outlive the window.
  void TearDown() override { hub_.reset(); }

  void Start() {
    Create();
    hub_->InitWindow();
    window_->RaiseWindowInit();
  }

  Control& Find(std::string_view name) {
    Control* control = window_->Find(name);
    EXPECT_NE(control, nullptr) << name;
    return control != nullptr ? *control : window_->Root();
  }
  std::vector<std::string> Log() { return std::exchange(log_, {}); }
  // Runs the window's messages until the device job running has finished, completion included;
  // false when its message did not come within the deadline.
  [[nodiscard]] bool AwaitDeviceJob() {
    while (hub_->jobs().busy()) {
      if (!loop_.AwaitMessage(kWaitDeadline)) return false;
      loop_.RunPending();
    }
    return true;
  }
  std::string MainIniText() { return ReadFile(folders_.GetDataFolder() + "main.ini"); }

  TempDir temp_;
  FakeUserFolders user_folders_{temp_.path()};
  DataFolders folders_{user_folders_};
  MainIni main_ini_{folders_};
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  ManualClock bus_clock_{ManualClock::Mode::kAutoAdvance};
  sim::VirtualBus bus_{bus_clock_};
  ManualUiLoop loop_{clock_};
  FakeWindowHost host_;
  FakeDialogs dialogs_;
  MemorySettingsStore settings_;
  SkinObserver observer_;
  std::optional<Skin> skin_;
  std::unique_ptr<WindowModel> window_;
  std::vector<std::string> log_;
  RecordingPart keyboard_{"kb", log_};
  RecordingPart mouse_{"ms", log_};
  RecordingPart pad_{"mp", log_};
  std::unique_ptr<CMainWnd> hub_;
};

}  // namespace vandrel::testing
