#include "support/x11_test_server.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace vandrel::testing {

XvfbServer::XvfbServer()
    : server_({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "64x64x24"}, false) {
  if (!server_.line().empty()) display_ = ":" + server_.line();
}

X11TestClient::X11TestClient(const std::string& display)
    : connection_(xcb_connect(display.c_str(), nullptr)),
      root_(xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root) {}

X11TestClient::~X11TestClient() { xcb_disconnect(connection_); }

std::uint32_t X11TestClient::MakeWindow(std::uint32_t pid, std::string_view machine) {
  const xcb_window_t window = xcb_generate_id(connection_);
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 8, 8, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  if (pid != 0) Set(window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
  if (!machine.empty()) {
    Set(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
        static_cast<std::uint32_t>(machine.size()), machine.data());
  }
  return window;
}

void X11TestClient::Activate(std::uint32_t window) {
  Set(root_, Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

void X11TestClient::NameProcess(std::uint32_t window, std::uint32_t pid) {
  Set(window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

void X11TestClient::ListClients(const std::vector<std::uint32_t>& windows) {
  Set(root_, Atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32,
      static_cast<std::uint32_t>(windows.size()), windows.data());
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

std::uint32_t X11TestClient::Atom(std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection_,
      xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

void X11TestClient::Set(std::uint32_t window, std::uint32_t property, std::uint32_t type,
                        std::uint8_t format, std::uint32_t count, const void* data) {
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, format, count,
                      data);
}

std::string ThisMachineName() {
  std::array<char, 256> name{};
  return gethostname(name.data(), name.size() - 1) == 0 ? name.data() : "";
}

}  // namespace vandrel::testing
