// The profile rows on the main window built from the shipped skin, routed as the main window
// routes them, over the real catalogues and profile files in a temporary data folder (with the
// factory default files in its program folder) and the three devices on a simulated bus whose
// every report is traced. The devices have been read and their stored profiles restored, as the
// attach handlers do.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folders.h"
#include "app/fake_user_folders.h"
#include "app/routing.h"
#include "core/manual_clock.h"
#include "device/channel_fixture.h"
#include "factory_defaults.h"
#include "mouse/page_fixture.h"
#include "profile/profile_page.h"
#include "support/fake_dialogs.h"
#include "ui/skin.h"

namespace vandrel::testing {

class ProfilePageTest : public ChannelFixture {
 protected:
  ProfilePageTest() {
    std::filesystem::create_directories(folders_.GetProgramFolder());
    EXPECT_FALSE(WriteFactoryDefaults(folders_.GetProgramFolder()).empty());
    EXPECT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, "XML_MAIN", std::make_shared<TextResources>());
    if (window_ == nullptr) std::abort();
    sim_keyboard_ = (Connect(kKeyboardProductId, DeviceKind::kKeyboard), device_);
    sim_mouse_ = (Connect(kMouseProductId, DeviceKind::kMouse), device_);
    sim_pad_ = (Connect(kPadProductId, DeviceKind::kPad), device_);
    profiles_.emplace(
        folders_, writer_,
        ProfileDevices{
            mouse_device_, keyboard_device_, pad_device_, [this] { return keyboard_model_; },
            [this](std::string_view id) { (void)dialogs_.ShowMessage(window_.get(), id, true); }});
    page_.emplace(
        *window_, dialogs_, *profiles_, writer_, [this] { return keyboard_model_; },
        [this](DeviceKind device) { refreshed_.push_back(device); });
    window_->SetNotifyHandler([this](const Notification& notification) {
      if (RouteOf(notification.sender->Name(), notification.type) == Page::kProfiles) {
        (void)page_->Handle(notification);
      }
    });
    // The desktop's pointer speed and wheel lines are those of the mouse's default files: a
    // device profile takes the desktop's, so that one loaded reads back as its file holds it.
    const std::vector<std::uint8_t> light =
        ReadProfileFile(Catalogue(DeviceKind::kMouse).DefaultPath(ProfileKind::kLight, 0),
                        kMouseLightProfileSize)
            .payload;
    pointer_.pointer_speed = light.at(kPointerSpeedByte);
    pointer_.wheel_lines = light.at(kPointerSpeedByte + 1);
    EXPECT_TRUE(keyboard_device_.ReadAll());
    mouse_device_.ReadAll();
    pad_device_.ReadAll();
    page_->Start();
    for (const DeviceKind device : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
      EXPECT_TRUE(page_->RestoreSelection(device));
    }
    refreshed_.clear();
  }
  ~ProfilePageTest() override {
    page_.reset();
    profiles_.reset();
  }

