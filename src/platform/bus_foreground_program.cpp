#include "platform/bus_foreground_program.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <systemd/sd-bus.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "core/thread_name.h"
#include "platform/foreground_bus.h"
#include "platform/session_bus.h"
#include "platform/window_reports.h"

namespace vandrel {

struct BusForegroundProgram::Connection {
  Connection(BusPtr opened, std::filesystem::path proc_root)
      : bus(std::move(opened)), reports(std::move(proc_root)) {}
  ~Connection() { sd_bus_slot_unref(slot); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  static int OnWindowActivated(sd_bus_message* call, void* data, sd_bus_error* error);
  static int OnNothingActive(sd_bus_message* call, void* data, sd_bus_error* error);
  static int OnLook(sd_bus_message* call, void* data, sd_bus_error* error);
  static int OnPrograms(sd_bus_message* call, void* data, sd_bus_error* error);
  static const sd_bus_vtable kVtable[];

  BusPtr bus;
  sd_bus_slot* slot = nullptr;  // the interface's registration, released before the bus
  WindowReports reports;
  BusForegroundProgram* owner = nullptr;  // set before the thread starts
};

namespace {

// How long poll may sleep before sd-bus has a time-out of its own to handle; -1: none.
int PollTimeout(sd_bus* bus) {
  std::uint64_t until = 0;
  if (sd_bus_get_timeout(bus, &until) < 0 || until == UINT64_MAX) return -1;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t now_us = static_cast<std::uint64_t>(now.tv_sec) * 1000000u +
                               static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
  if (until <= now_us) return 0;
  return static_cast<int>(std::min<std::uint64_t>((until - now_us + 999) / 1000, 60000));
}

}  // namespace

int BusForegroundProgram::Connection::OnWindowActivated(sd_bus_message* call, void* data,
                                                        sd_bus_error* error) {
  auto* connection = static_cast<Connection*>(data);
  const char* pid = nullptr;
  const char* app_id = nullptr;
  if (const int status = sd_bus_message_read(call, "ss", &pid, &app_id); status < 0) return status;
  const bool valid = connection->reports.Activated(pid, app_id);
  connection->owner->NotifyChanged();
  if (!valid) {
    return sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS,
                            "the process must be given as decimal digits");
  }
  return sd_bus_reply_method_return(call, "");
}

int BusForegroundProgram::Connection::OnNothingActive(sd_bus_message* call, void* data,
                                                      sd_bus_error*) {
  auto* connection = static_cast<Connection*>(data);
  connection->reports.NothingActive();
  connection->owner->NotifyChanged();
  return sd_bus_reply_method_return(call, "");
}

int BusForegroundProgram::Connection::OnLook(sd_bus_message* call, void* data, sd_bus_error*) {
  const ForegroundLook look = static_cast<Connection*>(data)->reports.Look();
  return sd_bus_reply_method_return(call, "sssxb", look.path ? look.path->c_str() : "",
                                    look.path ? "" : look.why_unknown.c_str(), look.app_id.c_str(),
                                    std::int64_t{look.pid.value_or(0)}, int{look.wine});
}

int BusForegroundProgram::Connection::OnPrograms(sd_bus_message* call, void* data, sd_bus_error*) {
  const std::vector<std::string> programs =
      static_cast<Connection*>(data)->reports.RunningPrograms();
  sd_bus_message* reply = nullptr;
  int status = sd_bus_message_new_method_return(call, &reply);
  if (status >= 0) status = sd_bus_message_open_container(reply, 'a', "s");
  for (std::size_t i = 0; status >= 0 && i < programs.size(); ++i)
    status = sd_bus_message_append_basic(reply, 's', programs[i].c_str());
  if (status >= 0) status = sd_bus_message_close_container(reply);
  if (status >= 0) status = sd_bus_send(nullptr, reply, nullptr);
  sd_bus_message_unref(reply);
  return status;
}

const sd_bus_vtable BusForegroundProgram::Connection::kVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("WindowActivated", "ss", "", &Connection::OnWindowActivated,
                  SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("NothingActive", "", "", &Connection::OnNothingActive,
                  SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Look", "", "sssxb", &Connection::OnLook, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Programs", "", "as", &Connection::OnPrograms, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END};

std::unique_ptr<BusForegroundProgram> BusForegroundProgram::Start(const std::string& bus_address,
                                                                  std::filesystem::path proc_root,
                                                                  std::string& why) {
  BusPtr opened = OpenBus(bus_address, why);
  if (!opened) return nullptr;
  sd_bus* bus = opened.get();
  auto connection = std::make_unique<Connection>(std::move(opened), std::move(proc_root));
  const std::string path(kForegroundBusPath);
  const std::string interface(kForegroundBusInterface);
  int status = sd_bus_add_object_vtable(bus, &connection->slot, path.c_str(), interface.c_str(),
                                        Connection::kVtable, connection.get());
  if (status < 0) {
    why = BusFailure("the foreground interface cannot be offered", status);
    return nullptr;
  }
  // Taken last, so that a helper never finds the name without the interface behind it.
  const std::string name(kForegroundBusName);
  if ((status = sd_bus_request_name(bus, name.c_str(), 0)) < 0) {
    why = status == -EEXIST ? name + " is taken on the session bus (another copy of the program?)"
                            : BusFailure("the name " + name + " cannot be taken", status);
    return nullptr;
  }
  UniqueFd stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!stop.valid()) {
    why = "no event descriptor for the bus thread";
    return nullptr;
  }
  return std::unique_ptr<BusForegroundProgram>(
      new BusForegroundProgram(std::move(connection), std::move(stop)));
}

BusForegroundProgram::BusForegroundProgram(std::unique_ptr<Connection> connection, UniqueFd stop)
    : connection_(std::move(connection)), stop_(std::move(stop)) {
  connection_->owner = this;
  thread_ = std::thread([this] { Serve(); });
}

BusForegroundProgram::~BusForegroundProgram() {
  const std::uint64_t one = 1;
  while (write(stop_.get(), &one, sizeof one) < 0 && errno == EINTR) {
  }
  thread_.join();
}

ForegroundLook BusForegroundProgram::Look() const { return connection_->reports.Look(); }

std::vector<std::string> BusForegroundProgram::ProgramsWithWindows() const {
  return connection_->reports.RunningPrograms();
}

// Serves calls until the stop descriptor is written; sleeps on the bus between them.
void BusForegroundProgram::Serve() {
  NameThisThread("bus-foreground");
  sd_bus* bus = connection_->bus.get();
  for (;;) {
    const int processed = sd_bus_process(bus, nullptr);
    if (processed < 0) {
      connection_->reports.Lost("the session bus has closed the connection");
      NotifyChanged();
      return;
    }
    if (processed > 0) continue;
    std::array<pollfd, 2> waits{
        {{sd_bus_get_fd(bus), static_cast<short>(sd_bus_get_events(bus)), 0},
         {stop_.get(), POLLIN, 0}}};
    if (poll(waits.data(), waits.size(), PollTimeout(bus)) < 0 && errno != EINTR) {
      connection_->reports.Lost("waiting on the session bus failed");
      NotifyChanged();
      return;
    }
    if (waits[1].revents != 0) return;
  }
}

}  // namespace vandrel
