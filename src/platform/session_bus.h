// The bus connections of the foreground interface's server and its client: to a given address,
// or to the user's session bus. One thread at a time per connection.
#pragma once

#include <memory>
#include <string>

struct sd_bus;

namespace vandrel {

struct CloseBus {
  void operator()(sd_bus* bus) const;
};
using BusPtr = std::unique_ptr<sd_bus, CloseBus>;

// A connection to `address` ("" for the session bus); null with `why` set when there is none.
[[nodiscard]] BusPtr OpenBus(const std::string& address, std::string& why);
// "`what`: " and the text of the negative errno `status`.
[[nodiscard]] std::string BusFailure(const std::string& what, int status);

}  // namespace vandrel
