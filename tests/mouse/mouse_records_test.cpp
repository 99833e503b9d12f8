// The byte layouts of the mouse's records, written from their documented offsets, and the DPI and
// sensor tables.
#include "mouse/mouse_records.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vandrel {
namespace {

std::vector<std::uint8_t> Counting(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  return bytes;
}

TEST(MouseRecordsTest, SettingsFieldsLieAtTheirDocumentedBytes) {
  MouseSettings settings;
  settings.slot = 3;
  settings.lighting = {.mode = 0x11, .brightness = 0x12, .blue = 0x18};
  settings.report_rate = 0x0E;
  settings.SetDpi(1, 0xA1);
  settings.SetDpi(4, 0xA4);
  settings.active_dpi = 0x13;
  settings.SetDpi(5, 0xA5);
  settings.colours[0] = {0xC1, 0xC2, 0xC3};
  settings.colours[4] = {0xD1, 0xD2, 0xD3};

  const auto bytes = Encode(settings);

  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(bytes[1], 0x11);  // lighting mode
  EXPECT_EQ(bytes[2], 0x12);  // brightness
  EXPECT_EQ(bytes[8], 0x18);  // blue
  EXPECT_EQ(bytes[14], 0x0E);
  EXPECT_EQ(bytes[15], 0xA1);
  EXPECT_EQ(bytes[18], 0xA4);
  EXPECT_EQ(bytes[19], 0x13);
  EXPECT_EQ(bytes[20], 0xA5);  // level 5 follows active_dpi
  EXPECT_EQ((std::array{bytes[21], bytes[22], bytes[23]}),
            (std::array<std::uint8_t, 3>{0xC1, 0xC2, 0xC3}));
  EXPECT_EQ((std::array{bytes[33], bytes[34], bytes[35]}),
            (std::array<std::uint8_t, 3>{0xD1, 0xD2, 0xD3}));
}

TEST(MouseRecordsTest, SlotRecordDecodesHostSettingsAndReservedBytesFromTheirOffsets) {
  const std::vector<std::uint8_t> bytes = Counting(MouseSlotRecord::kSize);
  MouseSlotRecord record;
  DecodeInto(bytes, record);

  EXPECT_EQ(record.settings.slot, 1);
  EXPECT_EQ(record.settings.lighting.mode, 2);
  EXPECT_EQ(record.settings.report_rate, 15);
  EXPECT_EQ(record.settings.Dpi(1), 16);
  EXPECT_EQ(record.settings.active_dpi, 20);
  EXPECT_EQ(record.settings.Dpi(5), 21);
  EXPECT_EQ(record.settings.colours[4].blue, 36);
  EXPECT_EQ(record.pointer_speed, 37);
  EXPECT_EQ(record.wheel_lines, 38);
  EXPECT_EQ(record.reserved.back(), 64);
  const auto again = Encode(record);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin()));
}

TEST(MouseRecordsTest, ShortDecodeChangesOnlyTheBytesItHas) {
  MouseSlotRecord record;
  record.reserved.fill(0x77);
  record.pointer_speed = 9;
  const std::vector<std::uint8_t> read = Counting(MouseSlotRecord::kReadSize);

  DecodeInto(read, record);

  EXPECT_EQ(record.pointer_speed, 37);          // inside the 56 bytes read
  EXPECT_EQ(record.reserved[56 - 38 - 1], 56);  // byte 55, the last read
  EXPECT_EQ(record.reserved[56 - 38], 0x77);    // byte 56 kept
  EXPECT_EQ(record.reserved.back(), 0x77);      // byte 63 kept
}

TEST(MouseRecordsTest, LightingBlockTravelsInWireOrder) {
  const LightingBlock block{1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Encode(block), (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
  const std::array<std::uint8_t, 8> bytes{9, 10, 11, 12, 13, 14, 15, 16};
  EXPECT_EQ(DecodeLightingBlock(bytes).green, 15);
}

TEST(MouseRecordsTest, KeyTableHoldsButtonBAtThreeB) {
  MouseKeyTable table;
  table.SetAssignment(8, {0x30, 0xCD, 0x01});
  EXPECT_EQ(table.bytes[24], 0x30);
  EXPECT_EQ(table.bytes[26], 0x01);
  table.bytes[3] = 0x13;
  table.bytes[4] = 3;
  EXPECT_EQ(table.Assignment(1), (KeyAssignment{0x13, 3, 0}));
}

TEST(MouseRecordsTest, DeviceInformationFields) {
  MouseDeviceInfo info;
  info.bytes[6] = 16;
  info.bytes[9] = 0x60;
  info.bytes[10] = 0x33;
  info.bytes[12] = 11;
  EXPECT_EQ(info.macro_memory_units(), 16);
  EXPECT_EQ(info.sensor_code(), 0x3360);
  EXPECT_EQ(info.max_dpi_index(), 11);
}

TEST(MouseRecordsTest, DpiTableAndLabels) {
  const int expected[] = {600, 800, 1000, 1200, 1600, 2000, 2600, 3200, 3900, 4800, 6400, 8000};
  for (int index = 0; index < 12; ++index) {
    EXPECT_EQ(DpiValue(index), expected[index]) << index;
    EXPECT_EQ(DpiLabel(index), std::to_string(expected[index]));
  }
  EXPECT_EQ(DpiValue(12), std::nullopt);
  EXPECT_EQ(DpiValue(-1), std::nullopt);
  EXPECT_EQ(DpiLabel(12), "–");
  EXPECT_EQ(DpiLabel(255), "–");
}

TEST(MouseRecordsTest, SensorRangesOfTheKnownSensorsOnly) {
  struct Case {
    std::uint16_t code;
    std::string_view minimum, maximum;
  };
  const Case cases[] = {{0x3050, "250", "4000"}, {0x3205, "600", "6400"}, {0x3310, "50", "5000"},
                        {0x3325, "200", "8000"}, {0x3327, "200", "6200"}, {0x3360, "100", "12000"}};
  for (const Case& sensor : cases) {
    const auto range = SensorRange(sensor.code);
    ASSERT_TRUE(range.has_value()) << sensor.code;
    EXPECT_EQ(range->first, sensor.minimum);
    EXPECT_EQ(range->second, sensor.maximum);
  }
  EXPECT_EQ(SensorRange(0x3361), std::nullopt);
  EXPECT_EQ(SensorRange(0), std::nullopt);
}

}  // namespace
}  // namespace vandrel
