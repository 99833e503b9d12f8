// Ccopyright: the About window's behaviour without its drawing. "closebtn" closes it with 2;
// "NetText" opens the maker's web site in the default browser. The address is configurable as
// the value "WEBSITE" of the settings store, with kDefaultWebsite when the store has none; only
// http and https addresses are ever opened, so a settings file cannot make the link start a
// program or open a local file. User-interface thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/notification.h"

namespace vandrel {

inline constexpr std::string_view kAboutResource = "XML_COPYRIGHT";
inline constexpr std::string_view kAboutCloseButton = "closebtn";
inline constexpr std::string_view kAboutWebLink = "NetText";
inline constexpr std::string_view kAboutReleaseLabel = "about_release_label";
inline constexpr int kAboutClosed = 2;

// The settings-store value that holds the web address, and the address used without one.
inline constexpr std::string_view kWebsiteValueName = "WEBSITE";
inline constexpr std::string_view kDefaultWebsite = "https://www.vandrel.example/";

// True for an absolute http or https address (scheme in any letter case) with a host and
// without white space or control characters.
[[nodiscard]] bool IsWebAddress(std::string_view address);

// The address "NetText" opens: the configured one (kDefaultWebsite when none is configured),
// or nullopt when the configured one is not a web address.
[[nodiscard]] std::optional<std::string> WebsiteToOpen(
    const std::optional<std::string>& configured);

class WindowModel;

// Writes "Version" in the window's language and `version` into the About window's release label.
void ShowRelease(WindowModel& about, std::string_view version);

class Ccopyright {
 public:
  using OpenUrl = std::function<void(const std::string& url)>;

  // `configured_website` is the settings store's "WEBSITE" value, if any; `open_url` opens an
  // address in the default browser.
  Ccopyright(std::optional<std::string> configured_website, OpenUrl open_url);

  // Acts on one of the window's notifications; returns the result it closes with, or nullopt
  // while it stays open.
  [[nodiscard]] std::optional<int> Handle(const Notification& notification);

 private:
  std::optional<std::string> website_;
  OpenUrl open_url_;
};

}  // namespace vandrel
