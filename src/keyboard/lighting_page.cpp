#include "keyboard/lighting_page.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "keyboard/custom_painting.h"
#include "keyboard/key_page.h"
#include "ui/control_names.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

constexpr std::string_view kPageTab = "kb_deng_Op_tab";
constexpr std::string_view kKeyPrefix = "kb_key_";
constexpr std::string_view kPaintPreview = "kb_Deng_custom_colordp_btn";
constexpr std::string_view kCustomSetCombo = "kb_deng_combo_curtom_count";
constexpr std::string_view kAllOffCheck = "kb_Deng_all_kill_check";
constexpr std::string_view kAllOnCheck = "kb_Deng_all_bright_check";

// The single-colour keyboard's one colour, shown in place of a fixed colour it does not have.
constexpr std::uint32_t kSingleColourShown = 0xFF00F6FF;
// The mode in which a clicked key starts a ripple, on every model.
constexpr std::uint8_t kRippleMode = 9;

constexpr LightingPanelSetup kPanel = {
    .prefix = "kb_",
    .direction_buttons = false,
    .device = DeviceKind::kKeyboard,
    // The synchronised animation takes every setting the keyboard's panel edits; the typed
    // components are the page's own (below).
    .mirrored = kBrightnessField | kSpeedField | kDirectionField | kFixedColourFields,
};

std::uint32_t ArgbOf(const Rgb& colour) {
  return FixedColourArgb({.red = colour.red, .green = colour.green, .blue = colour.blue});
}

Rgb RgbOf(std::uint32_t argb) {
  LightingBlock block;
  StoreFixedColour(block, argb);
  return {block.red, block.green, block.blue};
}

}  // namespace

KeyboardLightingPage::KeyboardLightingPage(WindowModel& window, KeyboardDevice& keyboard,
                                           KeyboardLightingLinks links)
    : window_(window),
      keyboard_(keyboard),
      links_(std::move(links)),
      controls_(window, kPanel.prefix),
      panel_(window, kPanel, links_.sync,
             {.live = [this] { return State().Lighting(); },
              .change = [this](const LightingEdit& edit) { StoreEdit(edit); }}) {}

void KeyboardLightingPage::Refresh() {
  const KeyboardModel model = Model();
  ShowModeListOf(window_, model);
  const KeyboardLightingSnapshot snapshot = State().LightingSnapshot();
  ShowMode(snapshot.lighting.mode);
  panel_.Show(snapshot.lighting);
  ShowColours();
  if (model == KeyboardModel::kSingleColour) controls_.ShowSevenColour(false);
  controls_.ShowDirection(snapshot.lighting.direction != 0 ? kDirectionLeft : kDirectionRight);
  const std::uint8_t set = snapshot.custom.custom_set;
  if (Control* sets = window_.Find(kCustomSetCombo)) {
    sets->SelectItem(set < kCustomSetCount ? set : -1, Notify::kNo);
  }
}

bool KeyboardLightingPage::Handle(const Notification& notification) {
  Control& sender = *notification.sender;
  const std::string_view type = notification.type;
  const std::string& name = sender.Name();
  if (type == notify::kItemSelect) return HandleItemSelect(sender, notification.index);
  if (type == notify::kColorChanged && name == controls_.names().palette) {
    SetColour(sender.SelectedColour(), /*store=*/true);
    return true;
  }
  const std::optional<int> preset = NumberInName(name, controls_.names().preset_prefix);
  if (type == notify::kClick && preset && PresetColour(*preset)) {
    SetColour(*PresetColour(*preset), /*store=*/true);
    return true;
  }
  const std::optional<int> component = controls_.ComponentEdit(name);
  if (type == notify::kTextChanged && component) {
    EditComponent(sender, *component);
    return true;
  }
  if (type == notify::kSelectChanged && HandleCustomCheck(sender)) return true;
  return panel_.Handle(notification);
}

bool KeyboardLightingPage::HandleKeyClick(const Notification& notification) {
  if (notification.type != notify::kClick) return false;
  const std::optional<int> slot = NumberInName(notification.sender->Name(), kKeyPrefix);
  if (!slot || *slot >= static_cast<int>(kKeySlotCount)) return false;
  const Control* tab = window_.Find(kPageTab);
  if (tab == nullptr || !tab->IsSelected()) return false;
  PaintKey(static_cast<std::size_t>(*slot));
  return true;
}

