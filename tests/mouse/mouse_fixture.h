// The mouse on the virtual bus, connected to its channel, with a MouseDevice on it whose pointer
// settings, profile saver and pages-ready flag are the test's.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/channel_fixture.h"
#include "device/product_ids.h"
#include "mouse/mouse_device.h"

namespace vandrel::testing {

// Records what the worker applied. Any thread.
class FakePointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int speed) override { return Record("speed " + std::to_string(speed)); }
  bool SetWheelLines(int lines) override { return Record("wheel " + std::to_string(lines)); }
  std::optional<int> PointerSpeed() override { return desktop_speed; }
  std::optional<int> WheelLines() override { return desktop_lines; }

  std::vector<std::string> Applied() const {
    std::lock_guard lock(mutex_);
    return applied_;
  }

  std::optional<int> desktop_speed;  // what the desktop reports
  std::optional<int> desktop_lines;

 private:
  bool Record(std::string line) {
    std::lock_guard lock(mutex_);
    applied_.push_back(std::move(line));
    return true;
  }
  mutable std::mutex mutex_;  // guards applied_
  std::vector<std::string> applied_;
};

class RecordingProfileSaver final : public ProfileSaver {
 public:
  void SaveSelected(DeviceKind device, unsigned kinds) override {
    EXPECT_EQ(device, DeviceKind::kMouse);
    saved.push_back(kinds);
  }
  std::vector<unsigned> saved;
};

class MouseFixture : public ChannelFixture {
 protected:
  void TearDown() override { ExpectNoViolations(); }

  MouseFixture() { Connect(kMouseProductId, DeviceKind::kMouse); }

  std::vector<std::vector<std::uint8_t>> Payloads(int command) const {
    return TracedPayloads(trace_dir_.path() / "trace.txt", command);
  }
  // Forgets the traffic so far.
  void ClearTrace() { ASSERT_TRUE(bus_.SetTraceFile(trace_dir_.path() / "trace.txt")); }

  MouseState state_;
  FakePointerSettings pointer_;
  RecordingProfileSaver profiles_;
  bool ready_ = true;
  MouseDevice mouse_device_{mouse_, state_, pointer_, profiles_, [this] { return ready_; }};
};

}  // namespace vandrel::testing
