#include "ui/qt/activation_server.h"

#include <QLocalSocket>
#include <utility>

namespace vandrel {

ActivationServer::ActivationServer(std::string name, std::function<void()> on_activation)
    : name_(QByteArray::fromStdString(name)), on_activation_(std::move(on_activation)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &ActivationServer::Accept);
}

bool ActivationServer::Listen(const std::filesystem::path& path) {
  const QString name = QString::fromStdString(path.string());
  QLocalServer::removeServer(name);
  return server_.listen(name);
}

void ActivationServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // The name arrives whole or in pieces; a client never sends more than the name.
      const QByteArray received = socket->peek(name_.size() + 1);
      if (!name_.startsWith(received)) return socket->abort();
      if (received.size() < name_.size()) return;
      socket->readAll();
      socket->disconnectFromServer();
      on_activation_();
    });
  }
}

}  // namespace vandrel
