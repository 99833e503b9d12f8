// The factory default profile files the build writes beside the programs: each one laid out as a
// profile file of its kind byte for byte, and carrying what a factory-new simulated device of its
// model holds (worked out here from the simulator's factory memory, not from the program's reads).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "device/product_ids.h"
#include "profile/profile_catalogue.h"
#include "sim/factory.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kRecordSize = 64;      // a mouse or pad slot record, a keyboard light record
constexpr std::size_t kRecordReadSize = 56;  // what the devices hand over of a record
constexpr std::size_t kKeyTableSize = 512;
constexpr std::size_t kLiveLightingSize = 21;  // the keyboard's live part of its light record
constexpr std::size_t kMousePointerByte =
    36;  // then the wheel lines: the desktop's, not the mouse's
constexpr std::size_t kKeyboardCustomSetByte = 64;
constexpr int kKeyboardCustomSets = 5;

struct DefaultFile {
  std::string_view name;
  DeviceKind device;
  ProfileKind kind;
  int keyboard_model;
  std::uint16_t product_id;  // the device whose factory state the file holds
  std::size_t payload_size;
  std::uint16_t header_kind;
};

constexpr DeviceKind kMouse = DeviceKind::kMouse;
constexpr DeviceKind kPad = DeviceKind::kPad;
constexpr DeviceKind kKeyboard = DeviceKind::kKeyboard;
constexpr ProfileKind kKey = ProfileKind::kKey;
constexpr ProfileKind kLight = ProfileKind::kLight;
constexpr ProfileKind kDevice = ProfileKind::kDevice;

// Model 2 has no keyboard of its own: it is the per-key keyboard's data.
constexpr DefaultFile kDefaultFiles[] = {
    {"mskeydefault.pro", kMouse, kKey, 0, kMouseProductId, 512, 2},
    {"msdengdefault.led", kMouse, kLight, 0, kMouseProductId, 64, 2},
    {"msdevicedefault.config", kMouse, kDevice, 0, kMouseProductId, 576, 2},
    {"mpdengdefault.led", kPad, kLight, 0, kPadProductId, 64, 3},
    {"kbkeydefault.pro", kKeyboard, kKey, 0, kPerKeyKeyboardProductId, 512, 1},
    {"kbdengdefault.led", kKeyboard, kLight, 0, kPerKeyKeyboardProductId, 1958, 1},
    {"kbdevicedefault.config", kKeyboard, kDevice, 0, kPerKeyKeyboardProductId, 2470, 1},
    {"kbkey15default.pro", kKeyboard, kKey, 1, kKeyboardProductId, 512, 1},
    {"kb15dengdefault.led", kKeyboard, kLight, 1, kKeyboardProductId, 1958, 1},
    {"kbdevice15default.config", kKeyboard, kDevice, 1, kKeyboardProductId, 2470, 1},
    {"kbkey16default.pro", kKeyboard, kKey, 2, kPerKeyKeyboardProductId, 512, 1},
    {"kb16dengdefault.led", kKeyboard, kLight, 2, kPerKeyKeyboardProductId, 1958, 1},
    {"kbdevice16default.config", kKeyboard, kDevice, 2, kPerKeyKeyboardProductId, 2470, 1},
    {"kbkeyAreaRgbdefault.pro", kKeyboard, kKey, 3, kZoneKeyboardProductId, 512, 1},
    {"kbAreadengdefault.led", kKeyboard, kLight, 3, kZoneKeyboardProductId, 1958, 1},
    {"kbdeviceAreaRGBdefault.config", kKeyboard, kDevice, 3, kZoneKeyboardProductId, 2470, 1},
};

const std::filesystem::path kFolder = VANDREL_PROFILE_DEFAULTS_DIR;

std::vector<std::uint8_t> FileBytes(std::string_view name) {
  const std::string text = ReadFile(kFolder / name);
  return {text.begin(), text.end()};
}

bool AllZero(Bytes bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0; });
}

std::vector<std::uint8_t> Vector(Bytes bytes) { return {bytes.begin(), bytes.end()}; }

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                std::size_t size) {
  return Vector(Bytes(bytes).subspan(at, size));
}

TEST(FactoryDefaultsTest, EachFileIsTheHeaderOfItsDeviceThenExactlyItsKindsPayload) {
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kFolder))
    files += entry.is_regular_file();
  EXPECT_EQ(files, std::size(kDefaultFiles));
  for (const DefaultFile& file : kDefaultFiles) {
    SCOPED_TRACE(file.name);
    const std::vector<std::uint8_t> bytes = FileBytes(file.name);
    ASSERT_EQ(bytes.size(), 16 + file.payload_size);
    EXPECT_EQ(bytes[0], 0xAA);  // 0x55AA, low byte first
    EXPECT_EQ(bytes[1], 0x55);
    EXPECT_TRUE(AllZero(Bytes(bytes).subspan(2, 2)));
    EXPECT_EQ(bytes[4] | bytes[5] << 8, file.header_kind);
    EXPECT_TRUE(AllZero(Bytes(bytes).subspan(6, 10)));
    // The program looks for this very file, and reads this many bytes of it.
    const ProfileCatalogue catalogue(file.device, "/nowhere", kFolder);
    EXPECT_EQ(catalogue.DefaultPath(file.kind, file.keyboard_model), kFolder / file.name);
    EXPECT_EQ(FindProfileRow(file.device, file.kind)->payload_size, file.payload_size);
  }
}

