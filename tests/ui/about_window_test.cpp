// The About window: the close button, and the web link that opens only web addresses.
#include "ui/about_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
    ASSERT_TRUE(skin.LoadIndex());
    window_ = BuildWindow(skin, kAboutResource, std::make_shared<TextResources>());
    ASSERT_NE(window_, nullptr);
    link_ = window_->Find(kAboutWebLink);
    close_ = window_->Find(kAboutCloseButton);
    ASSERT_NE(link_, nullptr);
    ASSERT_NE(close_, nullptr);
  }

  // The addresses a click on "NetText" opens with `configured` as the "WEBSITE" value.
  std::vector<std::string> OpenedWith(std::optional<std::string> configured) {
    std::vector<std::string> opened;
    Ccopyright about(std::move(configured),
                     [&opened](const std::string& url) { opened.push_back(url); });
    EXPECT_EQ(about.Handle({notify::kClick, link_}), std::nullopt);
    return opened;
  }

  std::unique_ptr<WindowModel> window_;
  Control* link_ = nullptr;
  Control* close_ = nullptr;
};

TEST_F(AboutWindowTest, TheLinkOpensTheConfiguredWebAddressOrTheDefault) {
  EXPECT_THAT(OpenedWith("https://vandrel.example/support?lang=en"),
              ElementsAre("https://vandrel.example/support?lang=en"));
  EXPECT_THAT(OpenedWith("HTTP://Vandrel.example"), ElementsAre("HTTP://Vandrel.example"));
  EXPECT_THAT(OpenedWith(std::nullopt), ElementsAre(std::string(kDefaultWebsite)));
}

TEST_F(AboutWindowTest, TheLinkOpensNothingButWebAddresses) {
  for (const char* configured :
       {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)", "https://", "http:///x",
        "https://vandrel.example/a b", "https://vandrel.example/\n--x", "ftp://vandrel.example",
        "httpsx://vandrel.example", ""}) {
    EXPECT_THAT(OpenedWith(configured), IsEmpty()) << configured;
  }
}

TEST_F(AboutWindowTest, CloseButtonClosesWithTwoAndOtherControlsKeepItOpen) {
  Ccopyright about(std::nullopt, [](const std::string&) {});
  EXPECT_EQ(about.Handle({notify::kClick, close_}), kAboutClosed);
  EXPECT_EQ(about.Handle({notify::kMouseEnter, close_}), std::nullopt);
  EXPECT_EQ(about.Handle({notify::kClick, &window_->Root()}), std::nullopt);
}

}  // namespace
}  // namespace vandrel
