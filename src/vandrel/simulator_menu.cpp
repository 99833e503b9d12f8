#include "vandrel/simulator_menu.h"

#include <QCursor>
#include <QKeySequence>
#include <algorithm>

#include "sim/device_tags.h"

namespace vandrel {
namespace {

constexpr int kDpiLevels = 6;
constexpr int kLightingModes = 10;
constexpr std::uint16_t kNotifications[] = {sim::kNotifySettingsChanged, sim::kNotifyFullChange,
                                            sim::kNotifyPadFlash};

QString DeviceTitle(const std::string& tag) {
  if (tag == "kb") return "Keyboard";
  return tag == "ms" ? "Mouse" : "Mouse pad";
}

// A submenu of the choices 0…count-1, shown as numbers from `first_shown`.
template <typename Choose>
void AddNumberedMenu(QMenu& parent, const QString& title, int count, int first_shown,
                     Choose choose) {
  QMenu* menu = parent.addMenu(title);
  for (int i = 0; i < count; ++i) {
    QObject::connect(menu->addAction(QString::number(first_shown + i)), &QAction::triggered, menu,
                     [choose, i] { choose(static_cast<std::uint8_t>(i)); });
  }
}

}  // namespace

SimulatorMenu::SimulatorMenu(sim::VirtualBus& bus, const std::vector<std::string>& tags)
    : bus_(bus) {
  for (const std::string tag : {"kb", "ms", "mp"}) devices_[tag] = nullptr;
  for (const std::shared_ptr<sim::SimulatedDevice>& device : bus_.Devices()) {
    const std::string tag(sim::FamilyTag(device->family()));
    if (std::find(tags.begin(), tags.end(), tag) != tags.end()) devices_[tag] = device;
  }
}

void SimulatorMenu::AddTo(QMenu& menu) {
  QMenu* simulator = menu.addMenu("Simulator");
  for (const std::string tag : {"kb", "ms", "mp"}) AddDeviceMenu(*simulator, tag);
}

void SimulatorMenu::AddShortcut(QWidget& window) {
  auto* shortcut = new QShortcut(QKeySequence("Ctrl+Shift+S"), &window);
  connect(shortcut, &QShortcut::activated, this, [this] {
    auto* menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const std::string tag : {"kb", "ms", "mp"}) AddDeviceMenu(*menu, tag);
    menu->popup(QCursor::pos());
  });
}

void SimulatorMenu::AddDeviceMenu(QMenu& parent, const std::string& tag) {
  QMenu* menu = parent.addMenu(DeviceTitle(tag));
  const std::shared_ptr<sim::SimulatedDevice>& device = devices_[tag];
  const bool plugged = device != nullptr && device->present();
  connect(menu->addAction(plugged ? "Unplug" : "Plug in"), &QAction::triggered, this,
          [this, tag] { TogglePlugged(tag); });
  if (plugged) AddDeviceActions(*menu, device);
}

void SimulatorMenu::AddDeviceActions(QMenu& menu,
                                     const std::shared_ptr<sim::SimulatedDevice>& device) {
  menu.addSeparator();
  const int slot_count = static_cast<int>(device->Memory().slot_count());
  AddNumberedMenu(menu, "Switch slot", slot_count, 1,
                  [device](std::uint8_t i) { device->SwitchSlot(i); });
  if (device->family() == sim::DeviceFamily::kMouse) {
    AddNumberedMenu(menu, "DPI level", kDpiLevels, 1,
                    [device](std::uint8_t i) { device->ChangeDpiLevel(i); });
  }
  AddNumberedMenu(menu, "Lighting mode", kLightingModes, 0,
                  [device](std::uint8_t i) { device->ChangeLightingMode(i); });
  if (!device->has_consumer_control()) return;
  QMenu* notify = menu.addMenu("Notify");
  for (const std::uint16_t usage : kNotifications) {
    connect(notify->addAction(QString("0x%1").arg(usage, 4, 16, QChar('0'))), &QAction::triggered,
            this, [device, usage] { device->Notify(usage); });
  }
}

void SimulatorMenu::TogglePlugged(const std::string& tag) {
  std::shared_ptr<sim::SimulatedDevice>& device = devices_[tag];
  if (device != nullptr && device->present()) {
    bus_.Unplug(device);
    device = nullptr;
    return;
  }
  device = bus_.Plug(sim::ProductIdOfTag(tag));
}

}  // namespace vandrel
