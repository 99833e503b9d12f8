// The input capture's delivery, whatever the desktop: each mode's message for key and mouse
// events, the key record carried in the message, the lock keys let through and every other key
// swallowed; and the receivers the messages are handed to.
#include "app/input_capture.h"

#include <gmock/gmock.h>

#include <tuple>
#include <vector>

#include "app/hook_receivers.h"
#include "core/trace.h"
#include "support/post_recorder.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;

TEST(InputCapture, EachModePostsItsMessagesAndOnlyTheLockKeysGoOn) {
  struct Case {
    CaptureMode mode;
    int key_message;
    std::optional<int> mouse_message;
  } const cases[] = {
      {CaptureMode::kKeyboardSingleKey, 0x0801, std::nullopt},
      {CaptureMode::kKeyboardMacro, 0x0803, 0x0804},
      {CaptureMode::kMouseSingleKey, 0x0810, std::nullopt},
      {CaptureMode::kMouseMacro, 0x0812, 0x0813},
  };
  const CapturedKey keypad_enter_up{0x0D, CapturedKey::kExtended | CapturedKey::kReleased};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    PostRecorder ui;
    EXPECT_FALSE(DeliverKey(ui, c.mode, kKeyUp, keypad_enter_up));
    for (const std::uint16_t lock : std::initializer_list<std::uint16_t>{0x90, 0x14, 0x91}) {
      EXPECT_TRUE(DeliverKey(ui, c.mode, kKeyDown, {lock, 0})) << lock;
    }
    for (const std::uint16_t swallowed :
         std::initializer_list<std::uint16_t>{0x00, 0x0D, 0x41, 0x5B, 0xA4, 0x92, 0x101}) {
      EXPECT_FALSE(DeliverKey(ui, c.mode, kSystemKeyDown, {swallowed, 0})) << swallowed;
    }
    ASSERT_EQ(ui.posted.size(), 11U);
    EXPECT_EQ(ui.posted[0], Posted(c.key_message, kKeyUp, 0x81000D));
    EXPECT_EQ(ui.posted[1], Posted(c.key_message, kKeyDown, 0x90));
    ui.posted.clear();
    DeliverMouse(ui, c.mode, kRightButtonDown);
    DeliverMouse(ui, c.mode, kMouseMove);
    if (c.mouse_message) {
      EXPECT_THAT(ui.posted, ElementsAre(Posted(*c.mouse_message, kRightButtonDown, 0),
                                         Posted(*c.mouse_message, kMouseMove, 0)));
    } else {
      EXPECT_TRUE(ui.posted.empty()) << "a single-key capture takes no mouse events";
    }
  }
}

TEST(InputCapture, TheKeyRecordKeepsCodeAndFlagsThroughAMessage) {
  const CapturedKey keys[] = {
      {0x0D, 0x01}, {0x0D, 0x81}, {0xA5, 0xA1}, {'A', 0x20}, {0x101, 0}, {0xFFFF, 0xFF}, {0, 0},
  };
  for (const CapturedKey& key : keys) {
    EXPECT_EQ(CapturedKey::FromParam(key.ToParam()), key) << key.virtual_key << "/" << key.flags;
    EXPECT_GE(key.ToParam(), 0) << "a record never reads as a negative parameter";
  }
  EXPECT_EQ((CapturedKey{0xA5, 0xA1}.ToParam()), 0xA100A5);
}

TEST(HookReceivers, AMessageReachesItsLatestReceiverAndNamedOnesAreTraced) {
  HookReceivers receivers;
  std::vector<std::string> log;
  const auto logger = [&log](std::string tag) {
    return [&log, tag](std::intptr_t wparam, std::intptr_t lparam) {
      log.push_back(tag + " " + std::to_string(wparam) + " " + std::to_string(lparam));
    };
  };
  receivers.Set(0x0801, logger("keyboard page"));
  receivers.Set(0x0810, logger("first mouse page"));
  receivers.Set(0x0810, logger("mouse page"));
  receivers.Set(0x0813, logger("mouse recorder"));
  receivers.Set(0x0813, nullptr);
  TraceCapture trace;
  EXPECT_TRUE(receivers.Deliver(0x0801, 0x100, 0x41));
  EXPECT_TRUE(receivers.Deliver(0x0810, 0x101, 0x800041));
  EXPECT_FALSE(receivers.Deliver(0x0813, 0x201, 0));
  EXPECT_FALSE(receivers.Deliver(0x0803, 0x100, 0x41));
  EXPECT_FALSE(receivers.Deliver(0x0804, 0x201, 0));
  EXPECT_THAT(log, ElementsAre("keyboard page 256 65", "mouse page 257 8388673"));
  EXPECT_THAT(trace.Lines(),
              ElementsAre("WM_HOOK_KEY_SINGLEKEY", "WM_HOOK_MOU_SINGLEKEY", "WM_HOOK_KEY_MACRO"));
}

}  // namespace
}  // namespace vandrel::testing
