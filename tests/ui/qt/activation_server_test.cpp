// The first copy's activation socket: the activation name sent by a later copy asks for the
// window, anything else does not, and a socket file left by a crashed copy is no obstacle.
#include "ui/qt/activation_server.h"

#include <gtest/gtest.h>

#include <QLocalSocket>

#include "core/clock.h"
#include "platform/single_instance.h"
#include "support/temp_dir.h"
#include "ui/qt/wait_until.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using testing::WaitUntil;

class ActivationServerTest : public ::testing::Test {
 protected:
  void SendRaw(const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(socket_.string()));
    ASSERT_TRUE(socket.waitForConnected(10000));
    socket.write(bytes);
    ASSERT_TRUE(socket.waitForBytesWritten(10000));
    socket.disconnectFromServer();
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

TEST_F(ActivationServerTest, ASocketFileLeftByACrashedCopyIsReplaced) {
  testing::WriteFile(socket_, "left behind");
  ASSERT_TRUE(server_.Listen(socket_));
  ASSERT_TRUE(SendToFirstInstance(socket_, "ORVEX_QD418", 1, 0ms, clock_));
  ASSERT_TRUE(WaitUntil([&] { return activations_ == 1; }));
}

}  // namespace
}  // namespace vandrel
