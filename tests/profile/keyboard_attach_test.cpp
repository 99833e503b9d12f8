// A per-key keyboard attached with a stored device profile, through the main window's attach timer,
// its frame timer and the keyboard's lighting thread as the program wires them: the keyboard shows
// the profile's lighting from the first frame on, and goes dark only when that lighting is dark.
#include <gmock/gmock.h>

#include <algorithm>

#include "app/hub_fixture.h"
#include "core/byte_record.h"
#include "device/presence_monitor.h"
#include "device/product_ids.h"
#include "device/trace_reader.h"
#include "keyboard/keyboard_components.h"
#include "keyboard/keyboard_profiles.h"
#include "lighting/lighting_threads.h"
#include "profile/device_profiles.h"
#include "profile/selected_profile_writer.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;

constexpr int kSendLightingFrame = 18;
constexpr std::size_t kPerKeyFrameSize = 378;
constexpr int kStaticGroups = 3;
constexpr int kColourCycle = 1;
constexpr int kColumnWave = 0;
constexpr int kCustom = 18;

class KeptPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int) override { return true; }
  bool SetWheelLines(int) override { return true; }
  std::optional<int> PointerSpeed() override { return 10; }
  std::optional<int> WheelLines() override { return 3; }
};

// Every lighting frame the host wrote, put together from its chunks.
std::vector<std::vector<std::uint8_t>> TracedFrames(const std::filesystem::path& trace) {
  const std::vector<TracedRequest> requests =
      WithCommand(TracedRequests(trace), kSendLightingFrame);
  const std::vector<std::vector<std::uint8_t>> chunks = TracedPayloads(trace, kSendLightingFrame);
  std::vector<std::vector<std::uint8_t>> frames;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    if (requests[i].offset == 0 || frames.empty()) frames.emplace_back();
    frames.back().insert(frames.back().end(), chunks[i].begin(), chunks[i].end());
  }
  return frames;
}

bool Dark(const std::vector<std::uint8_t>& frame) {
  return std::all_of(frame.begin(), frame.end(), [](std::uint8_t byte) { return byte == 0; });
}

struct AttachCase {
  const char* what;
  LightingBlock lighting;
  std::uint8_t custom;  // every custom colour byte
  bool dark;
};

void PrintTo(const AttachCase& attach, std::ostream* out) { *out << attach.what; }

class KeyboardAttachTest : public HubTest, public ::testing::WithParamInterface<AttachCase> {
 protected:
  void SetUp() override {
    Create();
    mouse_device_.emplace(hub_->channels().mouse, mouse_state_, pointer_, writer_,
                          [] { return false; });
    pad_device_.emplace(hub_->channels().pad, pad_state_, writer_);
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    keyboard_ =
        std::make_unique<KeyboardComponents>(*hub_, *window_, dialogs_, writer_, *same_mode_);
    profiles_ = std::make_unique<DeviceProfiles>(
        folders_, writer_,
        ProfileDevices{*mouse_device_, keyboard_->device(), *pad_device_,
                       [this] { return hub_->keyboard_model(); }, nullptr});
    hub_->SetProfileSaver(writer_);
    keyboard_->part().SetStoredProfile(
        [this] { return profiles_->RestoreSelection(DeviceKind::kKeyboard); });
    hub_->InitWindow();
    window_->RaiseWindowInit();
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
  }
  void TearDown() override {
    hub_.reset();
    profiles_.reset();
    keyboard_.reset();
    pad_device_.reset();
    mouse_device_.reset();
  }

