// SimulatorMenu: by-hand control of the simulated devices while the program runs: plug each one
// in or out, and take the actions a user could take on the device itself (switch the slot, the
// DPI level or the lighting mode, send a consumer-control notification). It is offered as a
// "Simulator" submenu of the tray menu and on Ctrl+Shift+S in the main window.
// User-interface thread only.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/virtual_bus.h"

namespace vandrel {

class SimulatorMenu final : public QObject {
  Q_OBJECT

 public:
  // `bus` must outlive the menu; `tags` are the devices plugged at the start ("kb", "ms", "mp").
  SimulatorMenu(sim::VirtualBus& bus, const std::vector<std::string>& tags);

  // Appends the "Simulator" submenu to `menu`.
  void AddTo(QMenu& menu);
  // Opens the menu at the cursor on Ctrl+Shift+S in `window`.
  void AddShortcut(QWidget& window);

 private:
  void AddDeviceMenu(QMenu& parent, const std::string& tag);
  void AddDeviceActions(QMenu& menu, const std::shared_ptr<sim::SimulatedDevice>& device);
  void TogglePlugged(const std::string& tag);

  sim::VirtualBus& bus_;
  std::map<std::string, std::shared_ptr<sim::SimulatedDevice>> devices_;  // null: unplugged
};

}  // namespace vandrel
