// The download of the macro library and the key page to the simulated mouse: the commands on the
// wire, the image byte for byte, what the mouse then holds, and the downloads that cannot be done
// whole.
#include "macro/macro_download.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mouse/mouse_fixture.h"
#include "sim/macro_memory.h"
#include "support/temp_dir.h"

namespace vandrel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;
using sim::HeldMacro;

constexpr int kBegin = 1, kEnd = 2, kWritePage = 9, kMacroData = 21;

struct LibraryMacro {
  std::string name;
  Lines lines;
};

// The requests of a `size`-byte chunked write of `command` from `base`.
std::vector<TracedRequest> Chunked(int command, int size, int base = 0) {
  std::vector<TracedRequest> chunks;
  for (int done = 0; done < size; done += 56) {
    chunks.push_back({command, std::min(56, size - done), base + done});
  }
  return chunks;
}

std::vector<TracedRequest> Bracketed(std::vector<TracedRequest> inner) {
  inner.insert(inner.begin(), {kBegin, 0, 0});
  inner.push_back({kEnd, 0, 0});
  return inner;
}

Lines Steps(int count) { return Lines(static_cast<std::size_t>(count), "1,0,129,1,1,x"); }

class MacroDownloadTest : public MouseFixture {
 protected:
  MacroDownloadTest() {
    mouse_device_.ReadAll();
    ClearTrace();
  }

  void Store(const std::vector<LibraryMacro>& library) {
    Lines names;
    for (const LibraryMacro& macro : library) names.push_back(macro.name);
    ASSERT_TRUE(store_.RewriteCatalogue(names));
    for (const LibraryMacro& macro : library) {
      if (!macro.lines.empty()) {
        ASSERT_TRUE(store_.WriteMacro(macro.name, macro.name, macro.lines));
      }
    }
  }

  DownloadResult Download() {
    return DownloadMacrosAndKeys(mouse_, store_, state_.info.macro_memory_units(),
                                 [this] { return mouse_device_.WriteKeyPage(); });
  }

  Bytes SentImage() const {
    Bytes image;
    for (const Bytes& payload : Payloads(kMacroData)) {
      image.insert(image.end(), payload.begin(), payload.end());
    }
    return image;
  }

  TempDir folder_;
  MacroStore store_{DeviceKind::kMouse, folder_.path()};
  const std::vector<TracedRequest> key_page_ = Bracketed(Chunked(kWritePage, 126));
};

TEST_F(MacroDownloadTest, TheImageGoesInItsOwnBracketBeforeTheKeyPageAndTheMouseHoldsIt) {
  struct Case {
    std::string what;
    std::vector<LibraryMacro> library;
    std::size_t length;
    Bytes image_start;  // the first bytes sent, as laid out for the device
    std::optional<std::vector<HeldMacro>> held;
  };
  const Case cases[] = {
      {"no macros: only the key page", {}, 0, {}, std::nullopt},
      {"one macro without steps",
       {{"empty", {}}},
       22,
       {0xAA, 0x55, 22, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0, 0, 0, 0, 0},
       std::vector<HeldMacro>{{}}},
      {"macros of three steps and one",
       {{"a", {"44,1,138,4,1,keyboard_key_A", "5,0,10,4,0,keyboard_key_A", "0,0,132,7,1,m"}},
        {"b", {"255,255,9,2,1,keyboard_key_LSHIFT"}}},
       44,
       {0xAA, 0x55, 44,   0,    2,    0, 0, 0, 0,  0, 0, 0, 0,    0, 0, 0, 20, 0, 36,   0,    3, 0,
        0,    0,    0x2C, 0x01, 0x8A, 4, 5, 0, 10, 4, 0, 0, 0x84, 7, 1, 0, 0,  0, 0xFF, 0xFF, 9, 2},
       std::vector<HeldMacro>{{{300, 0x8A, 4}, {5, 10, 4}, {0, 0x84, 7}}, {{65535, 9, 2}}}},
      {"an image of several chunks",
       {{"a", Steps(12)}, {"b", Steps(12)}},
       124,
       {0xAA, 0x55, 124, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 0, 72, 0, 12, 0, 0, 0},
       std::vector<HeldMacro>(2, HeldMacro(12, {1, 0x81, 1}))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.library);
    ClearTrace();

    const DownloadResult result = Download();

    EXPECT_EQ(result.outcome, DownloadOutcome::kDone);
    EXPECT_EQ(result.image_bytes, c.length);
    std::vector<TracedRequest> expected;
    if (c.length > 0) expected = Bracketed(Chunked(kMacroData, static_cast<int>(c.length)));
    expected.insert(expected.end(), key_page_.begin(), key_page_.end());
    EXPECT_EQ(Requests(), expected);
    const Bytes sent = SentImage();
    EXPECT_EQ(sent.size(), c.length);
    EXPECT_TRUE(std::equal(c.image_start.begin(), c.image_start.end(), sent.begin()));
    EXPECT_EQ(sim::HeldMacros(device_->Memory().macro), c.held);
  }
}

TEST_F(MacroDownloadTest, ADownloadThatCannotBeDoneWholeSaysSoAndLeavesTheKeyPageAlone) {
  struct Case {
    std::string what;
    std::vector<LibraryMacro> library;
    sim::Faults faults;
    bool page_known;
    DownloadOutcome outcome;
    std::optional<int> steps_over;
    std::optional<int> channel_result;  // nullopt: any failure (the mouse is gone)
    bool image_sent;
  };
  // The mouse has 16 × 128 bytes: 510 steps in one macro make 2062 bytes, 14 too many.
  const Case cases[] = {
      {"too long",
       {{"a", Steps(510)}},
       {},
       true,
       DownloadOutcome::kTooLong,
       4,
       kChannelSuccess,
       false},
      {"the macro data refused",
       {{"a", Steps(3)}},
       {.refusal_status = 0xFE, .refuse_request = 2},
       true,
       DownloadOutcome::kImageFailed,
       std::nullopt,
       kChannelRefused,
       true},
      {"the bracket refused",
       {{"a", Steps(3)}},
       {.refusal_status = 0xFF, .refuse_request = 1},
       true,
       DownloadOutcome::kImageFailed,
       std::nullopt,
       kChannelRefusedBadFrame,
       false},
      {"a key page never read",
       {{"a", Steps(3)}},
       {},
       false,
       DownloadOutcome::kKeyPageFailed,
       std::nullopt,
       kKeyPageNotKnown,
       true},
      {"the mouse gone in the middle of the image",
       {{"a", Steps(40)}},
       {.vanish_on_request = 3},
       true,
       DownloadOutcome::kImageFailed,
       std::nullopt,
       std::nullopt,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.library);
    state_.keys_known[0] = c.page_known;
    ClearTrace();
    device_->SetFaults(c.faults);

    const DownloadResult result = Download();

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.steps_over, c.steps_over);
    if (c.channel_result) {
      EXPECT_EQ(result.channel_result, *c.channel_result);
    } else {
      EXPECT_NE(result.channel_result, kChannelSuccess);
    }
    EXPECT_EQ(WithCommand(Requests(), kMacroData).empty(), !c.image_sent);
    EXPECT_TRUE(WithCommand(Requests(), kWritePage).empty());
    device_->SetFaults({});
  }
}

}  // namespace
}  // namespace vandrel::testing