void KeyboardLightingPage::AdoptLighting(const LightingBlock& block) {
  {
    KeyboardLightingWrite writing(State());
    State().live.lighting = block;
  }
  keyboard_.MarkLightingChanged();
  Refresh();
}

bool KeyboardLightingPage::HandleItemSelect(const Control& sender, int index) {
  if (sender.Name() == kCustomSetCombo) {
    ChooseCustomSet(index);
    return true;
  }
  // Only the shown list is the keyboard's; the hidden ones cannot be used.
  if (sender.Name() != ModeList().combo) return false;
  ChooseMode(index);
  return true;
}

bool KeyboardLightingPage::HandleCustomCheck(const Control& sender) {
  const bool off = sender.Name() == kAllOffCheck;
  if (!off && sender.Name() != kAllOnCheck) return false;
  // Unchecking one of the two does nothing.
  if (!sender.IsSelected()) return true;
  if (Control* other = window_.Find(off ? kAllOnCheck : kAllOffCheck)) {
    other->SetSelected(false, Notify::kNo);
  }
  const KeyboardModel model = Model();
  ChangeCustomColours([off, model](KeyboardCustomColours& custom) {
    if (off) {
      AllCustomKeysOff(custom, model);
    } else {
      AllCustomKeysOn(custom, model);
    }
  });
  return true;
}

void KeyboardLightingPage::ChooseMode(int mode) {
  const KeyboardModel model = Model();
  if (!ApplyKeyboardModeRow(window_, ModeList(), mode)) return;
  // The single-colour keyboard cannot follow the synchronised animation, nor can the others
  // follow it.
  if (model == KeyboardModel::kSingleColour) {
    for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
      links_.channels.Of(kind).set_sync_lighting(false);
    }
  }
  const auto number = static_cast<std::uint8_t>(mode);
  {
    KeyboardLightingWrite writing(State());
    State().live.lighting.mode = number;
  }
  State().engine_requests.RequestMode(static_cast<std::uint8_t>(model), number);
  ShowColours();
  keyboard_.MarkLightingChanged();
  links_.channels.keyboard.set_sync_lighting(false);
}

void KeyboardLightingPage::ShowMode(std::uint8_t mode) {
  const KeyboardModeList& list = ModeList();
  const bool known = ApplyKeyboardModeRow(window_, list, mode);
  // A mode the list does not have (copied from another device, say) selects no entry rather than
  // whichever the list happened to show.
  if (Control* combo = window_.Find(list.combo)) combo->SelectItem(known ? mode : -1, Notify::kNo);
  if (known) State().engine_requests.RequestSeed(static_cast<std::uint8_t>(Model()), mode);
}

// The palette and the colour displays after a mode change or a refresh; nothing is stored.
void KeyboardLightingPage::ShowColours() {
  const KeyboardLightingSnapshot snapshot = State().LightingSnapshot();
  if (Control* paint = window_.Find(kPaintPreview)) {
    paint->SetBackgroundColour(ArgbOf(snapshot.custom.paint_colour));
    paint->SetBackgroundImage("");
  }
  if (Model() == KeyboardModel::kSingleColour) {
    controls_.SelectInPalette(kSingleColourShown);
    controls_.ShowColour(kSingleColourShown);
    return;
  }
  SetColour(
      InCustomMode() ? ArgbOf(snapshot.custom.paint_colour) : FixedColourArgb(snapshot.lighting),
      /*store=*/false);
}

// In a custom mode the palette and the presets choose the colour keys are painted with; otherwise
// the fixed colour.
void KeyboardLightingPage::SetColour(std::uint32_t argb, bool store) {
  controls_.SelectInPalette(argb);
  if (!InCustomMode()) {
    panel_.SetFixedColour(argb, store);
    return;
  }
  const Rgb colour = RgbOf(argb);
  const std::array<std::uint8_t, 3> components = {colour.red, colour.green, colour.blue};
  for (std::size_t component = 0; component < components.size(); ++component) {
    if (Control* edit = window_.Find(controls_.names().component_edits[component])) {
      edit->SetText(std::to_string(components[component]));
    }
  }
  if (Control* paint = window_.Find(kPaintPreview)) {
    paint->SetBackgroundColour(argb);
    paint->SetBackgroundImage("");
  }
  if (!store) return;
  ChangeCustomColours([colour](KeyboardCustomColours& custom) { custom.paint_colour = colour; });
}

