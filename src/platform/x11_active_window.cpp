#include "platform/x11_active_window.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vandrel {

namespace {

template <typename Reply>
struct FreeReply {
  void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The property's value when it has `type` and at least one item of `format` bits; else empty.
std::string_view PropertyBytes(const xcb_get_property_reply_t* reply, xcb_atom_t type,
                               std::uint8_t format) {
  if (reply == nullptr || reply->type != type || reply->format != format) return {};
  const int length = xcb_get_property_value_length(reply);
  if (length < format / 8) return {};
  return {static_cast<const char*>(xcb_get_property_value(reply)),
          static_cast<std::size_t>(length)};
}

std::string WindowName(std::uint32_t window) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%x", window);
  return text.data();
}

std::string ThisMachine() {
  std::array<char, 256> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return {};
  return name.data();
}

}  // namespace

struct X11ActiveWindow::Connection {
  xcb_connection_t* server = nullptr;
  xcb_window_t root = XCB_WINDOW_NONE;
  xcb_atom_t active_window = XCB_ATOM_NONE;
  xcb_atom_t wm_pid = XCB_ATOM_NONE;
  xcb_atom_t client_list = XCB_ATOM_NONE;
  // The active window as last read, whose own property changes we follow: a client may name its
  // process only after its window became active.
  xcb_window_t watched = XCB_WINDOW_NONE;

  void Watch(xcb_window_t window) {
    if (window == watched) return;
    // A window that has gone answers with an error event, which TakeEvents passes over.
    const std::uint32_t nothing = XCB_EVENT_MASK_NO_EVENT;
    if (watched != XCB_WINDOW_NONE)
      xcb_change_window_attributes(server, watched, XCB_CW_EVENT_MASK, &nothing);
    const std::uint32_t changes = XCB_EVENT_MASK_PROPERTY_CHANGE;
    if (window != XCB_WINDOW_NONE)
      xcb_change_window_attributes(server, window, XCB_CW_EVENT_MASK, &changes);
    xcb_flush(server);
    watched = window;
  }

  // Whether `change` may change what the active window's owner is.
  bool Concerns(const xcb_property_notify_event_t& change) const {
    if (change.window == root) return change.atom == active_window;
    return change.window == watched &&
           (change.atom == wm_pid || change.atom == XCB_ATOM_WM_CLIENT_MACHINE);
  }

  ~Connection() { xcb_disconnect(server); }

  ReplyPtr<xcb_get_property_reply_t> Property(xcb_window_t window, xcb_atom_t property,
                                              xcb_atom_t type) const {
    return ReplyPtr<xcb_get_property_reply_t>(xcb_get_property_reply(
        server, xcb_get_property(server, 0, window, property, type, 0, 1024), nullptr));
  }

  std::optional<std::uint32_t> Cardinal(xcb_window_t window, xcb_atom_t property,
                                        xcb_atom_t type) const {
    const auto reply = Property(window, property, type);
    const std::string_view bytes = PropertyBytes(reply.get(), type, 32);
    if (bytes.empty()) return std::nullopt;
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
  }

  // The process that owns `window`, trusted only when its client runs on this machine; the
  // reason, when unknown, speaks of "`what`0x…".
  ActiveWindowOwner OwnerOf(xcb_window_t window, const std::string& what) const {
    const std::string name = what + WindowName(window);
    const std::optional<std::uint32_t> pid = Cardinal(window, wm_pid, XCB_ATOM_CARDINAL);
    if (!pid || *pid == 0) return {window, std::nullopt, name + " does not name its process"};
    const std::string machine = ClientMachine(window);
    if (!machine.empty() && machine != ThisMachine())
      return {window, std::nullopt, name + " belongs to a program on " + machine};
    return {window, static_cast<long>(*pid), {}};
  }

  // The machine the window's client says it runs on (WM_CLIENT_MACHINE), empty when not said.
  std::string ClientMachine(xcb_window_t window) const {
    const auto reply = Property(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING);
    const std::string_view bytes = PropertyBytes(reply.get(), XCB_ATOM_STRING, 8);
    return std::string(bytes.substr(0, bytes.find('\0')));
  }
};

X11ActiveWindow::X11ActiveWindow(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

X11ActiveWindow::~X11ActiveWindow() = default;

std::unique_ptr<X11ActiveWindow> X11ActiveWindow::Connect(const std::string& display_name,
                                                          std::string& why) {
  auto connection = std::make_unique<Connection>();
  int screen_number = 0;
  connection->server =
      xcb_connect(display_name.empty() ? nullptr : display_name.c_str(), &screen_number);
  if (xcb_connection_has_error(connection->server) != 0) {
    const char* shown = display_name.empty() ? std::getenv("DISPLAY") : display_name.c_str();
    why = "the X display \"" + std::string(shown != nullptr ? shown : "") + "\" cannot be reached";
    return nullptr;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection->server));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) {
    why = "the X display has no screen " + std::to_string(screen_number);
    return nullptr;
  }
  connection->root = screens.data->root;
  connection->active_window = InternAtom(connection->server, "_NET_ACTIVE_WINDOW");
  connection->wm_pid = InternAtom(connection->server, "_NET_WM_PID");
  connection->client_list = InternAtom(connection->server, "_NET_CLIENT_LIST");
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection->server, connection->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection->server);
  return std::unique_ptr<X11ActiveWindow>(new X11ActiveWindow(std::move(connection)));
}

ActiveWindowOwner X11ActiveWindow::ReadOwner() {
  Connection& c = *connection_;
  const std::optional<std::uint32_t> window = c.Cardinal(c.root, c.active_window, XCB_ATOM_WINDOW);
  c.Watch(window.value_or(XCB_WINDOW_NONE));
  if (!window) return {0, std::nullopt, "the window manager does not say which window is active"};
  if (*window == XCB_WINDOW_NONE) return {0, std::nullopt, "no window is active"};
  return c.OwnerOf(*window, "the active window ");
}

std::vector<long> X11ActiveWindow::ClientProcesses() {
  const Connection& c = *connection_;
  const auto reply = c.Property(c.root, c.client_list, XCB_ATOM_WINDOW);
  const std::string_view bytes = PropertyBytes(reply.get(), XCB_ATOM_WINDOW, 32);
  std::vector<long> processes;
  for (std::size_t at = 0; at + sizeof(std::uint32_t) <= bytes.size();
       at += sizeof(std::uint32_t)) {
    std::uint32_t window = 0;
    std::memcpy(&window, bytes.data() + at, sizeof window);
    if (const ActiveWindowOwner owner = c.OwnerOf(window, ""); owner.pid)
      processes.push_back(*owner.pid);
  }
  return processes;
}

int X11ActiveWindow::FileDescriptor() const { return xcb_get_file_descriptor(connection_->server); }

X11ActiveWindow::Events X11ActiveWindow::TakeEvents() {
  Events events = Events::kNone;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_->server)) {
    if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
      const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
      if (connection_->Concerns(*change)) events = Events::kActiveWindowChanged;
    }
    std::free(event);
  }
  if (xcb_connection_has_error(connection_->server) != 0) return Events::kConnectionLost;
  return events;
}

}  // namespace vandrel
