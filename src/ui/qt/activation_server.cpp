#include "ui/qt/activation_server.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vandrel {
namespace {

// Silent clients kept at once; a later copy sends its name at once, so a few places are plenty.
constexpr std::size_t kMostConnections = 8;

// A connection's notifier is given up from within its own signal, so Qt deletes it afterwards.
struct DeleteLater {
  void operator()(QSocketNotifier* notifier) const {
    notifier->setEnabled(false);
    notifier->deleteLater();
  }
};

}  // namespace

struct ActivationServer::Connection {
  UniqueFd fd;
  std::unique_ptr<QSocketNotifier, DeleteLater> notifier;
  std::string received;  // a beginning of the name
};

ActivationServer::ActivationServer(std::string name, std::function<void()> on_activation)
    : name_(std::move(name)), on_activation_(std::move(on_activation)) {}

ActivationServer::~ActivationServer() {
  connections_.clear();
  listening_.reset();
  if (!path_.empty()) ::unlink(path_.c_str());
}

bool ActivationServer::Listen(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.native().size() + 1);
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd.valid()) return false;
  ::unlink(path.c_str());
  if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    return false;
  }
  path_ = path;
  // The folder is private already; the socket itself is the user's alone as well.
  if (::chmod(path.c_str(), 0600) != 0 || ::listen(fd.get(), SOMAXCONN) != 0) return false;
  listener_ = std::move(fd);
  listening_ = std::make_unique<QSocketNotifier>(listener_.get(), QSocketNotifier::Read);
  QObject::connect(listening_.get(), &QSocketNotifier::activated, [this] { Accept(); });
  return true;
}

void ActivationServer::Accept() {
  for (;;) {
    UniqueFd fd(::accept4(listener_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!fd.valid()) return;  // none waiting (or the client gave up already)
    if (connections_.size() == kMostConnections) connections_.pop_front();
    Connection& connection = connections_.emplace_back();
    connection.notifier.reset(new QSocketNotifier(fd.get(), QSocketNotifier::Read));
    connection.fd = std::move(fd);
    QObject::connect(connection.notifier.get(), &QSocketNotifier::activated,
                     [this, &connection] { Receive(connection); });
  }
}

void ActivationServer::Receive(Connection& connection) {
  // One byte more than the name is missing: a client never sends more than the name.
  std::array<char, 64> buffer{};
  const std::size_t wanted = std::min(buffer.size(), name_.size() + 1 - connection.received.size());
  const ssize_t got = ::recv(connection.fd.get(), buffer.data(), wanted, MSG_DONTWAIT);
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (got <= 0) return Drop(connection);  // gone, or failed, before the whole name
  std::string& received = connection.received;
  received.append(buffer.data(), static_cast<std::size_t>(got));
  const bool activation = received == name_;
  if (activation || !name_.starts_with(received)) Drop(connection);
  if (activation) on_activation_();
}

void ActivationServer::Drop(const Connection& connection) {
  connections_.remove_if([&](const Connection& each) { return &each == &connection; });
}

}  // namespace vandrel
