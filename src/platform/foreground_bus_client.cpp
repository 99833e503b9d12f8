#include "platform/foreground_bus_client.h"

#include <systemd/sd-bus.h>

#include <cstdint>

#include "platform/foreground_bus.h"
#include "platform/session_bus.h"

namespace vandrel {

namespace {

// The program answers at once; a program that hangs must not hang vandrelctl.
constexpr std::uint64_t kCallTimeoutUs = 2'000'000;

struct FreeMessage {
  void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using MessagePtr = std::unique_ptr<sd_bus_message, FreeMessage>;

std::string CallFailure(const sd_bus_error& error, int status) {
  if (sd_bus_error_has_name(&error, SD_BUS_ERROR_SERVICE_UNKNOWN) ||
      sd_bus_error_has_name(&error, SD_BUS_ERROR_NAME_HAS_NO_OWNER)) {
    return "the desktop program is not running (nothing serves " + std::string(kForegroundBusName) +
           " on the session bus)";
  }
  if (error.message != nullptr)
    return std::string("the desktop program did not answer: ") + error.message;
  return BusFailure("the desktop program did not answer", status);
}

// The reply to `method` (no arguments) of the interface; null with `why` set on failure.
MessagePtr Call(const std::string& bus_address, const char* method, std::string& why) {
  const BusPtr bus = OpenBus(bus_address, why);
  if (!bus) return nullptr;
  (void)sd_bus_set_method_call_timeout(bus.get(), kCallTimeoutUs);
  const std::string name(kForegroundBusName);
  const std::string path(kForegroundBusPath);
  const std::string interface(kForegroundBusInterface);
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int status = sd_bus_call_method(bus.get(), name.c_str(), path.c_str(), interface.c_str(),
                                        method, &error, &reply, "");
  if (status < 0) why = CallFailure(error, status);
  sd_bus_error_free(&error);
  return MessagePtr(status < 0 ? nullptr : reply);
}

}  // namespace

std::optional<ForegroundLook> AskForegroundLook(const std::string& bus_address, std::string& why) {
  const MessagePtr reply = Call(bus_address, "Look", why);
  if (!reply) return std::nullopt;
  const char* program = nullptr;
  const char* why_unknown = nullptr;
  const char* app_id = nullptr;
  std::int64_t pid = 0;
  int wine = 0;
  if (const int status =
          sd_bus_message_read(reply.get(), "sssxb", &program, &why_unknown, &app_id, &pid, &wine);
      status < 0) {
    why = BusFailure("the desktop program's answer cannot be read", status);
    return std::nullopt;
  }
  ForegroundLook look{.why_unknown = why_unknown, .wine = wine != 0, .app_id = app_id};
  if (*program != '\0') look.path = program;
  if (pid != 0) look.pid = static_cast<long>(pid);
  return look;
}

std::optional<std::vector<std::string>> AskProgramsWithWindows(const std::string& bus_address,
                                                               std::string& why) {
  const MessagePtr reply = Call(bus_address, "Programs", why);
  if (!reply) return std::nullopt;
  std::vector<std::string> programs;
  int status = sd_bus_message_enter_container(reply.get(), 'a', "s");
  const char* program = nullptr;
  while (status >= 0 && (status = sd_bus_message_read_basic(reply.get(), 's', &program)) > 0)
    programs.emplace_back(program);
  if (status < 0) {
    why = BusFailure("the desktop program's answer cannot be read", status);
    return std::nullopt;
  }
  return programs;
}

}  // namespace vandrel
