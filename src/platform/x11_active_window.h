// X11ActiveWindow: one connection to an X server, for what naming the foreground program needs:
// the window the window manager marks active (_NET_ACTIVE_WINDOW on the root window), the process
// that owns it (its _NET_WM_PID, trusted only for a window of this machine), and the changes of
// the root window's properties, which tell when the active window changes, and of the active
// window's own, which tell when it names its process late. One thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vandrel {

struct ActiveWindowOwner {
  std::uint32_t window = 0;  // the active window; 0 when none is
  std::optional<long> pid;   // its process; nullopt when not known
  std::string why_unknown;   // a sentence for the user when pid is nullopt
};

class X11ActiveWindow {
 public:
  enum class Events {
    kNone,                 // nothing that concerns the active window
    kActiveWindowChanged,  // the root's _NET_ACTIVE_WINDOW was set (perhaps to the same window),
                           // or the active window's process or machine

    kConnectionLost,  // the X server has gone; nothing more will come
  };

  // Connects to `display_name` ("" for $DISPLAY) and asks for the root window's property changes;
  // nullptr with `why` set when the server cannot be reached.
  [[nodiscard]] static std::unique_ptr<X11ActiveWindow> Connect(const std::string& display_name,
                                                                std::string& why);
  ~X11ActiveWindow();
  X11ActiveWindow(const X11ActiveWindow&) = delete;
  X11ActiveWindow& operator=(const X11ActiveWindow&) = delete;

  // Asks the server now, and from now on follows the property changes of the window it finds
  // active instead of the one found before.
  [[nodiscard]] ActiveWindowOwner ReadOwner();
  // The process of every window the window manager lists as a client (_NET_CLIENT_LIST), in its
  // order; windows whose process is not known are left out.
  [[nodiscard]] std::vector<long> ClientProcesses();
  // Readable when events wait; poll it, then call TakeEvents.
  [[nodiscard]] int FileDescriptor() const;
  // Takes every event the connection holds, without waiting, and sums them up.
  [[nodiscard]] Events TakeEvents();

 private:
  struct Connection;
  explicit X11ActiveWindow(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> connection_;
};

}  // namespace vandrel
