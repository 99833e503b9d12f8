#include "ui/about_window.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/trace.h"
#include "ui/control.h"
#include "ui/toolkit.h"

namespace vandrel {
namespace {

// `prefix` is in lower case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
           return std::tolower(static_cast<unsigned char>(c)) == lower;
         });
}

bool IsSafeCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte != 0x7F;
}

}  // namespace

bool IsWebAddress(std::string_view address) {
  std::string_view rest;
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (StartsWithIgnoringCase(address, scheme)) rest = address.substr(scheme.size());
  }
  const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
  return !host.empty() && std::ranges::all_of(address, IsSafeCharacter);
}

std::optional<std::string> WebsiteToOpen(const std::optional<std::string>& configured) {
  if (!configured) return std::string(kDefaultWebsite);
  if (!IsWebAddress(*configured)) return std::nullopt;
  return configured;
}

void ShowRelease(WindowModel& about, std::string_view version) {
  Control* label = about.Find(kAboutReleaseLabel);
  if (label == nullptr) return;
  label->SetText(about.Texts().Lookup("about_release") + " " + std::string(version));
}

Ccopyright::Ccopyright(std::optional<std::string> configured_website, OpenUrl open_url)
    : website_(WebsiteToOpen(configured_website)), open_url_(std::move(open_url)) {}

std::optional<int> Ccopyright::Handle(const Notification& notification) {
  if (notification.type != notify::kClick) return std::nullopt;
  const std::string& name = notification.sender->Name();
  if (name == kAboutCloseButton) return kAboutClosed;
  if (name == kAboutWebLink) {
    if (website_ && open_url_) {
      open_url_(*website_);
    } else {
      Trace("web site not opened: \"WEBSITE\" is not an http or https address");
    }
  }
  return std::nullopt;
}

}  // namespace vandrel