  Control& C(std::string_view name) {
    Control* control = window_->Find(name);
    if (control == nullptr) {
      ADD_FAILURE() << "no control " << name;
      std::abort();
    }
    return *control;
  }
  Control& C(DeviceKind device, ProfileKind kind, ProfileControl control) {
    return C(ProfileControlName(device, kind, control).value());
  }
  const ProfileCatalogue& Catalogue(DeviceKind device) { return profiles_->catalogue(device); }
  std::vector<std::string> ComboNames(DeviceKind device, ProfileKind kind) {
    std::vector<std::string> names;
    for (const ListItem& item : C(device, kind, ProfileControl::kCombo).Items()) {
      names.push_back(item.user_data);
    }
    return names;
  }
  std::filesystem::path FileOf(DeviceKind device, ProfileKind kind, std::string_view name) {
    return Catalogue(device).ProfilePath(kind, name).value();
  }
  // The profile's payload as its file holds it.
  std::vector<std::uint8_t> Stored(DeviceKind device, ProfileKind kind, std::string_view name) {
    return ReadProfileFile(FileOf(device, kind, name), FindProfileRow(device, kind)->payload_size)
        .payload;
  }
  // The payload the device's state makes now.
  std::vector<std::uint8_t> StatePayload(DeviceKind device, ProfileKind kind) {
    const auto bytes = [](const auto& array) {
      return std::vector<std::uint8_t>(array.begin(), array.end());
    };
    if (device == DeviceKind::kPad) return bytes(MakeLightProfile(pad_state_));
    const auto make = [&](auto& state) {
      if (kind == ProfileKind::kKey) return bytes(MakeKeyProfile(state));
      if (kind == ProfileKind::kLight) return bytes(MakeLightProfile(state));
      return bytes(MakeDeviceProfile(state));
    };
    return device == DeviceKind::kMouse ? make(mouse_state_) : make(keyboard_state_);
  }
  // The payload of the state with its brightness (light and device kinds) or the assignments of
  // its first two keys swapped (key kinds) changed; the state itself is left as it was.
  std::vector<std::uint8_t> VariedPayload(DeviceKind device, ProfileKind kind) {
    Vary(device, kind);
    std::vector<std::uint8_t> payload = StatePayload(device, kind);
    Vary(device, kind);
    return payload;
  }
  // A second profile "varied" of the row, listed and written with VariedPayload, as another
  // session of the program would have left it.
  std::vector<std::uint8_t> ListVaried(DeviceKind device, ProfileKind kind) {
    std::vector<std::uint8_t> payload = VariedPayload(device, kind);
    const ProfileRow& row = *FindProfileRow(device, kind);
    EXPECT_TRUE(WriteProfileFile(FileOf(device, kind, "varied"), row.header_kind, payload));
    const CatalogueSections& sections = SectionsOf(kind);
    const std::size_t count = Catalogue(device).Names(kind).size();
    EXPECT_TRUE(Catalogue(device).file().Update([&](IniDocument& document) {
      return document.Set(sections.count, "count", std::to_string(count + 1)) &&
             document.Set(sections.name, std::to_string(count), "varied");
    }));
    page_->ShowCatalogue(device);
    return payload;
  }
  // Where a mouse light payload keeps the desktop's pointer speed, followed by the wheel lines.
  static constexpr std::size_t kPointerSpeedByte = offsetof(MouseSlotRecord, pointer_speed);
  // Requests the simulated device has received so far.
  int Requests(DeviceKind device) {
    const auto& sim = device == DeviceKind::kKeyboard ? sim_keyboard_
                      : device == DeviceKind::kMouse  ? sim_mouse_
                                                      : sim_pad_;
    return sim->RequestCount();
  }
  // The live applies of timer 2.
  void ApplyPending() {
    keyboard_device_.ApplyLighting();
    mouse_device_.ApplyLive();
    pad_device_.ApplyLive();
  }

  TempDir temp_;
  FakeUserFolders user_folders_{temp_.path()};
  DataFolders folders_{user_folders_};
  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::unique_ptr<WindowModel> window_;
  std::shared_ptr<sim::SimulatedDevice> sim_keyboard_;
  std::shared_ptr<sim::SimulatedDevice> sim_mouse_;
  std::shared_ptr<sim::SimulatedDevice> sim_pad_;
  FakeDialogs dialogs_;
  FakePointerSettings pointer_;
  SelectedProfileWriter writer_{clock_};
  KeyboardState keyboard_state_;
  MouseState mouse_state_;
  PadState pad_state_;
  KeyboardDevice keyboard_device_{keyboard_, keyboard_state_, writer_, [this](std::string_view id) {
                                    (void)dialogs_.ShowMessage(window_.get(), id, true);
                                  }};
  MouseDevice mouse_device_{mouse_, mouse_state_, pointer_, writer_, [] { return true; }};
  PadDevice pad_device_{pad_, pad_state_, writer_};
  int keyboard_model_ = KeyboardModelFor(kKeyboardProductId, 3);
  std::vector<DeviceKind> refreshed_;
  std::optional<DeviceProfiles> profiles_;
  std::optional<ProfilePage> page_;

 private:
  LightingBlock& LightingOf(DeviceKind device) {
    if (device == DeviceKind::kMouse) return mouse_state_.live.lighting;
    if (device == DeviceKind::kKeyboard) return keyboard_state_.live.lighting;
    return pad_state_.live.lighting;
  }
  void Vary(DeviceKind device, ProfileKind kind) {
    const auto swap = [](auto& table) {
      const KeyAssignment first = table.Assignment(1);
      table.SetAssignment(1, table.Assignment(2));
      table.SetAssignment(2, first);
    };
    if (kind == ProfileKind::kKey && device == DeviceKind::kMouse)
      return swap(mouse_state_.keys[0]);
    if (kind == ProfileKind::kKey) return swap(keyboard_state_.keys[0]);
    std::uint8_t& brightness = LightingOf(device).brightness;
    brightness = static_cast<std::uint8_t>(14 - brightness);
  }
};

}  // namespace vandrel::testing
