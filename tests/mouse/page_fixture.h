// The mouse pages on the main window built from the shipped skin, a MouseDevice on a simulated
// mouse whose every report is traced, and fakes of the palette, the lighting sync, the profiles
// and the desktop's pointer settings.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/manual_clock.h"
#include "device/device_channel.h"
#include "device/product_ids.h"
#include "device/trace_reader.h"
#include "mouse/lighting_page.h"
#include "mouse/performance_page.h"
#include "sim/virtual_bus.h"
#include "support/fake_dialogs.h"
#include "support/page_fakes.h"
#include "support/temp_dir.h"
#include "ui/skin.h"

namespace vandrel::testing {

// Written by the mouse's host-settings worker, read by the test once the device is gone.
class FakePointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int speed) override {
    pointer_speed = speed;
    return true;
  }
  bool SetWheelLines(int lines) override {
    wheel_lines = lines;
    return true;
  }
  std::optional<int> PointerSpeed() override { return pointer_speed.load(); }
  std::optional<int> WheelLines() override { return wheel_lines.load(); }

  std::atomic<int> pointer_speed{0};
  std::atomic<int> wheel_lines{0};
};

class MousePageTest : public ::testing::Test {
 protected:
  MousePageTest() {
    EXPECT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, "XML_MAIN", std::make_shared<TextResources>());
    if (window_ == nullptr) std::abort();
    EXPECT_TRUE(bus_.SetTraceFile(trace_dir_.path() / "trace.txt"));
    sim_mouse_ = bus_.Plug(kMouseProductId);
    ConnectChannel();
    mouse_ =
        std::make_unique<MouseDevice>(channel_, state_, pointer_, profiles_, [] { return true; });
    performance_.emplace(*window_, *mouse_, dialogs_, profiles_);
    lighting_.emplace(*window_, *mouse_, sync_);
    window_->SetNotifyHandler([this](const Notification& notification) {
      // The main window's router sends the "ms_deng_" family (in any case) to the lighting page.
      std::string prefix = notification.sender->Name().substr(0, 8);
      for (char& c : prefix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (prefix == "ms_deng_") {
        lighting_->Handle(notification);
      } else {
        performance_->Handle(notification);
      }
    });
  }

  Control& C(std::string_view name) {
    Control* control = window_->Find(name);
    if (control == nullptr) {
      ADD_FAILURE() << "no control " << name;
      std::abort();
    }
    return *control;
  }
  MouseSettings& Live() { return state_.live; }
  std::array<std::uint8_t, MouseSettings::kSize> LiveBytes() const { return Encode(state_.live); }
  // The live applies (command 6 with 56 bytes) the simulated mouse has received.
  std::size_t LiveApplies() const {
    std::size_t count = 0;
    for (const TracedRequest& request : TracedRequests(trace_dir_.path() / "trace.txt")) {
      if (request.command == 6 && request.length == 56) ++count;
    }
    return count;
  }
  std::size_t RequestsWithCommand(int command) const {
    return WithCommand(TracedRequests(trace_dir_.path() / "trace.txt"), command).size();
  }
  // Ends the device, and with it its host-settings worker.
  void StopMouse() {
    lighting_.reset();
    performance_.reset();
    mouse_.reset();
  }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::unique_ptr<WindowModel> window_;
  TempDir trace_dir_;
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  sim::VirtualBus bus_{clock_};
  std::shared_ptr<sim::SimulatedDevice> sim_mouse_;
  DeviceChannel channel_{bus_, clock_};
  MouseState state_;
  FakePointerSettings pointer_;
  RecordingProfileSaver profiles_;
  FakeDialogs dialogs_;
  FakeLightingSync sync_;
  std::unique_ptr<MouseDevice> mouse_;
  std::optional<MousePerformancePage> performance_;
  std::optional<MouseLightingPage> lighting_;

 private:
  // Opens the mouse's vendor collection, as the presence monitor does.
  void ConnectChannel() {
    HidDevice& device = channel_.device();
    ASSERT_EQ(device.EnumeratePaths(), 1);
    for (const HidInterfaceInfo& info : device.path_list()) {
      if (info.usage_page != kVendorUsagePage) continue;
      device.SetOpenFlags({.read = true, .write = true, .exclusive = false});
      device.SetDevicePath(info.path, info.collection_number);
      ASSERT_EQ(device.Open(), 1);
      channel_.set_connected(true);
    }
    device.FreePathList();
    ASSERT_TRUE(channel_.connected());
  }
};

}  // namespace vandrel::testing
