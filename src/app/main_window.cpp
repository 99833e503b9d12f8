#include "app/main_window.h"

#include <string>

#include "app/hub_link.h"
#include "app/language.h"
#include "app/product.h"
#include "app/window_messages.h"
#include "core/trace.h"
#include "device/product_ids.h"

namespace vandrel {
namespace {

constexpr std::uint32_t kInitialPaletteColour = 0xFF0199CB;
constexpr std::string_view kPalettes[] = {"ms_deng_Color_Pallet", "mp_deng_Color_Pallet",
                                          "kb_deng_Color_Pallet"};
constexpr Clock::Duration kSettleBeforeLanguage = std::chrono::milliseconds(100);
constexpr Clock::Duration kApplyPeriod = std::chrono::milliseconds(100);
constexpr Clock::Duration kFirstRepaint = std::chrono::milliseconds(100);

// The few language-independent texts the main window answers itself.
std::optional<std::string> QueryControlText(const TextResources& texts, std::string_view id) {
  const bool english = texts.LanguageName() == "en";
  if (id == "titletext") return english ? "Duilib Demo v1.1" : "mouse";
  if (id == "hometext") return english ? "{a}Home Page{/a}" : "{a}演示官网{/a}";
  return std::nullopt;
}

template <std::size_t N>
void LookUpFamily(const WindowModel& window, std::string_view prefix,
                  std::array<Control*, N>& controls) {
  for (std::size_t i = 0; i < N; ++i) {
    controls[i] = window.Find(std::string(prefix) + std::to_string(i));
  }
}

}  // namespace

CMainWnd::CMainWnd(const MainWindowServices& services)
    : window_(services.window),
      skin_(services.skin),
      ui_(services.ui),
      host_(services.host),
      dialogs_(services.dialogs),
      clock_(services.clock),
      folders_(services.folders),
      settings_(services.settings),
      skin_observer_(services.skin_observer),
      main_ini_(services.folders),
      keyboard_channel_(services.backend, services.clock),
      mouse_channel_(services.backend, services.clock),
      pad_channel_(services.backend, services.clock),
      link_(MakeLink()),
      keyboard_monitor_(DeviceKind::kKeyboard, channels_, *link_, services.clock),
      mouse_monitor_(DeviceKind::kMouse, channels_, *link_, services.clock),
      pad_monitor_(DeviceKind::kPad, channels_, *link_, services.clock),
      mouse_listener_(DeviceKind::kMouse, services.backend, *link_, services.clock),
      keyboard_listener_(DeviceKind::kKeyboard, services.backend, *link_, services.clock),
      threads_(services.clock) {
  threads_.SetBody(WorkerSlot::kKeyboardMonitor,
                   [this](Event& stop) { keyboard_monitor_.Run(stop); });
  threads_.SetBody(WorkerSlot::kMouseMonitor, [this](Event& stop) { mouse_monitor_.Run(stop); });
  threads_.SetBody(WorkerSlot::kPadMonitor, [this](Event& stop) { pad_monitor_.Run(stop); });
  threads_.SetBody(WorkerSlot::kMouseListener, [this](Event& stop) { mouse_listener_.Run(stop); });
  threads_.SetBody(WorkerSlot::kKeyboardListener,
                   [this](Event& stop) { keyboard_listener_.Run(stop); });
}

CMainWnd::~CMainWnd() {
  (void)threads_.Stop();
  if (macro_part_ != nullptr) macro_part_->StopRecording();
  if (skin_receiver_number_ >= 0) skin_observer_.RemoveReceiver(skin_receiver_number_);
  window_.Texts().SetTextQuery(nullptr);
  window_.SetNotifyHandler(nullptr);
  if (!destroyed_) host_.RemoveTrayIcon();
}

void CMainWnd::SetDevicePart(DeviceKind kind, DevicePart& part) {
  device_parts_[static_cast<std::size_t>(kind)] = &part;
}

void CMainWnd::SetMacroPart(MacroPart& part) { macro_part_ = &part; }

void CMainWnd::SetProfileSaver(ProfileSaver& profiles) { profiles_ = &profiles; }

void CMainWnd::SetPageHandler(Page page, PageHandler handler) {
  page_handlers_[static_cast<std::size_t>(page)] = std::move(handler);
}

void CMainWnd::SetLinkedProfileHandler(
    std::function<void(std::intptr_t row, std::intptr_t number)> handler) {
  linked_profile_handler_ = std::move(handler);
}

void CMainWnd::AddStartupStep(std::function<void()> step) {
  startup_steps_.push_back(std::move(step));
}

DevicePart& CMainWnd::PartOf(DeviceKind kind) const {
  static DevicePart absent;
  DevicePart* part = device_parts_[static_cast<std::size_t>(kind)];
  return part != nullptr ? *part : absent;
}

MacroPart& CMainWnd::Macros() const {
  static MacroPart absent;
  return macro_part_ != nullptr ? *macro_part_ : absent;
}

std::unique_ptr<CMainWnd::Link> CMainWnd::MakeLink() { return std::make_unique<Link>(*this); }

MainWindowLink& CMainWnd::link() { return *link_; }

bool CMainWnd::AnyDeviceConnected() const {
  return keyboard_channel_.connected() || mouse_channel_.connected() || pad_channel_.connected();
}

void CMainWnd::InitWindow() {
  TextResources& texts = window_.Texts();
  texts.SetTextQuery([&texts](std::string_view id) { return QueryControlText(texts, id); });
  const Language chinese = LanguageForSetting(1);
  (void)texts.LoadLanguage(chinese.name, skin_.Folder() / chinese.file);
  skin_receiver_number_ = skin_observer_.AddReceiver(*this);

  close_button_ = window_.Find("closebtn");
  min_button_ = window_.Find("minbtn");
  skin_button_ = window_.Find("skinbtn");
  LookUpFamily(window_, "kb_key_", keyboard_keys_);
  keyboard_picture_ = window_.Find("kb_keys_area");
  pad_picture_ = window_.Find("mp_deng_pad");

  for (std::string_view name : kPalettes) {
    if (Control* palette = window_.Find(name)) palette->SetSelectedColour(kInitialPaletteColour);
  }
  if (!host_.CreateTrayIcon(kProductTitle)) Trace("no notification area yet: no tray icon");
  AddMenuShortcuts();
  window_.SetNotifyHandler([this](const Notification& notification) { Notify(notification); });
  ui_.SetTarget(this);
}

void CMainWnd::OnWindowInit() {
  RestoreSkinPicture();
  for (const std::function<void()>& step : startup_steps_) step();
  keyboard_channel_.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
  mouse_channel_.SetIdentity(ChannelIdentityOf(DeviceKind::kMouse));
  pad_channel_.SetIdentity(ChannelIdentityOf(DeviceKind::kPad));
  for (DeviceChannel* channel : {&keyboard_channel_, &mouse_channel_, &pad_channel_}) {
    channel->set_connected(false);
  }
  clock_.Sleep(kSettleBeforeLanguage);
  MirrorStoredLanguage();
  host_.Hide();
  threads_.Start();
  ui_.SetTimer(kTimerApplyPending, kApplyPeriod);
  ui_.SetTimer(kTimerRepaint, kFirstRepaint);
  LoadLanguage();
}

void CMainWnd::OnDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  host_.RemoveTrayIcon();
  host_.Hide();
  // A listener waiting for the window to handle its message must not hold up the stop.
  ui_.StopSending();
  stop_outcome_ = threads_.Stop();
  if (profiles_ != nullptr) profiles_->FlushAll();
  host_.Quit();
}

