#include "device/device_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "channel_fixture.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using testing::TracedRequest;
using Bytes = std::vector<std::uint8_t>;

TEST(CommandReportTest, RequestsCarryTheirChecksum) {
  const CommandReport begin = BuildRequest(Command::kBeginConfig, 0);
  EXPECT_EQ(Bytes(begin.begin(), begin.begin() + 8), (Bytes{0x04, 0x01, 0x00, 0x01, 0, 0, 0, 0}));
  const CommandReport info = BuildRequest(Command::kReadDeviceInfo, 0x21);
  EXPECT_EQ(Bytes(info.begin(), info.begin() + 8), (Bytes{0x04, 0x24, 0x00, 0x03, 0x21, 0, 0, 0}));
  EXPECT_TRUE(std::all_of(info.begin() + 8, info.end(), [](std::uint8_t b) { return b == 0; }));
  // A checksum above 255 spills into byte 2.
  const Bytes payload(56, 0xFF);
  const CommandReport full = BuildRequest(Command::kWriteMacroData, 56, 0x0102, payload);
  const unsigned sum = 21 + 56 + 0x02 + 0x01 + 56 * 0xFF;
  EXPECT_EQ(full[1], sum & 0xFF);
  EXPECT_EQ(full[2], (sum >> 8) & 0xFF);
  EXPECT_EQ(full[5], 0x02);
  EXPECT_EQ(full[6], 0x01);
}

class DeviceChannelTest : public testing::ChannelFixture {};

TEST_F(DeviceChannelTest, ChunksAre56BytesAtRisingOffsets) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  EXPECT_EQ(mouse.WriteMacroData(Bytes(56, 1)), 1);
  EXPECT_EQ(mouse.WriteMacroData(Bytes(57, 2)), 1);
  EXPECT_EQ(mouse.WriteMacroData({}), 1);
  EXPECT_EQ(testing::WithCommand(Requests(), 21),
            (std::vector<TracedRequest>{{21, 56, 0}, {21, 56, 0}, {21, 1, 56}}));
  EXPECT_EQ(device_->Memory().macro[56], 2);
}

TEST_F(DeviceChannelTest, AProfilePageOf512BytesIsNineChunksOf56AndOneOf8) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  Bytes page(512);
  ASSERT_EQ(mouse.ReadProfilePage(page, 2), 1);
  const std::vector<TracedRequest> reads = testing::WithCommand(Requests(), 8);
  ASSERT_EQ(reads.size(), 10U);
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(reads[i], (TracedRequest{8, 56, 252 + 56 * static_cast<int>(i)}));
  }
  EXPECT_EQ(reads[9], (TracedRequest{8, 8, 252 + 504}));
  const auto& memory = device_->Memory().key_pages;
  EXPECT_EQ(page, Bytes(memory.begin() + 252, memory.begin() + 252 + 512));
}

TEST_F(DeviceChannelTest, PagesAboveFourAreRefusedWithoutTraffic) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  Bytes table(126, 0x20);
  EXPECT_EQ(mouse.WriteProfilePage(table, 5, 126), kChannelBadPage);
  EXPECT_EQ(mouse.ReadProfilePage(table, 5), kChannelBadPage);
  EXPECT_EQ(device_->RequestCount(), 0);
  EXPECT_EQ(mouse.WriteProfilePage(table, 4, 126), 1);
  EXPECT_EQ(testing::WithCommand(Requests(), 9),
            (std::vector<TracedRequest>{{9, 56, 504}, {9, 56, 560}, {9, 14, 616}}));
}

TEST_F(DeviceChannelTest, ARefusalMidTransferEndsItWithoutResending) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  device_->SetFaults({.refusal_status = 0xFE, .refuse_request = 3});
  EXPECT_EQ(mouse.WriteRecoilData(Bytes(300, 7)), kChannelRefused);
  EXPECT_EQ(device_->RequestCount(), 3);
  device_->SetFaults({.refusal_status = 0xFF});
  EXPECT_EQ(mouse.BeginConfig(), kChannelRefusedBadFrame);
  EXPECT_EQ(device_->RequestCount(), 4);
}

TEST_F(DeviceChannelTest, TheFirstFailureOfASequenceIsKeptUntilTaken) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  EXPECT_EQ(mouse.BeginConfig(), kChannelSuccess);
  EXPECT_EQ(mouse.TakeFailure(), kChannelSuccess);
  device_->SetFaults({.refusal_status = 0xFE, .refuse_request = 1});
  Bytes block(8);
  EXPECT_EQ(mouse.ReadBlock(0, block), kChannelRefused);
  device_->SetFaults({.refusal_status = 0xFF});
  EXPECT_EQ(mouse.ReadBlock(0, block), kChannelRefusedBadFrame);
  EXPECT_EQ(mouse.TakeFailure(), kChannelRefused) << "the first one, not the last";
  EXPECT_EQ(mouse.TakeFailure(), kChannelSuccess) << "taking it clears it";
}