// Key page 0 as the device hands it over: the keyboard its 3 × n bytes of keys, then zeros; the
// mouse a whole table's length of its key memory from page 0 on.
void ExpectFactoryKeys(Bytes payload, const sim::FirmwareImage& factory, DeviceKind device) {
  ASSERT_EQ(payload.size(), kKeyTableSize);
  const std::size_t handed_over = device == kMouse ? kKeyTableSize : 3 * factory.device_info[5];
  EXPECT_EQ(Vector(payload.first(handed_over)), Slice(factory.key_pages, 0, handed_over));
  EXPECT_FALSE(AllZero(payload.first(handed_over)));
  EXPECT_TRUE(AllZero(payload.subspan(handed_over)));
}

// The record of the active slot (the keyboard: light record 0) as the device hands it over, then
// zeros; the mouse's pointer speed and wheel lines are the desktop's, never 0.
void ExpectFactoryRecord(Bytes record, const sim::FirmwareImage& factory, DeviceKind device) {
  const std::size_t active = device == kKeyboard ? 0 : factory.active_slot();
  std::vector<std::uint8_t> expected = Slice(factory.settings, active * kRecordSize, kRecordSize);
  const std::size_t handed_over = device == kKeyboard ? kLiveLightingSize : kRecordReadSize;
  std::fill(expected.begin() + static_cast<std::ptrdiff_t>(handed_over), expected.end(), 0);
  if (device == kMouse) {
    EXPECT_GE(record[kMousePointerByte], 1);
    EXPECT_LE(record[kMousePointerByte], 20);
    EXPECT_GE(record[kMousePointerByte + 1], 1);
    EXPECT_LE(record[kMousePointerByte + 1], 100);
    expected[kMousePointerByte] = record[kMousePointerByte];
    expected[kMousePointerByte + 1] = record[kMousePointerByte + 1];
  }
  EXPECT_EQ(Vector(record), expected);
  EXPECT_FALSE(AllZero(record.subspan(1, 8)));  // a lighting block, not darkness
}

void ExpectFactoryLight(Bytes payload, const sim::FirmwareImage& factory, DeviceKind device) {
  ExpectFactoryRecord(payload.first(kRecordSize), factory, device);
  if (device != kKeyboard) return;
  EXPECT_LT(payload[kKeyboardCustomSetByte], kKeyboardCustomSets);
}

TEST(FactoryDefaultsTest, PayloadsHoldWhatAFactoryNewDeviceOfTheModelHolds) {
  for (const DefaultFile& file : kDefaultFiles) {
    SCOPED_TRACE(file.name);
    const std::vector<std::uint8_t> bytes = FileBytes(file.name);
    ASSERT_EQ(bytes.size(), 16 + file.payload_size);
    const Bytes payload = Bytes(bytes).subspan(16);
    const sim::FirmwareImage factory = sim::FactoryImage(file.product_id);
    switch (file.kind) {
      case kKey:
        ExpectFactoryKeys(payload, factory, file.device);
        break;
      case kLight:
        ExpectFactoryLight(payload, factory, file.device);
        break;
      case kDevice:
        ExpectFactoryKeys(payload.first(kKeyTableSize), factory, file.device);
        ExpectFactoryLight(payload.subspan(kKeyTableSize), factory, file.device);
        break;
    }
  }
}

// A device profile is the key profile and the light profile of the same model, joined.
TEST(FactoryDefaultsTest, EachDeviceProfileJoinsTheKeyAndLightProfilesOfItsModel) {
  for (const DefaultFile& device : kDefaultFiles) {
    if (device.kind != kDevice) continue;
    SCOPED_TRACE(device.name);
    std::vector<std::uint8_t> joined;
    for (const DefaultFile& part : kDefaultFiles) {
      if (part.device != device.device || part.keyboard_model != device.keyboard_model) continue;
      if (part.kind == kDevice) continue;
      const std::vector<std::uint8_t> bytes = FileBytes(part.name);
      const Bytes payload = Bytes(bytes).subspan(16);
      joined.insert(part.kind == kKey ? joined.begin() : joined.end(), payload.begin(),
                    payload.end());
    }
    EXPECT_EQ(Slice(FileBytes(device.name), 16, device.payload_size), joined);
  }
}

}  // namespace
}  // namespace vandrel
