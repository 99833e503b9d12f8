// BusForegroundProgram: the foreground program of a Wayland session, as compositor helpers report
// it over our D-Bus interface (platform/foreground_bus.h). It owns the interface's name on the
// session bus; a thread of its own sleeps on the bus connection and serves each call, so nothing
// runs while nothing changes, and every report wakes the watchers.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/unique_fd.h"
#include "platform/platform_foreground_program.h"

namespace vandrel {

class BusForegroundProgram final : public PlatformForegroundProgram {
 public:
  // Connects to the bus at `bus_address` ("" for the session bus), takes the interface's name
  // and starts serving it, reading processes under `proc_root`; nullptr with `why` set when there
  // is no bus or the name is taken.
  [[nodiscard]] static std::unique_ptr<BusForegroundProgram> Start(const std::string& bus_address,
                                                                   std::filesystem::path proc_root,
                                                                   std::string& why);
  // Stops the thread and leaves the bus (the name is released with the connection).
  ~BusForegroundProgram() override;

  [[nodiscard]] bool ReportsChanges() const override { return true; }
  [[nodiscard]] std::string Kind() const override { return "wayland"; }
  [[nodiscard]] ForegroundLook Look() const override;
  // The programs the helpers reported in front since the start that still run.
  [[nodiscard]] std::vector<std::string> ProgramsWithWindows() const override;

 private:
  struct Connection;
  BusForegroundProgram(std::unique_ptr<Connection> connection, UniqueFd stop);
  void Serve();

  // The bus itself is used by the thread only, once it runs; the reports it keeps, by any.
  const std::unique_ptr<Connection> connection_;
  const UniqueFd stop_;  // an eventfd: written to end the thread
  std::thread thread_;
};

}  // namespace vandrel
