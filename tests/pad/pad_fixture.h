// The mouse pad on the virtual bus, connected to its channel with every report traced, and a
// PadDevice on it whose profile saver is the test's; PadPageTest adds the main window built from
// the shipped skin with the pad's lighting page on it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "device/channel_fixture.h"
#include "device/product_ids.h"
#include "pad/pad_device.h"
#include "pad/pad_lighting_page.h"
#include "support/page_fakes.h"
#include "ui/skin.h"

namespace vandrel::testing {

class PadFixture : public ChannelFixture {
 protected:
  void TearDown() override { ExpectNoViolations(); }

  PadFixture() { Connect(kPadProductId, DeviceKind::kPad); }

  std::vector<std::vector<std::uint8_t>> Payloads(int command) const {
    return TracedPayloads(trace_dir_.path() / "trace.txt", command);
  }
  // Forgets the traffic so far.
  void ClearTrace() { ASSERT_TRUE(bus_.SetTraceFile(trace_dir_.path() / "trace.txt")); }
  // What the lighting threads would render from now.
  LightingBlock Published() const { return state_.animation.lighting.Load(); }

  PadState state_;
  RecordingProfileSaver profiles_;
  PadDevice pad_device_{pad_, state_, profiles_};
};

class PadPageTest : public PadFixture {
 protected:
  PadPageTest() {
    EXPECT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, "XML_MAIN", std::make_shared<TextResources>());
    if (window_ == nullptr) std::abort();
    page_ = std::make_unique<PadLightingPage>(*window_, pad_device_, sync_, [this] { ++rereads_; });
    // The main window's router sends the "mp_deng_" family (in any case) and the reset button to
    // the lighting page.
    window_->SetNotifyHandler([this](const Notification& notification) {
      std::string name = notification.sender->Name();
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (name.starts_with("mp_deng_") || name == "mp_one_profile_default") {
        page_->Handle(notification);
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
  LightingBlock& Live() { return state_.live.lighting; }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::unique_ptr<WindowModel> window_;
  FakeLightingSync sync_;
  int rereads_ = 0;
  std::unique_ptr<PadLightingPage> page_;
};

}  // namespace vandrel::testing
