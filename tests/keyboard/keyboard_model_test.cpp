// The keyboard model chosen by product ID, and what follows from each model.
#include "keyboard/keyboard_model.h"

#include <gtest/gtest.h>

#include "device/product_ids.h"
#include "keyboard_fixture.h"

namespace vandrel::testing {
namespace {

struct ModelCase {
  std::uint16_t product_id;
  int model;
};

TEST(KeyboardModelTest, ProductIdsSelectTheirModelsAndOthersKeepTheCurrentOne) {
  for (const ModelCase& c :
       {ModelCase{0x7653, 0}, ModelCase{0x8611, 0}, ModelCase{0x0001, 1}, ModelCase{0x6556, 3}}) {
    for (const int current : {0, 1, 2, 3}) {
      EXPECT_EQ(KeyboardModelFor(c.product_id, current), c.model) << c.product_id << " " << current;
    }
  }
  EXPECT_EQ(KeyboardModelFor(0x1234, 2), 2);
  EXPECT_EQ(KeyboardModelFor(0x1234, 0), 0);
}

TEST(KeyboardModelTest, BeforeAnyKeyboardTheModelIsSixZones) {
  EXPECT_EQ(static_cast<int>(kStartingKeyboardModel), 3);
}

TEST(KeyboardModelTest, ModelsStreamTheirFramesAndLayTheirCustomSetsOutTheirOwnWay) {
  EXPECT_EQ(TraitsOf(KeyboardModel::kPerKey).frame_size, 378U);
  EXPECT_EQ(TraitsOf(KeyboardModel::kSingleColour).frame_size, 0U);
  EXPECT_EQ(TraitsOf(KeyboardModel::kSixZones).frame_size, 36U);
  EXPECT_EQ(TraitsOf(KeyboardModel::kPerKey).custom_layout, CustomSetLayout::kLedColours);
  EXPECT_EQ(TraitsOf(KeyboardModel::kPerKeyOwn).custom_layout, CustomSetLayout::kLedColours);
  EXPECT_EQ(TraitsOf(KeyboardModel::kSingleColour).custom_layout, CustomSetLayout::kLevels);
  EXPECT_EQ(TraitsOf(KeyboardModel::kSixZones).custom_layout, CustomSetLayout::kSlotColours);
  EXPECT_EQ(TraitsOf(KeyboardModel::kSixZones).light_default, "kbAreadengdefault.led");
  EXPECT_EQ(TraitsOf(KeyboardModel::kSingleColour).key_default, "kbkey15default.pro");
}

TEST(KeyboardModelTest, OnlyZeroToThreeAreModels) {
  EXPECT_EQ(KeyboardModelOf(2), KeyboardModel::kPerKeyOwn);
  EXPECT_FALSE(KeyboardModelOf(-1).has_value());
  EXPECT_FALSE(KeyboardModelOf(4).has_value());
}

class KeyboardModelMonitorTest : public KeyboardFixture,
                                 public ::testing::WithParamInterface<ModelCase> {};

TEST_P(KeyboardModelMonitorTest, TheMonitorTellsTheWindowTheModelOfTheKeyboardItOpened) {
  Plug(GetParam().product_id);
  const std::vector<std::string> calls = window_.Take();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "model " + std::to_string(GetParam().model)),
            calls.end());
}

INSTANTIATE_TEST_SUITE_P(Keyboards, KeyboardModelMonitorTest,
                         ::testing::Values(ModelCase{0x8611, 0}, ModelCase{0x7653, 0},
                                           ModelCase{0x6556, 3}, ModelCase{0x0001, 1}));

}  // namespace
}  // namespace vandrel::testing