TEST_F(DeviceChannelTest, ASilentDeviceCostsExactlyFourSendsAndTheirWaits) {
  DeviceChannel& pad = Connect(kPadProductId, DeviceKind::kPad);
  device_->SetFaults({.silent = true});
  const Clock::Duration before = clock_.Now();
  Bytes slot(1);
  EXPECT_EQ(pad.ReadBlock(0, slot), kChannelNoReply);
  EXPECT_EQ(device_->RequestCount(), 4);
  EXPECT_EQ(clock_.Now() - before, 4 * 300ms);
}

TEST_F(DeviceChannelTest, AWriteThatFailsIsNotRetried) {
  DeviceChannel& pad = Connect(kPadProductId, DeviceKind::kPad);
  device_->SetFaults({.write_delay = 2000ms});
  EXPECT_EQ(pad.BeginConfig(), kChannelWriteFailed);
  EXPECT_EQ(clock_.Now(), 1000ms);
}

// A BeginConfig answered after its read gave up leaves that reply, and the reply to its resend,
// on their way: neither may be taken for the reply of a later request.
TEST_F(DeviceChannelTest, AfterALateReplyEveryExchangeGetsItsOwnReply) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  device_->SetFaults({.reply_delay = 400ms});
  EXPECT_EQ(mouse.BeginConfig(), kChannelSuccess);
  device_->SetFaults({});
  const sim::FirmwareImage memory = device_->Memory();
  const struct {
    CommandReport request;
    Bytes data;  // what the reply carries from byte 8
  } exchanges[] = {
      {BuildRequest(Command::kReadDeviceInfo, kDeviceInfoSize), memory.device_info},
      {BuildRequest(Command::kReadDefaultTable, 56),
       Bytes(memory.default_table.begin(), memory.default_table.begin() + 56)},
      {BuildRequest(Command::kReadBlock, 56, 64),
       Bytes(memory.settings.begin() + 64, memory.settings.begin() + 120)},
      {BuildRequest(Command::kReadProfilePage, 56, 126),
       Bytes(memory.key_pages.begin() + 126, memory.key_pages.begin() + 182)},
      {BuildRequest(Command::kReadBlock, 1), Bytes{memory.settings[0]}},
  };
  for (std::size_t i = 0; i < std::size(exchanges); ++i) {
    const CommandReport& request = exchanges[i].request;
    CommandReport reply{};
    ASSERT_EQ(mouse.Exchange(request, reply, nullptr), kChannelSuccess) << "exchange " << i + 1;
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 7),
              Bytes(request.begin() + 3, request.begin() + 7))
        << "the command echo of exchange " << i + 1;
    const Bytes& data = exchanges[i].data;
    EXPECT_EQ(
        Bytes(reply.begin() + 8, reply.begin() + 8 + static_cast<std::ptrdiff_t>(data.size())),
        data)
        << "exchange " << i + 1;
  }
  // The stale reply cost the first exchange one more send; the others needed one each.
  EXPECT_EQ(device_->RequestCount(), 2 + 2 + 4);
}

TEST_F(DeviceChannelTest, DeviceInformationIsExactly33Bytes) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  std::array<std::uint8_t, 40> buffer;
  buffer.fill(0xAA);
  ASSERT_EQ(mouse.ReadDeviceInfo(std::span(buffer).first<kDeviceInfoSize>()), 1);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 33), device_->Memory().device_info);
  EXPECT_EQ(buffer[33], 0xAA);
  EXPECT_EQ(testing::WithCommand(Requests(), 3), (std::vector<TracedRequest>{{3, 0x21, 0}}));
}

TEST_F(DeviceChannelTest, EndConfigWaitsTenMillisecondsFirst) {
  DeviceChannel& pad = Connect(kPadProductId, DeviceKind::kPad);
  EXPECT_EQ(pad.BeginConfig(), 1);
  EXPECT_EQ(pad.EndConfig(), 1);
  const auto requests = clock_.Requests();
  EXPECT_NE(std::find(requests.begin(), requests.end(),
                      ManualClock::Request{ManualClock::Request::Kind::kSleep, 10ms}),
            requests.end());
  EXPECT_FALSE(device_->ConfigOpen());
}

TEST_F(DeviceChannelTest, FactoryResetIsSentOnceEvenToASilentDevice) {
  DeviceChannel& pad = Connect(kPadProductId, DeviceKind::kPad);
  device_->SetFaults({.silent = true});
  EXPECT_EQ(pad.FactoryReset(), kChannelNoReply);
  EXPECT_EQ(device_->RequestCount(), 1);
  EXPECT_EQ(testing::WithCommand(Requests(), 13), (std::vector<TracedRequest>{{13, 0, 0}}));
}

