#include "platform/session_bus.h"

#include <systemd/sd-bus.h>

#include <cstring>

namespace vandrel {

void CloseBus::operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }

std::string BusFailure(const std::string& what, int status) {
  return what + ": " + std::strerror(-status);
}

BusPtr OpenBus(const std::string& address, std::string& why) {
  sd_bus* bus = nullptr;
  int status = 0;
  if (address.empty()) {
    status = sd_bus_open_user(&bus);
  } else if ((status = sd_bus_new(&bus)) >= 0) {
    BusPtr opened(bus);
    if ((status = sd_bus_set_address(bus, address.c_str())) >= 0 &&
        (status = sd_bus_set_bus_client(bus, 1)) >= 0 && (status = sd_bus_start(bus)) >= 0) {
      return opened;
    }
    bus = nullptr;
  }
  if (status < 0) {
    why = BusFailure("no session bus", status);
    return nullptr;
  }
  return BusPtr(bus);
}

}  // namespace vandrel
