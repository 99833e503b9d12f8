// ActivationServer: the first copy's end of the single-instance socket
// (platform/single_instance.h). Every connection that sends exactly the activation name asks the
// running copy to come to the front; anything else is dropped. A plain Unix-domain socket watched
// by the user-interface thread's event loop: nothing here ever blocks, and a client that connects
// and says nothing only holds one of a few places, the oldest given up for a newcomer.
// User-interface thread only.
#pragma once

#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "core/unique_fd.h"

class QSocketNotifier;

namespace vandrel {

class ActivationServer final {
 public:
  // `on_activation` runs on the user-interface thread for every activation received.
  ActivationServer(std::string name, std::function<void()> on_activation);
  // Closes the connections and removes the socket file it listened at.
  ~ActivationServer();
  ActivationServer(const ActivationServer&) = delete;
  ActivationServer& operator=(const ActivationServer&) = delete;

  // Listens at `path`, replacing the socket file a copy that crashed left behind: only the copy
  // holding the single-instance lock may call this, once. False when it cannot listen.
  [[nodiscard]] bool Listen(const std::filesystem::path& path);

 private:
  struct Connection;

  void Accept();
  // Reads what `connection` sent so far; ends it once it sent the name or anything else.
  void Receive(Connection& connection);
  void Drop(const Connection& connection);

  const std::string name_;
  const std::function<void()> on_activation_;
  std::filesystem::path path_;  // empty until listening
  UniqueFd listener_;
  std::unique_ptr<QSocketNotifier> listening_;
  std::list<Connection> connections_;  // oldest first
};

}  // namespace vandrel
