// The keyboard's Lighting tab in the main window on the real skin, with each model's simulated
// keyboard attached: the mode lists' groups, captions and engine requests, the refresh, colours,
// typed components, sliders and direction, the colour sets, painting keys and same mode.
#include "keyboard/lighting_page.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

#include "app/hub_fixture.h"
#include "app/same_mode.h"
#include "device/product_ids.h"
#include "keyboard/keyboard_components.h"
#include "keyboard/lighting/led_maps.h"
#include "keyboard/lighting/ripples.h"
#include "lighting/lighting_threads.h"
#include "support/deadline.h"
#include "support/page_fakes.h"
#include "ui/preset_colours.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;
using Model = KeyboardModel;

constexpr unsigned kLightAndDevice = kLightProfile | kDeviceProfile;

std::uint16_t ProductOf(Model model) {
  if (model == Model::kSingleColour) return kKeyboardProductId;
  return model == Model::kSixZones ? kZoneKeyboardProductId : kPerKeyKeyboardProductId;
}

// Mode, brightness, speed, direction, seven colours, red, green, blue.
LightingBlock Block(const std::array<std::uint8_t, LightingBlock::kSize>& bytes) {
  return DecodeLightingBlock(bytes);
}

// An engine far from rest, so that a reset shows.
EffectState BusyEngine() {
  EffectState state;
  state.phase.fill(77);
  state.level.fill(66);
  state.step = 5;
  for (auto& plane : state.planes) plane.fill(0x21);
  return state;
}

std::uint32_t ArgbOfPaint(const KeyboardCustomColours& custom) {
  const Rgb& paint = custom.paint_colour;
  return FixedColourArgb({.red = paint.red, .green = paint.green, .blue = paint.blue});
}

// What the effects read of the engine, for comparing two engines.
auto EngineView(const EffectState& s) {
  return std::tie(s.phase, s.level, s.step, s.colour_counter, s.group_mask, s.sweep_state, s.planes,
                  s.pulse_phase, s.zone_stack.restart_flagged);
}

