// vandrelctl download as a user runs it: the library built with `macro`, written to the simulated
// device as one image before the key page, and refused with nothing sent when it does not fit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::filesystem::path MacroFile(const CtlProcess& ctl, const std::string& name, int steps) {
  const std::filesystem::path file = ctl.folder() / (name + ".mac");
  std::ofstream out(file);
  out << "[MACROACTIONCOUNT]\ncount=" << steps << "\n[MACROACTION]\n";
  for (int i = 0; i < steps; ++i) out << i << "=44,1,138,4,1,keyboard_key_A\n";
  return file;
}

TEST(DownloadProcessTest, TheLibraryReachesTheDeviceBeforeTheKeyPageOrNothingIsSent) {
  struct Case {
    std::string device;
    std::vector<int> steps;  // per macro
    int status;
    std::size_t image_length;  // 0: no image sent
  };
  const Case cases[] = {
      {"mouse", {}, 0, 0},
      {"mouse", {0, 3}, 0, 16 + 12 + 12},
      {"keyboard", {1}, 0, 16 + 6 + 4},
      {"mouse", {600}, 2, 0},  // 2422 bytes in 2048
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device + " with " + std::to_string(c.steps.size()) + " macros");
    const CtlProcess ctl;
    for (std::size_t k = 0; k < c.steps.size(); ++k) {
      const std::string name = "m" + std::to_string(k);
      const auto file = MacroFile(ctl, name, c.steps[k]);
      ASSERT_EQ(ctl.Run({"macro", "import", c.device, file.string(), name}).status, 0);
    }
    const std::filesystem::path trace = ctl.folder() / "trace";

    const CtlResult run =
        ctl.Run({"--simulate", "--sim-trace", trace.string(), "download", c.device});

    EXPECT_EQ(run.status, c.status) << run.err;
    Bytes image;
    int key_page_writes = 0;
    bool key_page_after_image = true;
    for (const SentRequest& request : SentRequests(trace)) {
      if (request.command == 21) {
        image.insert(image.end(), request.payload.begin(), request.payload.end());
        key_page_after_image = key_page_after_image && key_page_writes == 0;
      }
      if (request.command == 9) ++key_page_writes;
    }
    EXPECT_EQ(image.size(), c.image_length);
    EXPECT_TRUE(key_page_after_image);
    EXPECT_EQ(key_page_writes > 0, c.status == 0);
    if (c.status != 0) {
      EXPECT_NE(run.err.find("remove 94 macro steps"), std::string::npos) << run.err;
    }
    if (!image.empty()) {
      // The header and the last step: delay 300, press of A.
      EXPECT_EQ(Bytes(image.begin(), image.begin() + 6),
                (Bytes{0xAA, 0x55, static_cast<std::uint8_t>(c.image_length), 0,
                       static_cast<std::uint8_t>(c.steps.size()), 0}));
      EXPECT_EQ(Bytes(image.end() - 4, image.end()), (Bytes{0x2C, 0x01, 0x8A, 0x04}));
    }
  }
}

}  // namespace
}  // namespace vandrel::testing
