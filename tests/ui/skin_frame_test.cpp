// The skin window on the shipped skin: what each choice broadcasts and what it remembers for
// the next start.
#include "ui/skin_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "ui/control.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Remembered {
  int flags;
  std::string image;
  bool operator==(const Remembered&) const = default;
};

class Receiver final : public SkinReceiver {
 public:
  int Receive(const SkinChangedParam& param) override {
    received.push_back(param);
    return 1;
  }
  std::vector<SkinChangedParam> received;
};

class SkinFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
    ASSERT_TRUE(skin.LoadIndex());
    frame_window_ = BuildWindow(skin, kSkinWindowResource, texts_);
    ASSERT_NE(frame_window_, nullptr);
    observer_.AddReceiver(receiver_);
    frame_.emplace(*frame_window_, &main_window_, dialogs_, observer_,
                   [this](int flags, std::string_view image) {
                     remembered_.push_back({flags, std::string(image)});
                   });
    frame_window_->SetNotifyHandler([this](const Notification& n) { frame_->Handle(n); });
  }

  Control& Find(std::string_view name, std::size_t nth = 0) {
    const std::vector<Control*> all = frame_window_->FindAll(name);
    EXPECT_GT(all.size(), nth) << name;
    return *all.at(nth);
  }

  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  WindowModel main_window_{"XML_MAIN", texts_};
  std::unique_ptr<WindowModel> frame_window_;
  testing::FakeDialogs dialogs_;
  SkinObserver observer_;
  Receiver receiver_;
  std::vector<Remembered> remembered_;
  std::optional<CSkinFrame> frame_;
};

TEST_F(SkinFrameTest, TheTabButtonsShowPicturesOrColours) {
  Control& tab = Find(kSkinTab);
  Find(kSkinColoursTab).Click();
  EXPECT_EQ(tab.CurrentPage(), 1);
  Find(kSkinPicturesTab).Click();
  EXPECT_EQ(tab.CurrentPage(), 0);
  EXPECT_THAT(receiver_.received, IsEmpty());
}

TEST_F(SkinFrameTest, AThumbnailIsBroadcastAndRemembered) {
  Control& thumbnail = Find(kSkinPictureButton, 2);
  const std::string image = thumbnail.UserData();
  ASSERT_FALSE(image.empty());
  thumbnail.Click();
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_FALSE(receiver_.received[0].is_colour);
  EXPECT_EQ(receiver_.received[0].image, image);
  EXPECT_THAT(remembered_, ElementsAre(Remembered{1, image}));
}

TEST_F(SkinFrameTest, AColourSwatchIsBroadcastButNotRemembered) {
  Control& swatch = Find(kSkinColourButton, 1);
  ASSERT_NE(swatch.BackgroundColour(), 0u) << "the skin gives its swatches colours";
  swatch.Click();
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_TRUE(receiver_.received[0].is_colour);
  EXPECT_EQ(receiver_.received[0].colour, swatch.BackgroundColour());
  EXPECT_THAT(remembered_, IsEmpty());
}

TEST_F(SkinFrameTest, ResetBroadcastsAndRemembersTheDefaultPicture) {
  Find(kSkinResetButton).Click();
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_EQ(receiver_.received[0].image, "common/background.png");
  EXPECT_THAT(remembered_, ElementsAre(Remembered{0, "common/background.png"}));
}

TEST_F(SkinFrameTest, ACustomPictureIsBroadcastForThisRunOnly) {
  dialogs_.AnswerFiles({std::nullopt, std::filesystem::path("/home/u/Pictures/sea.png")});
  Find(kSkinCustomButton).Click();
  EXPECT_THAT(receiver_.received, IsEmpty()) << "cancelled";
  Find(kSkinCustomButton).Click();
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_FALSE(receiver_.received[0].is_colour);
  EXPECT_EQ(receiver_.received[0].image, "/home/u/Pictures/sea.png");
  EXPECT_THAT(remembered_, IsEmpty());
  ASSERT_EQ(dialogs_.file_requests().size(), 2u);
  EXPECT_EQ(dialogs_.file_requests()[0].default_extension, "png");
  EXPECT_EQ(dialogs_.file_requests()[0].initial_name, "*.png");
}

TEST_F(SkinFrameTest, WithoutAMemoryChoicesAreOnlyBroadcast) {
  CSkinFrame forgetful(*frame_window_, &main_window_, dialogs_, observer_, {});
  forgetful.Handle({notify::kClick, &Find(kSkinResetButton)});
  EXPECT_EQ(receiver_.received.size(), 1u);
}

}  // namespace
}  // namespace vandrel