// A typed component is taken at once but, unlike the other edits, rewrites no profile: it comes
// with every keystroke. The next other edit saves it.
void KeyboardLightingPage::EditComponent(Control& edit, int component) {
  const KeyboardModel model = Model();
  if (model == KeyboardModel::kSingleColour || model == KeyboardModel::kPerKeyOwn) return;
  if (InCustomMode()) {
    const std::uint8_t value = TakeComponentText(edit);
    Control* paint = window_.Find(kPaintPreview);
    const std::uint32_t shown = paint != nullptr
                                    ? paint->BackgroundColour()
                                    : ArgbOf(State().LightingSnapshot().custom.paint_colour);
    const std::uint32_t colour = WithComponent(shown, component, value);
    if (paint != nullptr) paint->SetBackgroundColour(colour);
    controls_.SelectInPalette(colour);
    static constexpr std::array<std::uint8_t Rgb::*, 3> kFields = {&Rgb::red, &Rgb::green,
                                                                   &Rgb::blue};
    KeyboardLightingWrite writing(State());
    State().custom.paint_colour.*kFields[static_cast<std::size_t>(component)] = value;
    return;
  }
  const std::uint8_t value =
      controls_.TakeTypedComponent(edit, component, FixedColourArgb(State().Lighting()));
  LightingEdit change{.fields = (kRedField << component) | kSevenColourField};
  StoreColourComponent(change.values, component, value);
  {
    KeyboardLightingWrite writing(State());
    change.ApplyTo(State().live.lighting);
  }
  State().light_dirty = true;
  if (model != KeyboardModel::kSixZones) return;
  links_.sync.Common().Update([&change](LightingBlock& common) { change.ApplyTo(common); });
}

void KeyboardLightingPage::ChooseCustomSet(int index) {
  if (index < 0 || index >= static_cast<int>(kCustomSetCount)) return;
  ChangeCustomColours([index](KeyboardCustomColours& custom) {
    custom.custom_set = static_cast<std::uint8_t>(index);
  });
}

void KeyboardLightingPage::ChangeCustomColours(
    const std::function<void(KeyboardCustomColours&)>& change) {
  {
    KeyboardLightingWrite writing(State());
    change(State().custom);
  }
  SaveProfiles();
}

void KeyboardLightingPage::PaintKey(std::size_t slot) {
  // The key page keeps these two disabled; on the Lighting tab they are keys like any other.
  for (const std::size_t locked : kLockedKeySlots) {
    if (Control* key = window_.Find(std::string(kKeyPrefix) + std::to_string(locked))) {
      key->SetEnabled(true);
    }
  }
  const std::uint8_t mode = State().Lighting().mode;
  if (mode == ModeList().custom_mode) {
    bool painted = false;
    {
      KeyboardLightingWrite writing(State());
      painted = PaintCustomKey(State().custom, Model(), slot);
    }
    if (painted) SaveProfiles();
  }
  if (mode == kRippleMode) State().engine_requests.RequestRipple(static_cast<std::uint8_t>(slot));
}

// The live lighting changes before the engine is asked anything, so that the keyboard thread
// never applies a request with older lighting.
void KeyboardLightingPage::StoreEdit(const LightingEdit& edit) {
  {
    KeyboardLightingWrite writing(State());
    edit.ApplyTo(State().live.lighting);
  }
  keyboard_.MarkLightingChanged();
  if ((edit.fields & kDirectionField) != 0) State().engine_requests.RequestWalkRestart();
}

void KeyboardLightingPage::SaveProfiles() {
  links_.profiles.SaveSelected(DeviceKind::kKeyboard, kLightProfile | kDeviceProfile);
}

KeyboardModel KeyboardLightingPage::Model() const {
  const std::optional<KeyboardModel> model =
      links_.model ? KeyboardModelOf(links_.model()) : std::nullopt;
  return model.value_or(kStartingKeyboardModel);
}

bool KeyboardLightingPage::InCustomMode() const {
  return State().Lighting().mode == ModeList().custom_mode;
}

}  // namespace vandrel
