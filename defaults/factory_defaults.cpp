#include "factory_defaults.h"

#include <array>
#include <memory>

#include "core/manual_clock.h"
#include "device/device_channel.h"
#include "device/headless_window_link.h"
#include "device/presence_monitor.h"
#include "device/product_ids.h"
#include "keyboard/keyboard_device.h"
#include "keyboard/keyboard_model.h"
#include "mouse/mouse_device.h"
#include "pad/pad_device.h"
#include "profile/profile_catalogue.h"
#include "sim/virtual_bus.h"

namespace vandrel {
namespace {

// The desktop's values a new installation starts from (those the mouse's reset restores).
constexpr std::uint8_t kDefaultPointerSpeed = 10;
constexpr std::uint8_t kDefaultWheelLines = 3;

// One factory-new device on a bus of its own, connected as the program connects it.
class NewDevice {
 public:
  NewDevice(DeviceKind kind, std::uint16_t product_id) {
    keyboard_.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
    mouse_.SetIdentity(ChannelIdentityOf(DeviceKind::kMouse));
    pad_.SetIdentity(ChannelIdentityOf(DeviceKind::kPad));
    (void)bus_.Plug(product_id);
    PresenceMonitor monitor(kind, channels_, window_, clock_);
    connected_ = monitor.PollOnce().has_value();
  }

  [[nodiscard]] bool connected() const { return connected_; }
  [[nodiscard]] DeviceChannel& channel(DeviceKind kind) { return channels_.Of(kind); }

 private:
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  sim::VirtualBus bus_{clock_};
  HeadlessWindowLink window_;
  DeviceChannel keyboard_{bus_, clock_};
  DeviceChannel mouse_{bus_, clock_};
  DeviceChannel pad_{bus_, clock_};
  DeviceChannels channels_{keyboard_, mouse_, pad_};
  bool connected_ = false;
};

// Keeps the desktop's values without touching the desktop.
class KeptPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int) override { return true; }
  bool SetWheelLines(int) override { return true; }
  std::optional<int> PointerSpeed() override { return kDefaultPointerSpeed; }
  std::optional<int> WheelLines() override { return kDefaultWheelLines; }
};

class Writer {
 public:
  explicit Writer(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // The device's payloads of every kind it has.
  template <typename State>
  void WriteAll(DeviceKind device, State& state, int keyboard_model) {
    const ProfileCatalogue names(device, folder_, folder_);
    for (const ProfileKind kind : KindsOf(device)) {
      const ProfileRow& row = *FindProfileRow(device, kind);
      const std::filesystem::path path = names.DefaultPath(kind, keyboard_model);
      if (!WriteProfileFile(path, row.header_kind, Payload(state, kind))) failed_ = true;
      written_.push_back(path.filename().string());
    }
  }

  [[nodiscard]] std::vector<std::string> Result() const {
    return failed_ ? std::vector<std::string>{} : written_;
  }
  void Fail() { failed_ = true; }

 private:
  template <typename State>
  static std::vector<std::uint8_t> Payload(State& state, ProfileKind kind) {
    if constexpr (std::is_same_v<State, PadState>) {
      return ByteVector(MakeLightProfile(state));
    } else {
      return MakeProfile(state, kind);
    }
  }

  std::filesystem::path folder_;
  std::vector<std::string> written_;
  bool failed_ = false;
};

void WriteMouse(Writer& writer) {
  NewDevice simulated(DeviceKind::kMouse, kMouseProductId);
  if (!simulated.connected()) return writer.Fail();
  NoProfileSaver saver;
  KeptPointerSettings pointer;
  MouseState state;
  MouseDevice mouse(simulated.channel(DeviceKind::kMouse), state, pointer, saver,
                    [] { return true; });
  mouse.ReadAll();
  state.pointer_speed.store(kDefaultPointerSpeed);
  state.wheel_lines.store(kDefaultWheelLines);
  writer.WriteAll(DeviceKind::kMouse, state, 0);
}

void WritePad(Writer& writer) {
  NewDevice simulated(DeviceKind::kPad, kPadProductId);
  if (!simulated.connected()) return writer.Fail();
  NoProfileSaver saver;
  PadState state;
  PadDevice pad(simulated.channel(DeviceKind::kPad), state, saver);
  pad.ReadAll();
  writer.WriteAll(DeviceKind::kPad, state, 0);
}

// Model 2 has no product of its own; it is the per-key keyboard with its own effects.
void WriteKeyboard(Writer& writer, KeyboardModel model, std::uint16_t product_id) {
  NewDevice simulated(DeviceKind::kKeyboard, product_id);
  if (!simulated.connected()) return writer.Fail();
  NoProfileSaver saver;
  KeyboardState state;
  KeyboardDevice keyboard(simulated.channel(DeviceKind::kKeyboard), state, saver, {});
  if (!keyboard.ReadAll()) return writer.Fail();
  keyboard.RereadLighting();
  writer.WriteAll(DeviceKind::kKeyboard, state, static_cast<int>(model));
}

}  // namespace

std::vector<std::string> WriteFactoryDefaults(const std::filesystem::path& folder) {
  Writer writer(folder);
  WriteMouse(writer);
  WritePad(writer);
  WriteKeyboard(writer, KeyboardModel::kPerKey, kPerKeyKeyboardProductId);
  WriteKeyboard(writer, KeyboardModel::kSingleColour, kKeyboardProductId);
  WriteKeyboard(writer, KeyboardModel::kPerKeyOwn, kPerKeyKeyboardProductId);
  WriteKeyboard(writer, KeyboardModel::kSixZones, kZoneKeyboardProductId);
  return writer.Result();
}

}  // namespace vandrel
