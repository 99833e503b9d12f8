#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <set>

#include "sim_host.h"

namespace vandrel::sim {
namespace {

using testing::Bytes;
using testing::Request;

class CommandsTest : public testing::SimFixture {
 protected:
  // A keyboard's factory table, read with command 7 after the key count of command 3, as a set of
  // three-byte codes; its key page 0 starts as the same table.
  std::set<std::array<std::uint8_t, 3>> ReadFactoryKeys(std::uint16_t product_id) {
    PlugAndOpen(product_id);
    Report reply{};
    EXPECT_EQ(Exchange(Request(3, 0x21), &reply), kStatusAccepted);
    const std::size_t keys = reply[8 + 5];
    const Bytes table = ReadArea(7, 0, 3 * keys);
    EXPECT_EQ(ReadArea(8, 0, 3 * keys), table);
    std::set<std::array<std::uint8_t, 3>> codes;
    for (std::size_t d = 0; d < keys; ++d) {
      codes.insert({table[3 * d], table[3 * d + 1], table[3 * d + 2]});
    }
    EXPECT_EQ(codes.size(), keys) << "two keys of " << product_id << " share a factory code";
    return codes;
  }
};

TEST_F(CommandsTest, RequestsBuiltAsDocumentedAreAcceptedWithoutViolation) {
  PlugAndOpen(kMouseProductId);
  const Report begin = Request(1, 0);
  EXPECT_EQ(Bytes(begin.begin(), begin.begin() + 8), (Bytes{0x04, 0x01, 0x00, 0x01, 0, 0, 0, 0}));
  const Report info = Request(3, 0x21);
  EXPECT_EQ(Bytes(info.begin(), info.begin() + 8), (Bytes{0x04, 0x24, 0x00, 0x03, 0x21, 0, 0, 0}));

  Report reply{};
  EXPECT_EQ(Exchange(begin, &reply), kStatusAccepted);
  EXPECT_EQ(reply[0], 4);
  EXPECT_EQ(reply[3], 1);
  EXPECT_TRUE(device_->ConfigOpen());
  EXPECT_EQ(Exchange(Request(2, 0)), kStatusAccepted);
  EXPECT_FALSE(device_->ConfigOpen());
  EXPECT_EQ(device_->ViolationCount(), 0);
}

TEST_F(CommandsTest, MouseDeviceInformationCarriesMacroUnitsSensorAndHighestDpi) {
  PlugAndOpen(kMouseProductId);
  Report reply{};
  ASSERT_EQ(Exchange(Request(3, 0x21), &reply), kStatusAccepted);
  EXPECT_GT(reply[8 + 6], 0);                              // macro memory units
  EXPECT_EQ(reply[8 + 9] | (reply[8 + 10] << 8), 0x3360);  // sensor code
  EXPECT_EQ(reply[8 + 12], 11);                            // highest DPI index
  EXPECT_EQ(device_->Memory().macro.size(), reply[8 + 6] * 128U);
}

TEST_F(CommandsTest, SlotRecordsLieAtSlotTimes64WithTheActiveSlotInByteZero) {
  PlugAndOpen(kMouseProductId);
  EXPECT_EQ(ReadArea(5, 0, 1), Bytes{0});
  EXPECT_EQ(ReadArea(5, 3 * 64, 1), Bytes{3});

  // One byte switches the active slot.
  ASSERT_EQ(Exchange(Request(6, 1, 0, {3})), kStatusAccepted);
  EXPECT_EQ(ReadArea(5, 0, 1), Bytes{3});

  // More bytes store the record of that slot and make it active.
  Bytes record(56, 0);
  record[0] = 4;
  record[15] = 9;
  ASSERT_EQ(Exchange(Request(6, 56, 0, record)), kStatusAccepted);
  EXPECT_EQ(ReadArea(5, 0, 1), Bytes{4});
  EXPECT_EQ(ReadArea(5, 4 * 64, 56), record);
  // Slot 6 does not exist; a read past the sixth record is out of range.
  EXPECT_EQ(Exchange(Request(6, 1, 0, {6})), kStatusRefused);
  EXPECT_EQ(Exchange(Request(5, 56, 5 * 64 + 9)), kStatusRefused);
}

TEST_F(CommandsTest, MouseFactoryKeysAreInTheDefaultTableAndEveryPage) {
  PlugAndOpen(kMouseProductId);
  const Bytes defaults = ReadArea(7, 0, 512);
  EXPECT_EQ(Bytes(defaults.begin(), defaults.begin() + 6), (Bytes{0x10, 0x01, 0, 0x10, 0x04, 0}));
  EXPECT_EQ(Bytes(defaults.begin() + 15, defaults.begin() + 18), (Bytes{0x13, 3, 0}));
  for (std::uint16_t page = 0; page < 5; ++page) {
    EXPECT_EQ(ReadArea(8, page * 126, 27), Bytes(defaults.begin(), defaults.begin() + 27));
  }
}

TEST_F(CommandsTest, KeyPageMemoryHoldsPageFourPlusAFullTransfer) {
  PlugAndOpen(kMouseProductId);
  Bytes page(512);
  for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_EQ(WriteArea(9, 4 * 126, page), kStatusAccepted);
  EXPECT_EQ(ReadArea(8, 4 * 126, 512), page);
  EXPECT_EQ(Exchange(Request(9, 1, 4 * 126 + 512, {1})), kStatusRefused);
}

TEST_F(CommandsTest, FactoryResetRestoresEveryArea) {
  PlugAndOpen(kMouseProductId);
  const FirmwareImage factory = device_->Memory();
  ASSERT_EQ(Exchange(Request(6, 1, 0, {2})), kStatusAccepted);
  ASSERT_EQ(WriteArea(9, 0, Bytes(126, 0x55)), kStatusAccepted);
  ASSERT_EQ(WriteArea(23, 0, Bytes(100, 1)), kStatusAccepted);
  ASSERT_NE(device_->Memory(), factory);
  EXPECT_EQ(Exchange(Request(13, 0)), kStatusAccepted);
  EXPECT_EQ(device_->Memory(), factory);
}

TEST_F(CommandsTest, AFrameCountsWhenItsLastChunkArrives) {
  PlugAndOpen(kPerKeyKeyboardProductId);
  Bytes frame(378);
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i);
  ASSERT_EQ(WriteArea(18, 0, Bytes(frame.begin(), frame.begin() + 336)), kStatusAccepted);
  EXPECT_EQ(device_->FramesReceived(), 0);
  ASSERT_EQ(WriteArea(18, 336, Bytes(frame.begin() + 336, frame.end())), kStatusAccepted);
  EXPECT_EQ(device_->FramesReceived(), 1);
  EXPECT_EQ(device_->LastFrame(), frame);
  EXPECT_EQ(Exchange(Request(18, 1, 378, {1})), kStatusRefused);
}

TEST_F(CommandsTest, FrameSizesFollowTheDevice) {
  struct Case {
    std::uint16_t product_id;
    std::size_t frame_size;
  };
  for (const Case c : {Case{kPadProductId, 45}, Case{kZoneKeyboardProductId, 36},
                       Case{kPerKeyKeyboardAltProductId, 378}}) {
    PlugAndOpen(c.product_id);
    EXPECT_EQ(WriteArea(18, 0, Bytes(c.frame_size, 9)), kStatusAccepted);
    EXPECT_EQ(device_->FramesReceived(), 1) << std::hex << c.product_id;
    EXPECT_EQ(Exchange(Request(18, 1, static_cast<std::uint16_t>(c.frame_size), {1})),
              kStatusRefused);
  }
  // Devices that animate themselves take no frames.
  for (const std::uint16_t product_id : {kMouseProductId, kSingleColourKeyboardProductId}) {
    PlugAndOpen(product_id);
    EXPECT_EQ(Exchange(Request(18, 1, 0, {1})), kStatusRefused);
  }
}

TEST_F(CommandsTest, MacroAndRecoilMemoryRefuseDataBeyondTheirCapacity) {
  PlugAndOpen(kMouseProductId);
  const std::size_t capacity = device_->Memory().macro.size();
  EXPECT_EQ(WriteArea(21, 0, Bytes(capacity, 0x11)), kStatusAccepted);
  EXPECT_EQ(Exchange(Request(21, 1, static_cast<std::uint16_t>(capacity), {1})), kStatusRefused);
  EXPECT_EQ(WriteArea(23, 0, Bytes(3072, 0x22)), kStatusAccepted);
  EXPECT_EQ(Exchange(Request(23, 1, 3072, {1})), kStatusRefused);
  EXPECT_EQ(device_->Memory().recoil, Bytes(3072, 0x22));
  // Only the mouse has recoil memory.
  PlugAndOpen(kZoneKeyboardProductId);
  EXPECT_EQ(Exchange(Request(23, 1, 0, {1})), kStatusRefused);
}

// A full-size keyboard without right GUI but with a function key has 104 keys; the zone keyboard
// adds the ISO key, right GUI and G1–G5.
TEST_F(CommandsTest, TheZoneKeyboardHasTheExtraKeysBesideThePerKeyKeyboardsKeys) {
  const auto per_key = ReadFactoryKeys(kPerKeyKeyboardProductId);
  const auto zone = ReadFactoryKeys(kZoneKeyboardProductId);
  EXPECT_EQ(per_key.size(), 104U);
  EXPECT_EQ(ReadFactoryKeys(kKeyboardProductId), per_key);
  std::set<std::array<std::uint8_t, 3>> extra;
  std::set_difference(zone.begin(), zone.end(), per_key.begin(), per_key.end(),
                      std::inserter(extra, extra.end()));
  EXPECT_TRUE(std::includes(zone.begin(), zone.end(), per_key.begin(), per_key.end()));
  EXPECT_EQ(extra, (std::set<std::array<std::uint8_t, 3>>{{0x20, 0, 0x64},
                                                          {0x20, 0x80, 0},
                                                          {0xD0, 0xA2, 1},
                                                          {0xD0, 0xA2, 2},
                                                          {0xD0, 0xA2, 3},
                                                          {0xD0, 0xA2, 4},
                                                          {0xD0, 0xA2, 5}}));
}

TEST_F(CommandsTest, KeyboardKeyCountIsConfigurableBeyondWhatTheHostAccepts) {
  PlugAndOpen(kPerKeyKeyboardProductId, 171);
  Report reply{};
  ASSERT_EQ(Exchange(Request(3, 0x21), &reply), kStatusAccepted);
  EXPECT_EQ(reply[8 + 5], 171);
  PlugAndOpen(kPerKeyKeyboardProductId, 20);
  ASSERT_EQ(Exchange(Request(3, 0x21), &reply), kStatusAccepted);
  EXPECT_EQ(reply[8 + 5], 20);
  EXPECT_EQ(ReadArea(7, 60, 56), Bytes(56, 0));
}

}  // namespace
}  // namespace vandrel::sim
