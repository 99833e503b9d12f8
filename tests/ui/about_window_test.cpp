// The About window: the version in the window's language, the close button, and the web link
// that opens only web addresses.
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
    ASSERT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, kAboutResource, texts_);
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

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
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

TEST_F(AboutWindowTest, TheReleaseLabelShowsTheVersionInTheWindowsLanguage) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"lan_en.xml", "Version 2.4.1"}, {"lan_cn.xml", "版本 2.4.1"}, {"lan_sn.xml", "版本 2.4.1"}};
  for (const auto& [file, shown] : cases) {
    ASSERT_TRUE(texts_->LoadLanguage(file, skin_.Folder() / file));
    ShowRelease(*window_, "2.4.1");
    const Control* label = window_->Find(kAboutReleaseLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Text(), shown) << file;
  }
}

}  // namespace
}  // namespace vandrel
