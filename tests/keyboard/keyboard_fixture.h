// A simulated keyboard on the virtual bus, connected to the keyboard channel by its presence
// monitor, with a KeyboardDevice on it whose profile saver and message box are the test's.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "device/channel_fixture.h"
#include "keyboard/keyboard_device.h"
#include "sim/factory_keys.h"

namespace vandrel::testing {

class RecordingKeyboardSaver final : public ProfileSaver {
 public:
  void SaveSelected(DeviceKind device, unsigned kinds) override {
    EXPECT_EQ(device, DeviceKind::kKeyboard);
    saved.push_back(kinds);
  }
  std::vector<unsigned> saved;
};

// The chunks of a `size`-byte transfer of `command` from offset 0: 56 bytes each, the last one
// the rest.
inline std::vector<TracedRequest> Chunks(int command, int size) {
  std::vector<TracedRequest> chunks;
  for (int done = 0; done < size; done += 56) {
    chunks.push_back({command, std::min(56, size - done), done});
  }
  return chunks;
}

inline std::vector<TracedRequest> Joined(std::initializer_list<std::vector<TracedRequest>> parts) {
  std::vector<TracedRequest> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Keys as the HID usage tables give them: type 0x20, no modifier, the usage ID.
inline constexpr KeyAssignment kEscKey{assignment_type::kKey, 0, 0x29};
inline constexpr KeyAssignment kNumLockKey{assignment_type::kKey, 0, 0x53};

inline constexpr int kBegin = 1, kEnd = 2, kInfo = 3, kBlock = 5, kSelect = 6, kDefaults = 7,
                     kPage = 8, kWritePage = 9;

class KeyboardFixture : public ChannelFixture {
 protected:
  void TearDown() override { ExpectNoViolations(); }

  // Plugs a keyboard that reports `key_count` keys (its own count when not given) and connects it.
  void Plug(std::uint16_t product_id = kPerKeyKeyboardProductId,
            std::optional<int> key_count = std::nullopt) {
    device_ = bus_.Plug(product_id, {key_count, {}});
    PresenceMonitor monitor(DeviceKind::kKeyboard, channels_, window_, clock_);
    ASSERT_TRUE(monitor.PollOnce().has_value());
    ASSERT_TRUE(keyboard_.connected());
  }

  std::vector<std::vector<std::uint8_t>> Payloads(int command) const {
    return TracedPayloads(trace_dir_.path() / "trace.txt", command);
  }
  // Forgets the traffic so far.
  void ClearTrace() { ASSERT_TRUE(bus_.SetTraceFile(trace_dir_.path() / "trace.txt")); }

  // The device key that holds `key` in the simulated keyboard's factory table.
  static std::size_t FactoryIndexOf(std::uint16_t product_id, const KeyAssignment& key) {
    const std::vector<sim::FactoryAssignment> keys = sim::KeyboardFactoryKeys(product_id);
    const auto found = std::find(keys.begin(), keys.end(),
                                 sim::FactoryAssignment{key.type, key.param1, key.param2});
    EXPECT_NE(found, keys.end()) << int{key.param2};
    return static_cast<std::size_t>(found - keys.begin());
  }

  KeyboardState state_;
  RecordingKeyboardSaver profiles_;
  std::vector<std::string> messages_;
  KeyboardDevice keyboard_device_{keyboard_, state_, profiles_,
                                  [this](std::string_view id) { messages_.emplace_back(id); }};
};

}  // namespace vandrel::testing
