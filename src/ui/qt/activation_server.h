// ActivationServer: the first copy's end of the single-instance socket
// (platform/single_instance.h). Every connection that sends exactly the activation name asks the
// running copy to come to the front; anything else is dropped. User-interface thread only.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <functional>
#include <string>

namespace vandrel {

class ActivationServer final : public QObject {
  Q_OBJECT

 public:
  // `on_activation` runs on the user-interface thread for every activation received.
  ActivationServer(std::string name, std::function<void()> on_activation);

  // Listens at `path`, replacing the socket file a copy that crashed left behind: only the copy
  // holding the single-instance lock may call this. False when it cannot listen.
  [[nodiscard]] bool Listen(const std::filesystem::path& path);

 private:
  void Accept();

  const QByteArray name_;
  const std::function<void()> on_activation_;
  QLocalServer server_;
};

}  // namespace vandrel
