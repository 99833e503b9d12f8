// `profile apply` of files whose payload holds values the device cannot take: each is refused
// with exit 2 and the field named, and the device is sent nothing that changes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

constexpr std::size_t kHeaderSize = 16;

using Bytes = std::vector<std::pair<std::size_t, std::uint8_t>>;  // payload offset, new value

struct Mutation {
  Bytes bytes;        // empty: every payload byte becomes 0xFF
  std::string field;  // the field the refusal names
};

struct Row {
  std::string device;
  std::string extension;
  std::vector<Mutation> mutations;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Mutated(std::string file, const Mutation& mutation) {
  if (mutation.bytes.empty()) std::fill(file.begin() + kHeaderSize, file.end(), '\xFF');
  for (const auto& [offset, value] : mutation.bytes) {
    file.at(kHeaderSize + offset) = static_cast<char>(value);
  }
  return file;
}

// Requests that change a device's memory, lighting or keys.
bool Changes(const std::string& sent) {
  const int command = std::stoi(sent.substr(sent.find(' ') + 1));
  return command == 6 || command == 9 || command == 13 || command == 18 || command == 21 ||
         command == 23;
}

// The simulated mouse takes DPI indices up to 11; the simulated keyboard is model 0 (modes 0-18).
const std::vector<Row> kRows = {
    {"mouse",
     ".led",
     {{{}, "slot"},
      {{{0, 6}}, "slot"},
      {{{1, 6}}, "lighting mode"},
      {{{2, 15}}, "lighting brightness"},
      {{{3, 15}}, "lighting speed"},
      {{{4, 2}}, "lighting direction"},
      {{{5, 2}}, "lighting seven-colour flag"},
      {{{14, 4}}, "report rate"},
      {{{15, 12}}, "DPI level 1 index"},
      {{{20, 12}}, "DPI level 5 index"},
      {{{19, 6}}, "active DPI level"},
      {{{36, 21}}, "pointer speed"},
      {{{37, 101}}, "wheel lines"}}},
    {"mouse",
     ".config",
     {{{}, "button 1 assignment type"},
      {{{3, 0x99}}, "button 2 assignment type"},
      {{{512 + 14, 9}}, "report rate"},
      {{{512 + 18, 200}}, "DPI level 4 index"}}},
    {"mouse",
     ".pro",
     {{{}, "button 1 assignment type"},
      {{{15, 0x13}, {16, 4}}, "button 6 assignment parameter 1"},
      {{{24, 0x72}, {25, 4}}, "button 9 assignment parameter 1"}}},
    {"keyboard",
     ".led",
     {{{}, "profile number"},
      {{{0, 5}}, "profile number"},
      {{{1, 19}}, "lighting mode"},
      {{{3, 15}}, "lighting speed"},
      {{{64, 5}}, "custom set"}}},
    {"keyboard",
     ".config",
     {{{}, "key 1 assignment type"},
      {{{3 * 40, 0xEE}}, "key 41 assignment type"},
      {{{512 + 2, 15}}, "lighting brightness"}}},
    {"keyboard",
     ".pro",
     {{{}, "key 1 assignment type"}, {{{15, 0x40}, {16, 3}}, "key 6 assignment parameter 1"}}},
    {"pad",
     ".led",
     {{{}, "slot"},
      {{{0, 5}}, "slot"},
      {{{1, 10}}, "lighting mode"},
      {{{3, 15}}, "lighting speed"},
      {{{5, 2}}, "lighting seven-colour flag"}}},
};

TEST(ProfileCheckProcessTest, APayloadTheDeviceCannotTakeIsRefusedBeforeAnythingIsSent) {
  const CtlProcess ctl;
  const std::filesystem::path trace = ctl.folder() / "trace";
  const std::filesystem::path bad = ctl.folder() / "bad";
  for (const Row& row : kRows) {
    const std::filesystem::path good = ctl.folder() / (row.device + row.extension);
    ASSERT_EQ(ctl.Run({"--simulate", "profile", "save", row.device, good.string()}).status, 0);
    // The device's own settings are taken back, so the refusals below come from the mutations.
    ASSERT_EQ(ctl.Run({"--simulate", "profile", "apply", good.string()}).status, 0) << good;
    for (const Mutation& mutation : row.mutations) {
      SCOPED_TRACE(row.device + row.extension + ": " + mutation.field);
      std::filesystem::create_directories(bad);
      const std::filesystem::path file = bad / ("x" + row.extension);
      std::ofstream(file, std::ios::binary) << Mutated(Slurp(good), mutation);

      const CtlResult apply =
          ctl.Run({"--simulate", "--sim-trace", trace.string(), "profile", "apply", file.string()});
      EXPECT_EQ(apply.status, 2);
      EXPECT_NE(apply.err.find(mutation.field + " is"), std::string::npos) << apply.err;
      const std::vector<std::string> sent = SentCommands(trace);
      EXPECT_FALSE(sent.empty()) << "the device was read";
      EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), Changes));
    }
  }
}

}  // namespace
}  // namespace vandrel::testing