void CMainWnd::RestoreSkinPicture() {
  if (main_ini_.ReadSkinFlags() != 1) return;
  window_.Root().SetBackgroundColour(0);
  window_.Root().SetBackgroundImage(main_ini_.ReadSkinImage());
}

void CMainWnd::MirrorStoredLanguage() {
  const std::optional<std::string> stored = settings_.ReadValue(kLanguageValueName);
  if (!stored) {
    Trace("no stored language: main.ini keeps its own");
    return;
  }
  if (!main_ini_.WriteLanguage(LanguageSettingFromStored(*stored))) {
    Trace("main.ini: the stored language could not be written");
  }
}

void CMainWnd::LoadLanguage() {
  const Language language = LanguageForSetting(main_ini_.ReadLanguage());
  (void)window_.Texts().LoadLanguage(language.name, skin_.Folder() / language.file);
}

void CMainWnd::SetLanguage(int language) {
  const Language chosen = LanguageForSetting(language);
  (void)window_.Texts().LoadLanguage(chosen.name, skin_.Folder() / chosen.file);
  if (!main_ini_.WriteLanguage(language)) Trace("main.ini: the language could not be written");
  if (!settings_.WriteValue(kLanguageValueName, StoredLanguageText(language))) {
    Trace("no settings store: the language is kept in main.ini only");
  }
  host_.Repaint();
}

int CMainWnd::Receive(const SkinChangedParam& param) {
  ApplySkinToRoot(window_, param);
  return 1;
}

}  // namespace vandrel