TEST_F(DeviceChannelTest, ADisconnectedChannelSendsNothing) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  mouse.set_connected(false);
  CommandReport reply{};
  std::size_t bytes = 99;
  EXPECT_EQ(mouse.Exchange(BuildRequest(Command::kBeginConfig, 0), reply, &bytes), 0);
  EXPECT_EQ(bytes, 0U);
  EXPECT_EQ(mouse.SendLightingFrame(Bytes(45)), 0);
  EXPECT_EQ(device_->RequestCount(), 0);
}

// The device keeps showing the last frame it accepted: the same frame again is not sent until
// another command reaches the device, a send fails, or the device is connected anew; each of these
// is told to whoever waits on the channel's changes.
TEST_F(DeviceChannelTest, AFrameTheDeviceShowsIsNotSentAgain) {
  DeviceChannel& pad = Connect(kPadProductId, DeviceKind::kPad);
  Event told(EventReset::kAuto);
  pad.changes().AddListener(told);
  enum class Step { kFrameA, kFrameB, kOtherCommand, kSilent, kAnswering, kReconnect, kSync };
  const struct {
    Step step;
    int sent;    // frames on the wire by this step
    bool shows;  // whether the pad shows frame A afterwards
    bool told;   // whether the channel's changes were notified by this step
  } steps[] = {
      {Step::kFrameA, 1, true, false},       {Step::kFrameA, 1, true, false},
      {Step::kFrameB, 2, false, false},      {Step::kFrameA, 3, true, false},
      {Step::kOtherCommand, 3, false, true}, {Step::kOtherCommand, 3, false, false},
      {Step::kFrameA, 4, true, false},       {Step::kSilent, 4, true, false},
      {Step::kFrameB, 8, false, false},      {Step::kAnswering, 8, false, false},
      {Step::kFrameB, 9, false, false},      {Step::kReconnect, 9, false, true},
      {Step::kFrameB, 10, false, false},     {Step::kSync, 10, false, true},
      {Step::kSync, 10, false, false},
  };
  const Bytes frame_a(45, 7);
  const Bytes frame_b(45, 9);
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    Bytes slot(1);
    switch (steps[i].step) {
      case Step::kFrameA:
        EXPECT_EQ(pad.SendLightingFrame(frame_a), kChannelSuccess);
        break;
      case Step::kFrameB:
        (void)pad.SendLightingFrame(frame_b);
        break;
      case Step::kOtherCommand:
        EXPECT_EQ(pad.ReadBlock(0, slot), kChannelSuccess);
        break;
      case Step::kSilent:
        device_->SetFaults({.silent = true});
        break;
      case Step::kAnswering:
        device_->SetFaults({});
        break;
      case Step::kReconnect:
        pad.set_connected(false);
        pad.set_connected(true);
        break;
      case Step::kSync:
        pad.set_sync_lighting(true);
        break;
    }
    EXPECT_EQ(testing::WithCommand(Requests(), 18).size(), static_cast<std::size_t>(steps[i].sent));
    EXPECT_EQ(pad.ShowsLightingFrame(frame_a), steps[i].shows);
    EXPECT_EQ(told.TryWait(), steps[i].told);
  }
  pad.changes().RemoveListener(told);
}

TEST_F(DeviceChannelTest, AHostThatFollowsTheProtocolCausesNoViolation) {
  DeviceChannel& mouse = Connect(kMouseProductId, DeviceKind::kMouse);
  std::array<std::uint8_t, kDeviceInfoSize> info{};
  Bytes table(512), record(56);
  EXPECT_EQ(mouse.BeginConfig(), 1);
  EXPECT_EQ(mouse.ReadDeviceInfo(info), 1);
  EXPECT_EQ(mouse.ReadDefaultTable(table), 1);
  EXPECT_EQ(mouse.ReadBlock(3 * 64, record), 1);
  EXPECT_EQ(mouse.ReadProfilePage(table, 0), 1);
  EXPECT_EQ(mouse.WriteProfilePage(table, 1, 126), 1);
  EXPECT_EQ(mouse.SelectProfile(record), 1);
  EXPECT_EQ(mouse.WriteMacroData(Bytes(2048, 1)), 1);
  EXPECT_EQ(mouse.WriteRecoilData(Bytes(3072, 1)), 1);
  EXPECT_EQ(mouse.EndConfig(), 1);
  EXPECT_EQ(mouse.FactoryReset(), 1);
  EXPECT_EQ(device_->ViolationCount(), 0);
}