class KeyboardLightingTest : public HubTest, public ::testing::WithParamInterface<Model> {
 protected:
  void SetUp() override {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    keyboard_ =
        std::make_unique<KeyboardComponents>(*hub_, *window_, dialogs_, profiles_, *same_mode_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
    device_ = bus_.Plug(ProductOf(GetParam()));
    PresenceMonitor monitor(DeviceKind::kKeyboard, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(500));
    ASSERT_EQ(hub_->keyboard_model(), static_cast<int>(GetParam()));
    Find("kb_deng_Op_tab").Click();
  }
  void TearDown() override {
    hub_.reset();
    keyboard_.reset();
  }

  KeyboardState& State() { return keyboard_->state(); }
  int ModelNumber() const { return static_cast<int>(GetParam()); }
  Control& ModeCombo() { return Find(KeyboardModeListOf(GetParam()).combo); }
  // Lighting and custom colours as read from the keyboard, shown by a refresh; afterwards nothing
  // is dirty, saved or asked of the engine.
  void Show(const LightingBlock& block, const KeyboardCustomColours& custom = {}) {
    {
      std::lock_guard lock(State().lighting_lock);
      State().live.lighting = block;
      State().custom = custom;
    }
    keyboard_->lighting_page().Refresh();
    State().light_dirty = false;
    profiles_.saves.clear();
    (void)Engine();
  }
  // What the requests queued since the last call made of a busy engine.
  EffectState Engine() {
    EffectState state = BusyEngine();
    (void)State().engine_requests.ApplyPending(state);
    return state;
  }
  bool Saved() const {
    return profiles_.saves ==
           std::vector<std::pair<DeviceKind, unsigned>>{{DeviceKind::kKeyboard, kLightAndDevice}};
  }
  // Enabled (E/D) and shown (S/H) of each control.
  std::string Looks(std::initializer_list<std::string_view> names) {
    std::string looks;
    for (std::string_view name : names) {
      if (!looks.empty()) looks += ' ';
      looks += Find(name).IsEnabled() ? 'E' : 'D';
      looks += Find(name).IsVisible() ? 'S' : 'H';
    }
    return looks;
  }
  CustomSet& Set() { return State().custom.Current(); }

  RecordingProfileSaver profiles_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::shared_ptr<sim::SimulatedDevice> device_;
};

const LightingBlock kStart = Block({0, 5, 5, 1, 1, 1, 2, 3});

TEST_P(KeyboardLightingTest, ChoosingAModeSetsItsGroupsCaptionsAndEngine) {
  struct Case {
    Model model;
    int from, mode;
    // fx, colour, seven colours, speed, same mode, fixed colour, all off/on, set, paint colour,
    // typed components, presets
    const char* looks;
    const char* left_caption;
  };
  const Case cases[] = {
      {Model::kPerKey, 0, 3, "DS ES ES DS ES ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kPerKey, 0, 10, "DS DS DS ES DS ES EH EH EH ES ES", "Deng_FXU_text"},
      {Model::kPerKey, 0, 12, "DS ES ES ES DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kPerKey, 0, 13, "DS ES ES ES DS ES EH EH EH ES ES", "Deng_FXJ_text"},
      {Model::kPerKey, 0, 16, "DS DS DS ES DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kPerKey, 0, 17, "ES DS DS ES DS ES EH EH EH ES ES", "Deng_FXJ_text"},
      {Model::kPerKey, 0, 18, "DH ES EH DS DS EH ES ES ES ES ES", "Deng_FXL_text"},
      {Model::kSingleColour, 0, 3, "DS DS DS DS DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSingleColour, 0, 6, "DH DS DH DS DS EH ES ES ES DS DS", "Deng_FXL_text"},
      {Model::kSingleColour, 0, 10, "ES DS DS ES DS ES EH EH EH ES ES", "Deng_FXU_text"},
      {Model::kSingleColour, 0, 11, "DS DS DS ES DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSingleColour, 0, 13, "ES DS DS ES DS ES EH EH EH ES ES", "Deng_FXSPEAD_text"},
      {Model::kSixZones, 0, 1, "DH ES EH ES ES ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSixZones, 0, 3, "EH ES EH EH ES ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSixZones, 0, 4, "ES ES EH ES DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSixZones, 0, 7, "EH ES EH DH DS EH ES EH ES ES ES", "Deng_FXL_text"},
      // Leaving the custom mode brings back what it hid or disabled.
      {Model::kPerKey, 18, 0, "ES ES ES ES ES ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSingleColour, 6, 0, "ES DS DS ES DS ES EH EH EH ES ES", "Deng_FXL_text"},
      {Model::kSixZones, 7, 0, "ES ES ES ES ES ES EH EH EH ES ES", "Deng_FXL_text"},
  };
  for (const Case& c : cases) {
    if (c.model != GetParam()) continue;
    // From mode 0, whose row enables every group a later row keeps, or from a custom mode.
    LightingBlock from = kStart;
    from.mode = static_cast<std::uint8_t>(c.from);
    Show(from);
    for (DeviceChannel* channel : {&hub_->channels().keyboard, &hub_->channels().mouse}) {
      channel->set_sync_lighting(true);
    }
    ASSERT_TRUE(ModeCombo().ClickItem(c.mode));
    EXPECT_EQ(Looks({"kb_deng_fx_layout", "kb_deng_color_layout", "kb_deng_7colorselect_layout",
                     "kb_deng_speed_layout", "kb_deng_same_mode", "kb_deng_color_display_layout",
                     "kb_deng_custom_tool_layout", "kb_deng_custom_select_layout",
                     "kb_deng_custom_color_layout", "kb_deng_rgb_layout", "kb_deng_color_lump"}),
              c.looks)
        << c.mode;
    EXPECT_EQ(Find("kb_Deng_label_FXL").RawText(), c.left_caption) << c.mode;
    EXPECT_EQ(State().Lighting().mode, c.mode);
    EXPECT_TRUE(State().light_dirty) << c.mode;
    EXPECT_TRUE(Saved()) << c.mode;
    EXPECT_FALSE(hub_->channels().keyboard.sync_lighting()) << c.mode;
    // Only the single-colour list ends the other devices' synchronised lighting.
    EXPECT_EQ(hub_->channels().mouse.sync_lighting(), c.model != Model::kSingleColour) << c.mode;
    EffectState expected = BusyEngine();
    StartEffectMode(static_cast<std::uint8_t>(ModelNumber()), static_cast<std::uint8_t>(c.mode),
                    expected);
    const EffectState engine = Engine();
    EXPECT_EQ(EngineView(engine), EngineView(expected)) << "reset and seed of " << c.mode;
    if (c.model != Model::kPerKey || c.mode != 12) continue;
    for (const auto& plane : engine.planes) EXPECT_EQ(plane[9], 1 << 6) << "below column 9";
  }
}

TEST_P(KeyboardLightingTest, RefreshShowsTheModelsListAndSettingsAndSeedsWithoutAReset) {
  const int mode = GetParam() == Model::kPerKey ? 12 : GetParam() == Model::kSingleColour ? 3 : 6;
  const LightingBlock block =
      Block({static_cast<std::uint8_t>(mode), 9, 3, 0, 1, 0x10, 0x20, 0x30});
  KeyboardCustomColours custom;
  custom.custom_set = 3;
  Show(block, custom);
  keyboard_->lighting_page().Refresh();

  for (const Model model : {Model::kPerKey, Model::kSingleColour, Model::kSixZones}) {
    EXPECT_EQ(Find(KeyboardModeListOf(model).combo).IsVisible(), model == GetParam());
  }
  EXPECT_EQ(ModeCombo().CurrentIndex(), mode);
  EXPECT_EQ(Find("kb_deng_light_slider").Value(), 9);
  EXPECT_EQ(Find("kb_deng_speed_slider").Value(), 11) << "stored speed 3";
  const bool single = GetParam() == Model::kSingleColour;
  EXPECT_EQ(Find("kb_deng_Color_Pallet").SelectedColour(), single ? 0xFF00F6FFU : 0xFF102030U);
  EXPECT_EQ(Find("kb_Deng_colordp_btn").BackgroundColour(), single ? 0xFF00F6FFU : 0xFF102030U);
  EXPECT_EQ(Find("kb_Deng_7color_check").IsSelected(), !single);
  EXPECT_TRUE(Find("kb_Deng_FXR_check").IsSelected());
  EXPECT_FALSE(Find("kb_Deng_FXL_check").IsSelected());
  EXPECT_EQ(Find("kb_deng_combo_curtom_count").CurrentIndex(), 3);
  EffectState expected = BusyEngine();
  SeedEffectMode(static_cast<std::uint8_t>(ModelNumber()), static_cast<std::uint8_t>(mode),
                 expected);
  EXPECT_EQ(EngineView(Engine()), EngineView(expected)) << "the seed alone";
  EXPECT_EQ(State().Lighting(), block);
  EXPECT_TRUE(profiles_.saves.empty());
}

TEST_P(KeyboardLightingTest, TypedComponentsAreClampedAndTakenWithoutRewritingProfiles) {
  struct Case {
    Model model;
    int mode;
    std::string_view edit;
    std::string_view typed, shown;
    Rgb fixed;            // the live fixed colour afterwards
    Rgb paint;            // the paint colour afterwards
    bool taken_as_fixed;  // seven colours off, record dirty
    bool mirrored;        // the common block takes the component too
  };
  const Rgb kFixed{1, 2, 3}, kPaint{9, 9, 9};
  const Case cases[] = {
      {Model::kPerKey, 0, "kb_Deng_edit_R", "300", "255", {255, 2, 3}, kPaint, true, false},
      {Model::kPerKey, 18, "kb_Deng_edit_G", "300", "255", kFixed, {9, 255, 9}, false, false},
      {Model::kSixZones, 0, "kb_Deng_edit_B", "17", "17", {1, 2, 17}, kPaint, true, true},
      {Model::kSixZones, 7, "kb_Deng_edit_R", "40", "40", kFixed, {40, 9, 9}, false, false},
      {Model::kSingleColour, 0, "kb_Deng_edit_R", "300", "300", kFixed, kPaint, false, false},
  };
  for (const Case& c : cases) {
    if (c.model != GetParam()) continue;
    LightingBlock start = kStart;
    start.mode = static_cast<std::uint8_t>(c.mode);
    KeyboardCustomColours custom;
    custom.paint_colour = kPaint;
    Show(start, custom);
    const LightingBlock common{.mode = 7, .brightness = 7, .seven_colour = 1, .red = 7};
    same_mode_->Common().Store(common);

    Find(c.edit).Type(c.typed);
    EXPECT_EQ(Find(c.edit).Text(), c.shown) << c.typed;
    const KeyboardLightingSnapshot after = State().LightingSnapshot();
    EXPECT_EQ((Rgb{after.lighting.red, after.lighting.green, after.lighting.blue}), c.fixed);
    EXPECT_EQ(after.custom.paint_colour, c.paint);
    EXPECT_EQ(after.lighting.seven_colour, c.taken_as_fixed ? 0 : 1);
    // Only the fixed colour ends the cycling; the single-colour keyboard never shows it.
    EXPECT_EQ(Find("kb_Deng_7color_check").IsSelected(),
              !c.taken_as_fixed && c.model != Model::kSingleColour);
    EXPECT_EQ(State().light_dirty, c.taken_as_fixed);
    EXPECT_TRUE(profiles_.saves.empty()) << "no profile rewritten for " << c.typed;
    LightingBlock expected_common = common;
    if (c.mirrored) {
      expected_common.blue = 17;
      expected_common.seven_colour = 0;
    }
    EXPECT_EQ(same_mode_->Common().Load(), expected_common);
    if (c.mode == 18 || c.mode == 7) {
      EXPECT_EQ(
          Find("kb_Deng_custom_colordp_btn").BackgroundColour(),
          FixedColourArgb({.red = c.paint.red, .green = c.paint.green, .blue = c.paint.blue}));
    }
  }
}

TEST_P(KeyboardLightingTest, PaletteAndPresetsSetTheFixedColourOrInACustomModeThePaintColour) {
  if (GetParam() == Model::kSingleColour) GTEST_SKIP() << "no colour to choose";
  const int custom_mode = KeyboardModeListOf(GetParam()).custom_mode;
  for (const int mode : {0, custom_mode}) {
    for (const bool preset : {false, true}) {
      LightingBlock start = kStart;
      start.mode = static_cast<std::uint8_t>(mode);
      Show(start);
      same_mode_->Common().Store({});
      const std::uint32_t colour = preset ? PresetColours[16] : 0xFF0A0B0CU;
      if (preset) {
        Find("kb_Deng_color_btn_16").Click();
      } else {
        Find("kb_deng_Color_Pallet").PickColour(colour);
      }
      const KeyboardLightingSnapshot after = State().LightingSnapshot();
      EXPECT_EQ(Find("kb_deng_Color_Pallet").SelectedColour(), colour);
      EXPECT_EQ(Find("kb_Deng_edit_G").Text(), std::to_string((colour >> 8) & 0xFF));
      EXPECT_TRUE(Saved()) << mode;
      if (mode == custom_mode) {
        EXPECT_EQ(ArgbOfPaint(after.custom), colour) << mode;
        EXPECT_EQ(Find("kb_Deng_custom_colordp_btn").BackgroundColour(), colour);
        EXPECT_EQ(after.lighting, start) << "the fixed colour stays";
        EXPECT_FALSE(State().light_dirty);
        continue;
      }
      LightingBlock expected = start;
      StoreFixedColour(expected, colour);
      EXPECT_EQ(after.lighting, expected);
      EXPECT_EQ(Find("kb_Deng_colordp_btn").BackgroundColour(), colour);
      EXPECT_FALSE(Find("kb_Deng_7color_check").IsSelected());
      EXPECT_TRUE(State().light_dirty);
      EXPECT_EQ(FixedColourArgb(same_mode_->Common().Load()), colour) << "mirrored";
    }
  }
}

// The shared panel stores the sliders and options (tested with the mouse's and the pad's pages);
// here what the keyboard adds: all of it mirrored, and a turned direction restarts the zone stack.
TEST_P(KeyboardLightingTest, SpeedAndDirectionAreMirroredAndTheDirectionRestartsTheZoneStack) {
  Show(kStart);
  same_mode_->Common().Store(kStart);
  Find("kb_deng_speed_slider").ReleaseSlider(14);
  EXPECT_EQ(State().Lighting().speed, 0);
  EXPECT_FALSE(Engine().zone_stack.restart_flagged);
  for (const auto& [option, direction] :
       {std::pair{"kb_Deng_FXR_check", 0}, {"kb_Deng_FXL_check", 1}}) {
    Find(option).Click();
    EXPECT_EQ(State().Lighting().direction, direction);
    EXPECT_TRUE(Engine().zone_stack.restart_flagged) << option;
  }
  LightingBlock expected = kStart;
  expected.speed = 0;
  EXPECT_EQ(same_mode_->Common().Load(), expected);
  EXPECT_EQ(profiles_.saves.size(), 3U);
  EXPECT_TRUE(State().light_dirty);
}

TEST_P(KeyboardLightingTest, ColourSetsAreChosenAndSwitchedAllOffOrOn) {
  const bool levels = GetParam() == Model::kSingleColour;
  KeyboardCustomColours custom;
  custom.paint_colour = {0x40, 0x50, 0x60};
  for (CustomSet& set : custom.custom_sets) set.fill(0);
  custom.custom_sets[2][3] = 100;  // entry 1, or level position 3
  custom.custom_sets[2][4] = 5;
  custom.custom_sets[2][200] = 7;  // beyond the 126 levels of a set of levels
  custom.custom_sets[0][0] = 1;
  LightingBlock start = kStart;
  start.mode = KeyboardModeListOf(GetParam()).custom_mode;
  Show(start, custom);
  ASSERT_TRUE(Find("kb_deng_combo_curtom_count").ClickItem(2));
  EXPECT_EQ(State().custom.custom_set, 2);
  EXPECT_TRUE(Saved());

  profiles_.saves.clear();
  Find("kb_Deng_all_bright_check").Click();
  CustomSet expected = custom.custom_sets[2];
  for (std::size_t entry = 0; entry < 126; ++entry) {
    if (levels) {
      if (expected[entry] == 0) expected[entry] = 255;
    } else if (CustomColourAt(expected, entry) == Rgb{}) {
      SetCustomColourAt(expected, entry, custom.paint_colour);
    }
  }
  EXPECT_EQ(Set(), expected) << "entries that were on stay as they were";
  EXPECT_EQ(State().custom.custom_sets[0], custom.custom_sets[0]) << "other sets stay";
  EXPECT_TRUE(Saved());

  profiles_.saves.clear();
  Find("kb_Deng_all_kill_check").Click();
  EXPECT_FALSE(Find("kb_Deng_all_bright_check").IsSelected());
  CustomSet off{};
  if (levels) off[200] = 7;
  EXPECT_EQ(Set(), off);
  EXPECT_TRUE(Saved());
}

TEST_P(KeyboardLightingTest, ClickedKeysArePaintedInTheCustomModeOrRippleInModeNine) {
  struct Case {
    Model model;
    int mode;
    std::size_t slot;
    std::vector<std::size_t> painted;  // entries of the set (LED index, level position or slot)
    bool ripple;
  };
  std::vector<std::size_t> zone0;
  for (const std::uint8_t slot : kZoneTable[0]) {
    if (slot != kNoLed) zone0.push_back(slot);
  }
  ASSERT_EQ(zone0.size(), 17U);
  const Case cases[] = {
      {Model::kPerKey, 18, 13, {14}, false},
      {Model::kPerKey, 18, 16, {}, false},  // no LED
      {Model::kPerKey, 0, 13, {}, false},
      {Model::kPerKey, 9, 52, {}, true},
      {Model::kSingleColour, 6, 40, {71}, false},
      {Model::kSingleColour, 6, 16, {}, false},
      {Model::kSixZones, 7, 0, zone0, false},
      {Model::kSixZones, 7, 62, {}, false},  // in no zone
  };
  const Rgb paint{0x12, 0x34, 0x56};
  for (const Case& c : cases) {
    if (c.model != GetParam()) continue;
    LightingBlock start = kStart;
    start.mode = static_cast<std::uint8_t>(c.mode);
    KeyboardCustomColours custom;
    custom.paint_colour = paint;
    custom.custom_set = 1;
    Show(start, custom);
    Find("kb_key_110").SetEnabled(false);
    // As on a keyboard that has the key, whether or not the key has a light.
    Find("kb_key_" + std::to_string(c.slot)).SetEnabled(true);

    Find("kb_key_" + std::to_string(c.slot)).Click();
    CustomSet expected{};
    for (const std::size_t entry : c.painted) {
      if (c.model == Model::kSingleColour) {
        SetCustomLevelAt(expected, entry, true);
      } else {
        SetCustomColourAt(expected, entry, paint);
      }
    }
    EXPECT_EQ(Set(), expected) << c.mode << " " << c.slot;
    EXPECT_EQ(profiles_.saves.size(), c.painted.empty() ? 0U : 1U) << c.slot;
    EXPECT_TRUE(Find("kb_key_110").IsEnabled()) << "enabled by a click on the Lighting tab";
    EffectState rippled = BusyEngine();
    if (c.ripple) TriggerRipple(rippled, static_cast<std::uint8_t>(c.slot));
    EXPECT_EQ(EngineView(Engine()), EngineView(rippled)) << c.slot;
  }
}

TEST_P(KeyboardLightingTest, OnTheKeysTabAClickPicksTheKeyAndPaintsNothing) {
  LightingBlock start = kStart;
  start.mode = KeyboardModeListOf(GetParam()).custom_mode;
  Show(start);
  Find("kb_key_Op_tab").Click();
  Find("kb_key_0").Click();
  EXPECT_EQ(Set(), CustomSet{});
  EXPECT_TRUE(keyboard_->key_page().selected_key().has_value());
  EXPECT_TRUE(profiles_.saves.empty());
}

TEST_P(KeyboardLightingTest, SameModeSpreadsTheKeyboardsBlockAndAdoptsAnothersOnThePage) {
  if (GetParam() == Model::kSingleColour) GTEST_SKIP() << "same mode is disabled in every mode";
  Show(kStart);
  Find("kb_deng_same_mode").Click();
  EXPECT_EQ(same_mode_->Common().Load(), kStart);
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    EXPECT_TRUE(hub_->channels().Of(kind).sync_lighting());
  }

  const LightingBlock mouse{.mode = 2, .brightness = 8, .speed = 1, .red = 0x80};
  same_mode_->SpreadFrom(DeviceKind::kMouse, mouse);
  EXPECT_EQ(State().Lighting(), mouse);
  EXPECT_EQ(ModeCombo().CurrentIndex(), 2);
  EXPECT_EQ(Find("kb_deng_light_slider").Value(), 8);
  EXPECT_TRUE(State().light_dirty);
  EXPECT_TRUE(Saved());
}

// The page edits on this thread while the keyboard's lighting thread renders on its own, on the
// real clock: under ThreadSanitizer this checks that the page reaches the engine only through the
// request queue and the lighting only under its lock. Every request reaches the thread.
TEST_P(KeyboardLightingTest, EditsWhileTheKeyboardThreadRendersReachItsEngine) {
  if (GetParam() == Model::kSingleColour) GTEST_SKIP() << "its thread only previews";
  SteadyClock clock;
  PadAnimation pad;
  SharedLightingBlock mouse_lighting;
  std::atomic<int> sent{0};
  const LightingThreadInputs inputs{clock,
                                    hub_->channels(),
                                    [this] { return hub_->keyboard_model(); },
                                    State(),
                                    mouse_lighting,
                                    pad,
                                    same_mode_->Common(),
                                    [&sent](std::uint8_t, std::uint8_t, const KeyboardFrameImage&) {
                                      ++sent;
                                      return true;
                                    },
                                    [](const PadFrame&) { return true; },
                                    [] {},
                                    [] { return false; }};
  KeyboardLightingThread thread(inputs);
  std::atomic<bool> done{false};
  std::thread runner([&] {
    while (!done.load()) thread.Pass();
  });
  const int custom_mode = KeyboardModeListOf(GetParam()).custom_mode;
  for (int round = 0; round < 6; ++round) {
    for (const int mode : {custom_mode, GetParam() == Model::kPerKey ? 9 : 6, 2}) {
      ASSERT_TRUE(ModeCombo().ClickItem(mode));
      Find("kb_deng_speed_slider").ReleaseSlider(14 - round);
      Find(round % 2 == 0 ? "kb_Deng_FXL_check" : "kb_Deng_FXR_check").Click();
      Find("kb_deng_Color_Pallet").PickColour(0xFF102030U + static_cast<std::uint32_t>(round));
      Find("kb_key_52").Click();
      Find("kb_Deng_all_bright_check").Click();
      keyboard_->lighting_page().Refresh();
      std::this_thread::sleep_for(milliseconds(2));
    }
  }
  const std::uint64_t version = State().frame.Version();
  const bool rendered = PollUntil([&] { return State().frame.Version() >= version + 2; });
  done = true;
  JoinWithin(runner, "the keyboard thread's passes ending");
  ASSERT_TRUE(rendered) << "the thread rendered on after the edits";
  EffectState left;
  EXPECT_EQ(State().engine_requests.ApplyPending(left), 0U) << "the thread took every request";
  EXPECT_GT(sent.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachModel, KeyboardLightingTest,
                         ::testing::Values(Model::kPerKey, Model::kSingleColour, Model::kSixZones),
                         [](const auto& p) {
                           return "Model" + std::to_string(static_cast<int>(p.param));
                         });

}  // namespace
}  // namespace vandrel::testing
