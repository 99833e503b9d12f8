#include "vandrel/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/main_ini.h"
#include "app/product.h"
#include "app/window_messages.h"
#include "core/trace.h"
#include "device/hidraw/hidraw_backend.h"
#include "device/hidraw/udev_node_source.h"
#include "macro/device_bindings.h"
#include "sim/device_tags.h"
#include "ui/about_window.h"
#include "ui/qt/picture_reading.h"
#include "ui/qt/skin_style.h"
#include "ui/skin_observer.h"

namespace vandrel {
namespace {

// For benchmarks: what each simulated device received (its lighting frames over the seconds since
// the first of them, and its requests), and what the devices have cost each thread that talks to
// them (processor time and wake-ups), all counted from the start.
void PrintSimulatorStatistics(const sim::VirtualBus& bus, const Clock& clock) {
  for (const std::shared_ptr<sim::SimulatedDevice>& device : bus.Devices()) {
    const std::optional<Clock::Duration> first = device->FirstFrameTime();
    const double seconds =
        first ? std::chrono::duration<double>(clock.Now() - *first).count() : 0.0;
    std::fprintf(stderr,
                 "vandrel: simulated device %04x: %d lighting frames in %.3f s, %d requests\n",
                 device->product_id(), device->FramesReceived(), seconds, device->RequestCount());
  }
  for (const sim::SimCpuLedger::Entry& entry : bus.CpuTotals()) {
    std::fprintf(stderr, "vandrel: simulator time in thread %s: %lld ns, %lld wake-ups\n",
                 entry.thread.c_str(), static_cast<long long>(entry.cpu_ns),
                 static_cast<long long>(entry.wakeups));
  }
  std::fprintf(stderr, "vandrel: end of the simulator statistics\n");
}

// The program's icon, read as the PNG it is.
QIcon ProgramIcon() {
  QFile file(QStringLiteral(":/vandrel.png"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QIcon(QPixmap::fromImage(ReadPicture(file, "png")));
}

}  // namespace

std::unique_ptr<Application> Application::Create(const ProgramOptions& options,
                                                 const SingleInstance& instance,
                                                 std::string& error) {
  std::unique_ptr<Application> application(new Application(options));
  if (!application->LoadSkin(error) || !application->MakeBackend(error)) return nullptr;
  application->MakeHub(instance);
  return application;
}

Application::Application(const ProgramOptions& options)
    : options_(options), skin_(user_folders_.ProgramFolder() / "skin") {}

Application::~Application() = default;

bool Application::LoadSkin(std::string& error) {
  if (!skin_.LoadIndex()) {
    error = "cannot read the skin's index " + (skin_.Folder() / "res.xml").string();
    return false;
  }
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    if (!ApplySkinStyle(*application, skin_)) Trace("the skin has no style sheet: Qt's own look");
  }
  window_ = BuildWindow(skin_, "XML_MAIN", texts_);
  std::unique_ptr<QtWindowView> view = window_ ? QtWindowView::Create(*window_, skin_) : nullptr;
  if (!view) {
    error = "cannot build the main window from the skin in " + skin_.Folder().string();
    return false;
  }
  host_ = std::make_unique<QtWindowHost>(std::move(view), ui_, QString::fromUtf8(kProductTitle),
                                         ProgramIcon());
  capture_ = std::make_unique<QtInputCapture>(*host_->Widget(), ui_);
  QtDialogsServices services;
  services.remember_skin_picture = [this](int flags, std::string_view image) {
    const MainIni main_ini(folders_);
    if (!main_ini.WriteSkinFlags(flags) || !main_ini.WriteSkinImage(image)) {
      Trace("main.ini: the skin picture could not be remembered");
    }
  };
  std::error_code ignored;
  const std::filesystem::path readme =
      std::filesystem::absolute(user_folders_.ProgramFolder() / VANDREL_README, ignored);
  services.about_link = AboutLinkFor(VANDREL_HOMEPAGE, readme.lexically_normal());
  services.version = VANDREL_VERSION;
  dialogs_ = std::make_unique<QtDialogs>(
      skin_, texts_,
      [this](WindowModel* owner) { return owner == window_.get() ? host_->Widget() : nullptr; },
      std::move(services));
  return true;
}

bool Application::MakeBackend(std::string& error) {
  if (!options_.simulate) {
    backend_ = std::make_unique<HidrawBackend>(std::make_unique<UdevNodeSource>());
    return true;
  }
  auto bus = std::make_unique<sim::VirtualBus>(clock_);
  if (!options_.sim_trace.empty() && !bus->SetTraceFile(options_.sim_trace)) {
    error = "cannot write the simulator trace " + options_.sim_trace.string();
    return false;
  }
  for (const std::string& tag : *options_.simulate) {
    const std::shared_ptr<sim::SimulatedDevice> device = bus->Plug(sim::ProductIdOfTag(tag));
    if (options_.sim_usb_timing) device->SetFaults({.usb_timing = true});
    if (options_.sim_lighting) {
      device->SetLighting(options_.sim_lighting->first, options_.sim_lighting->second);
    }
  }
  if (options_.sim_stats) bus->AccountCpu();
  bus_ = bus.get();
  backend_ = std::move(bus);
  return true;
}

// The threads render from the devices' published lighting and send through the devices; the
// mouse's thread keeps the hub's mouse lighting timer running.
void Application::MakeLightingThreads() {
  static constexpr Clock::Duration kMouseLightingTimer = std::chrono::milliseconds(500);
  KeyboardDevice& keyboard = keyboard_->device();
  PadDevice& pad = pad_->device();
  lighting_ = std::make_unique<LightingThreads>(LightingThreadInputs{
      clock_, hub_->channels(), [this] { return hub_->keyboard_model(); }, keyboard_->state(),
      mouse_->state().shared_lighting, pad_->animation(), same_mode_->Common(),
      [&keyboard](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
        return keyboard.SendFrame(model, mode, image) == kChannelSuccess;
      },
      [this, &pad](const PadFrame& frame) {
        const bool shown = pad.SendFrame(frame) == kChannelSuccess;
        pad_frame_sent_.store(true);
        return shown;
      },
      [this] { hub_->link().SetTimer(kTimerMouseLighting, kMouseLightingTimer); },
      [this] { return hub_->TakePadFlashRequest(); }, &hub_->PadFlashRequests()});
  lighting_->AttachTo(hub_->threads());
}

// The mouse's and the pad's first profiles are made as the pages are built; each device's stored
// profile is applied once it has been read.
void Application::MakeDeviceProfiles() {
  hub_->SetProfileSaver(profiles_);
  device_profiles_ = std::make_unique<DeviceProfiles>(
      folders_, profiles_,
      ProfileDevices{mouse_->device(), keyboard_->device(), pad_->device(),
                     [this] { return hub_->keyboard_model(); },
                     [this](std::string_view message_id) {
                       (void)dialogs_->ShowMessage(window_.get(), message_id, true);
                     }});
  profile_page_ = std::make_unique<ProfilePage>(
      *window_, *dialogs_, *device_profiles_, profiles_, [this] { return hub_->keyboard_model(); },
      [this](DeviceKind device) {
        if (device == DeviceKind::kMouse) mouse_->RefreshPages();
        if (device == DeviceKind::kKeyboard) keyboard_->RefreshPages();
        if (device == DeviceKind::kPad) pad_->RefreshPages();
      });
  hub_->SetPageHandler(Page::kProfiles,
                       [this](const Notification& n) { (void)profile_page_->Handle(n); });
  hub_->AddStartupStep([this] { profile_page_->Start(); });
  mouse_->part().SetStoredProfile(
      [this] { return profile_page_->RestoreSelection(DeviceKind::kMouse); });
  keyboard_->part().SetStoredProfile(
      [this] { return profile_page_->RestoreSelection(DeviceKind::kKeyboard); });
  pad_->part().SetStoredProfile(
      [this] { return profile_page_->RestoreSelection(DeviceKind::kPad); });
}

// The watchers' requests are carried out on the user-interface thread, as the hub receives them.
void Application::MakeProfileWatchers() {
  watchers_ = std::make_unique<ProfileWatchers>(
      [this](DeviceKind device) -> const ProfileCatalogue& {
        return device_profiles_->catalogue(device);
      },
      *foreground_, clock_, ui_);
  watchers_->AttachTo(hub_->threads());
  profile_page_->SetLinksChanged(
      [this](DeviceKind device, ProfileKind kind) { watchers_->Recheck(device, kind); });
  profile_page_->SetRunningPrograms([this] { return foreground_->ProgramsWithWindows(); });
  hub_->SetLinkedProfileHandler([this](std::intptr_t row, std::intptr_t number) {
    CarryLinkedProfile(*profile_page_, row, number, hub_->channels().keyboard.connected());
  });
}

void Application::MakeHub(const SingleInstance& instance) {
  hub_ = std::make_unique<CMainWnd>(MainWindowServices{*window_, skin_, ui_, *host_, *dialogs_,
                                                       clock_, *backend_, folders_, settings_,
                                                       GetSkinObserver()});
  same_mode_ = std::make_unique<SameMode>(hub_->channels());
  mouse_ = std::make_unique<MouseComponents>(*hub_, *window_, *dialogs_, pointer_settings_,
                                             profiles_, *same_mode_);
  keyboard_ =
      std::make_unique<KeyboardComponents>(*hub_, *window_, *dialogs_, profiles_, *same_mode_);
  pad_ = std::make_unique<PadComponents>(*hub_, *window_, profiles_, *same_mode_);
  macros_ =
      std::make_unique<MacroComponents>(*hub_, *window_, *dialogs_, folders_, *capture_, clock_);
  mouse_->ConnectMacros(macros_->editor(DeviceKind::kMouse).store(), macros_->capture(),
                        folders_.GetProgramFolder());
  macros_->hook_receivers().Set(kMessageMouseSingleKey,
                                [this](std::intptr_t wparam, std::intptr_t lparam) {
                                  mouse_->buttons().TakeCapturedKey(wparam, lparam);
                                });
  macros_->FollowBindings(
      DeviceKind::kMouse, [this] { return MouseBindingTables(mouse_->state()); },
      [this] { mouse_->RefreshPages(); });
  macros_->FollowBindings(
      DeviceKind::kKeyboard, [this] { return KeyboardBindingTables(keyboard_->state()); },
      [this] { keyboard_->RefreshPages(); });
  KeyboardKeyPage& key_page = keyboard_->key_page();
  key_page.SetMacros(macros_->store(DeviceKind::kKeyboard));
  key_page.SetCapture(macros_->capture());
  key_page.ReceiveCapturedKeys(macros_->hook_receivers());
  MakeDeviceProfiles();
  MakeProfileWatchers();
  MakeLightingThreads();
  if (instance.role() == SingleInstance::Role::kFirst) {
    activation_ = std::make_unique<ActivationServer>(std::string(kActivationName), [this] {
      Trace("activation: another copy asked for the window");
      ui_.Post(kMessageActivate, 0, 0);
    });
    const bool listening = activation_->Listen(instance.socket_path());
    Trace(std::string(listening ? "activation: listening at " : "activation: cannot listen at ") +
          instance.socket_path().string());
  }
  std::function<void()> report;
  if (options_.sim_stats && bus_ != nullptr) {
    report = [this] { PrintSimulatorStatistics(*bus_, clock_); };
  }
  signals_ = std::make_unique<ProgramSignals>([this] { ui_.Post(kMessageDestroy, 0, 0); },
                                              std::move(report));
  if (bus_ != nullptr) {
    simulator_menu_ = std::make_unique<SimulatorMenu>(*bus_, *options_.simulate);
    host_->SetMenuExtension([this](QMenu& menu) { simulator_menu_->AddTo(menu); });
    simulator_menu_->AddShortcut(*host_->Widget());
  }
  if (!options_.screenshot.empty() || !options_.show_view.empty()) {
    const std::string& view =
        options_.screenshot.empty() ? options_.show_view : options_.screenshot_view;
    screenshot_ = std::make_unique<Screenshot>(
        Screenshot::Request{options_.screenshot, view,
                            options_.simulate.value_or(std::vector<std::string>{}),
                            [this] { return pad_frame_sent_.load(); }},
        *hub_, *window_, *host_, ui_, *dialogs_);
  }
}

int Application::Run() {
  first_paint_ = std::make_unique<FirstPaintTrace>(*host_->Widget());
  hub_->InitWindow();
  host_->Show();
  window_->RaiseWindowInit();
  if (screenshot_) screenshot_->Start();
  (void)QCoreApplication::exec();
  if (options_.sim_stats && bus_ != nullptr) PrintSimulatorStatistics(*bus_, clock_);
  if (hub_->threads_abandoned()) {
    // Threads still running use the hub and the devices: none of it may be destroyed.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
  }
  lighting_.reset();
  watchers_.reset();
  profile_page_.reset();
  device_profiles_.reset();
  pad_.reset();
  keyboard_.reset();
  mouse_.reset();
  // The hub ends any recording through its macro part as it goes, so the macros outlive it.
  hub_.reset();
  macros_.reset();
  return screenshot_ && screenshot_->failed() ? 1 : 0;
}

}  // namespace vandrel
