// A private X server for tests, and a small X client that plays the window manager and its
// clients: windows with _NET_WM_PID and WM_CLIENT_MACHINE, and the root's _NET_ACTIVE_WINDOW.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/server_process.h"

struct xcb_connection_t;

namespace vandrel::testing {

// Xvfb on a display number it picks itself (-displayfd), ended with the object.
class XvfbServer {
 public:
  XvfbServer();

  // ":N", or empty when the server could not start (a test then skips, saying why_not).
  [[nodiscard]] const std::string& display() const { return display_; }
  [[nodiscard]] const std::string& why_not() const { return server_.why_not(); }
  [[nodiscard]] pid_t pid() const { return server_.pid(); }
  // Ends the server now (its clients lose their connections), waiting for it within a deadline.
  void Kill() { server_.Kill(); }

 private:
  ServerProcess server_;
  std::string display_;
};

class X11TestClient {
 public:
  explicit X11TestClient(const std::string& display);
  ~X11TestClient();
  X11TestClient(const X11TestClient&) = delete;
  X11TestClient& operator=(const X11TestClient&) = delete;

  // A new window with `pid` as _NET_WM_PID (0: none) and `machine` as WM_CLIENT_MACHINE ("": none).
  std::uint32_t MakeWindow(std::uint32_t pid, std::string_view machine);
  // Sets `window`'s _NET_WM_PID, as a client that names its process late, and returns once the
  // server has done it.
  void NameProcess(std::uint32_t window, std::uint32_t pid);
  // Sets the root's _NET_ACTIVE_WINDOW (0: none) and returns once the server has done it.
  void Activate(std::uint32_t window);
  // Sets the root's _NET_CLIENT_LIST, as a window manager lists the windows it manages, and
  // returns once the server has done it.
  void ListClients(const std::vector<std::uint32_t>& windows);

 private:
  std::uint32_t Atom(std::string_view name);
  void Set(std::uint32_t window, std::uint32_t property, std::uint32_t type, std::uint8_t format,
           std::uint32_t count, const void* data);

  xcb_connection_t* connection_;
  std::uint32_t root_;
};

// This machine's name, as a client of it writes in WM_CLIENT_MACHINE.
[[nodiscard]] std::string ThisMachineName();

}  // namespace vandrel::testing