// One device on the simulator on the real clock, connected to its channel as the monitor connects
// it: for tests whose threads run side by side.
struct RealTimeLink {
  RealTimeLink(std::uint16_t product_id, DeviceKind kind) : device(bus.Plug(product_id)) {
    DeviceChannel& channel = kind == DeviceKind::kKeyboard ? kb
                             : kind == DeviceKind::kMouse  ? ms
                                                           : mp;
    channel.SetIdentity(ChannelIdentityOf(kind));
    PresenceMonitor monitor(kind, {kb, ms, mp}, window, clock);
    connected = monitor.PollOnce().has_value() && channel.connected();
  }

  SteadyClock clock;
  sim::VirtualBus bus{clock};
  std::shared_ptr<sim::SimulatedDevice> device;
  DeviceChannel kb{bus, clock};
  DeviceChannel ms{bus, clock};
  DeviceChannel mp{bus, clock};
  testing::FakeMainWindow window;
  bool connected = false;
};

// While one thread's frame is on its way, another thread is told so, and is not told the device
// shows it (nor any other) until it arrived.
TEST(DeviceChannelThreads, AFrameOnItsWayIsToldApartFromAFrameShown) {
  RealTimeLink link(kPadProductId, DeviceKind::kPad);
  ASSERT_TRUE(link.connected);
  DeviceChannel& mp = link.mp;
  const std::shared_ptr<sim::SimulatedDevice>& pad_device = link.device;
  const Bytes frame(45, 7);
  EXPECT_FALSE(mp.SendingFrame());

  pad_device->SetFaults({.write_delay = std::chrono::milliseconds(300)});
  std::atomic<int> result{0};
  std::thread sender([&] { result = mp.SendLightingFrame(frame); });
  const bool seen_on_its_way = testing::PollUntil([&] { return mp.SendingFrame() || result; });
  EXPECT_TRUE(seen_on_its_way && result == 0) << "the frame was not seen on its way";
  EXPECT_FALSE(mp.ShowsLightingFrame(frame));
  testing::JoinWithin(sender, "the frame's send");
  EXPECT_EQ(result, kChannelSuccess);
  EXPECT_FALSE(mp.SendingFrame());
  EXPECT_TRUE(mp.ShowsLightingFrame(frame));

  // A send that fails ends on its way too.
  pad_device->SetFaults({.silent = true});
  EXPECT_NE(mp.SendLightingFrame(Bytes(45, 8)), kChannelSuccess);
  EXPECT_FALSE(mp.SendingFrame());
  EXPECT_FALSE(mp.ShowsLightingFrame(Bytes(45, 8)));
}

// Frames stream from one thread while another reads settings: every read gets its own reply.
TEST(DeviceChannelThreads, ASettingsReadWhileFramesStreamGetsItsOwnReply) {
  RealTimeLink link(kPerKeyKeyboardProductId, DeviceKind::kKeyboard);
  ASSERT_TRUE(link.connected);
  DeviceChannel& kb = link.kb;
  const std::shared_ptr<sim::SimulatedDevice>& keyboard = link.device;

  std::atomic<bool> done{false};
  std::atomic<bool> refused{false};
  std::thread streamer([&] {
    // Frames that differ, since a frame the keyboard already shows is not sent again.
    Bytes frame(378, 0x40);
    while (!done && !refused) {
      ++frame[0];
      refused = kb.SendLightingFrame(frame) != 1;
    }
  });
  const Bytes expected = keyboard->Memory().device_info;
  const bool streaming =
      testing::PollUntil([&] { return keyboard->FramesReceived() > 0 || refused; });
  // Read until well over a hundred frames went by during the reads.
  const int frames_before = keyboard->FramesReceived();
  // Bounded by time, not by a count of reads: under load the streamer may get few turns.
  const auto deadline = std::chrono::steady_clock::now() + testing::kWaitDeadline;
  int reads = 0;
  for (; streaming && !refused && std::chrono::steady_clock::now() < deadline &&
         keyboard->FramesReceived() < frames_before + 200;
       ++reads) {
    std::array<std::uint8_t, kDeviceInfoSize> info{};
    const bool own_reply =
        kb.ReadDeviceInfo(info) == 1 && Bytes(info.begin(), info.end()) == expected;
    EXPECT_TRUE(own_reply) << "read " << reads;
    if (!own_reply) break;
  }
  done = true;
  testing::JoinWithin(streamer, "the frame streamer stopping");
  ASSERT_FALSE(refused) << "the channel refused a frame";
  ASSERT_TRUE(streaming) << "no frame reached the keyboard";
  EXPECT_GE(keyboard->FramesReceived(), frames_before + 200);
  EXPECT_EQ(keyboard->ViolationCount(), 0);
}

}  // namespace
}  // namespace vandrel
