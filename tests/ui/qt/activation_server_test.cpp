// The first copy's activation socket: the activation name sent by a later copy asks for the
// window, anything else does not, a client that says nothing holds nobody up, and a socket file
// left by a crashed copy is no obstacle.
#include "ui/qt/activation_server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/unique_fd.h"
#include "platform/single_instance.h"
#include "support/temp_dir.h"
#include "ui/qt/wait_until.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using testing::WaitUntil;

class ActivationServerTest : public ::testing::Test {
 protected:
  // Connects, sends `bytes` and hangs up.
  void SendRaw(std::string_view bytes) {
    ASSERT_TRUE(SendToFirstInstance(socket_, bytes, 1, 0ms, clock_)) << bytes;
  }

  // A connection that stays open; invalid when it could not connect.
  UniqueFd Connect() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket_.c_str(), sizeof(address.sun_path) - 1);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
      fd.Reset();
    }
    return fd;
  }

  testing::TempDir dir_;
  const std::filesystem::path socket_ = dir_.path() / "LUMTRAKDRVER1_QD418.socket";
  int activations_ = 0;
  ActivationServer server_{"ORVEX_QD418", [this] { ++activations_; }};
  SteadyClock clock_;
};

TEST_F(ActivationServerTest, EachActivationSentByALaterCopyIsReported) {
  ASSERT_TRUE(server_.Listen(socket_));
  ASSERT_TRUE(SendToFirstInstance(socket_, "ORVEX_QD418", 1, 0ms, clock_));
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 1; }));
  ASSERT_TRUE(SendToFirstInstance(socket_, "ORVEX_QD418", 1, 0ms, clock_));
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 2; }));
}

TEST_F(ActivationServerTest, AnythingButTheNameIsIgnored) {
  ASSERT_TRUE(server_.Listen(socket_));
  SendRaw("HELLO_QD418");
  SendRaw("ORVEX");
  SendRaw("ORVEX_QD418 and more");
  SendRaw("ORVEX_QD418");
  ASSERT_TRUE(WaitUntil([&] { return activations_ >= 1; }));
  QTest::qWait(100);
  EXPECT_EQ(activations_, 1) << "only the last connection sent the name alone";
}

TEST_F(ActivationServerTest, SilentClientsHoldNobodyUp) {
  ASSERT_TRUE(server_.Listen(socket_));
  std::vector<UniqueFd> silent;
  for (int i = 0; i < 9; ++i) silent.push_back(Connect());
  UniqueFd halfway = Connect();
  for (const UniqueFd& fd : silent) ASSERT_TRUE(fd.valid());
  ASSERT_TRUE(halfway.valid());
  ASSERT_EQ(::send(halfway.get(), "ORVEX_", 6, MSG_NOSIGNAL), 6);

  ASSERT_TRUE(SendToFirstInstance(socket_, "ORVEX_QD418", 1, 0ms, clock_));
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 1; })) << "more clients than places";
  ASSERT_EQ(::send(halfway.get(), "QD418", 5, MSG_NOSIGNAL), 5);
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 2; })) << "the newest silent one was kept";
}

TEST_F(ActivationServerTest, ASocketFileLeftByACrashedCopyIsReplaced) {
  testing::WriteFile(socket_, "left behind");
  ASSERT_TRUE(server_.Listen(socket_));
  ASSERT_TRUE(SendToFirstInstance(socket_, "ORVEX_QD418", 1, 0ms, clock_));
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 1; }));
}

}  // namespace
}  // namespace vandrel