  // The per-key keyboard's stored device profile "profile1": its factory default with `lighting`
  // and, for the custom mode, every custom colour `custom`.
  void StoreProfile(const LightingBlock& lighting, std::uint8_t custom) {
    const std::filesystem::path program = folders_.GetProgramFolder();
    std::filesystem::create_directories(program);
    for (const char* name : {"kbdevicedefault.config", "kbdengdefault.led", "kbkeydefault.pro"}) {
      std::filesystem::copy_file(std::filesystem::path(VANDREL_PROFILE_DEFAULTS_DIR) / name,
                                 program / name);
    }
    const ProfileCatalogue& catalogue = profiles_->catalogue(DeviceKind::kKeyboard);
    ASSERT_EQ(catalogue.LoadCatalogue(0), "");
    const std::filesystem::path path = *catalogue.SelectedPath(ProfileKind::kDevice);
    ProfileReadout stored = ReadProfileFile(path, kKeyboardDeviceProfileSize);
    ASSERT_EQ(stored.result, ProfileReadResult::kOk);
    KeyboardDevicePayload payload;
    DecodeInto(stored.payload, payload);
    payload.light.record.live.lighting = lighting;
    for (CustomSet& set : payload.light.custom.custom_sets) set.fill(custom);
    ASSERT_TRUE(WriteProfileFile(path, 1, Encode(payload)));
  }

  // Attaches the keyboard and runs, in turns, the lighting thread's passes and the main window's
  // timers for `steps` steps of 100 ms; the frame timer has its first turn before the thread.
  void AttachAndAnimate(int steps) {
    bus_.Plug(kPerKeyKeyboardProductId);
    PresenceMonitor monitor(DeviceKind::kKeyboard, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(500));
    ASSERT_EQ(hub_->keyboard_model(), 0);
    SharedLightingBlock mouse_lighting, common;
    PadAnimation pad;
    KeyboardDevice& keyboard = keyboard_->device();
    KeyboardLightingThread thread(LightingThreadInputs{
        clock_, hub_->channels(), [this] { return hub_->keyboard_model(); }, keyboard_->state(),
        mouse_lighting, pad, common,
        [&keyboard](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
          return keyboard.SendFrame(model, mode, image) == kChannelSuccess;
        },
        [](const PadFrame&) { return true; }, [] {}, [] { return false; }});
    for (int step = 0; step < steps; ++step) {
      loop_.RunFor(milliseconds(100));
      (void)thread.Pass();
    }
  }

  SelectedProfileWriter writer_{clock_};
  KeptPointerSettings pointer_;
  MouseState mouse_state_;
  std::optional<MouseDevice> mouse_device_;
  PadState pad_state_;
  std::optional<PadDevice> pad_device_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::unique_ptr<DeviceProfiles> profiles_;
};

// A stored profile is applied before the first frame: the frames show its lighting only. A frame
// with a key lit while the profile is dark, or none lit while it is not, is a fault.
TEST_P(KeyboardAttachTest, TheKeyboardGoesDarkOnlyWhenItsStoredProfilesLightingIsDark) {
  ASSERT_NO_FATAL_FAILURE(StoreProfile(GetParam().lighting, GetParam().custom));
  ASSERT_NO_FATAL_FAILURE(AttachAndAnimate(20));
  EXPECT_EQ(keyboard_->state().Lighting(), GetParam().lighting);
  const std::vector<std::vector<std::uint8_t>> frames = TracedFrames(temp_.path() / "trace.txt");
  // An animation sends a frame per pass; a lighting that stands still goes once, since the
  // keyboard keeps showing it.
  ASSERT_FALSE(frames.empty());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].size(), kPerKeyFrameSize) << "frame " << i;
    EXPECT_EQ(Dark(frames[i]), GetParam().dark) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    StoredProfiles, KeyboardAttachTest,
    ::testing::Values(
        AttachCase{"colour cycle", {.mode = kColourCycle, .brightness = 14, .speed = 7}, 0, false},
        AttachCase{
            "wave of colours", {.mode = kColumnWave, .brightness = 9, .seven_colour = 1}, 0, false},
        AttachCase{"static blue", {.mode = kStaticGroups, .brightness = 14, .blue = 200}, 0, false},
        AttachCase{"custom colours", {.mode = kCustom, .brightness = 14}, 90, false},
        AttachCase{"static black", {.mode = kStaticGroups, .brightness = 14}, 0, true},
        AttachCase{"custom nothing painted", {.mode = kCustom, .brightness = 14}, 0, true}));

}  // namespace
}  // namespace vandrel::testing
