// What vandrelctl prints when the text it reports is not UTF-8, and how it ends when its output
// cannot be written: never an abort, never a silent exit 0.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using nlohmann::json;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr char kNotUtf8[] = "\xFF\xFE\x80";

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every string anywhere in `value`, one after the other.
std::string AllStrings(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  std::string text;
  if (value.is_structured()) {
    for (const json& element : value) text += AllStrings(element) + "\n";
  }
  return text;
}

struct Source {
  std::string name;
  // Puts invalid bytes where the command will read them; returns the run's arguments and the
  // environment it needs.
  std::function<std::vector<std::string>(const CtlProcess&, std::vector<std::string>&)> prepare;
};

TEST(OutputProcessTest, JsonReplacesBytesThatAreNotUtf8WhereverTheyComeFrom) {
  const std::string bad = kNotUtf8;
  const std::vector<Source> sources = {
      {"a file name",
       [&](const CtlProcess& ctl, std::vector<std::string>&) -> std::vector<std::string> {
         const std::string file = (ctl.folder() / ("pad" + bad + ".led")).string();
         EXPECT_EQ(ctl.Run({"--simulate", "profile", "save", "pad", file}).status, 0);
         return {"--json", "profile", "show", file};
       }},
      {"main.ini IMAGE",
       [&](const CtlProcess& ctl, std::vector<std::string>&) -> std::vector<std::string> {
         WriteFile(ctl.folder() / "home/Documents/Vandrel Gaming mouse/main.ini",
                   "[SKINIMAGE]\r\nIMAGE=sky" + bad + ".png\r\n");
         return {"--json", "settings"};
       }},
      {"settings.ini LANGUAGE",
       [&](const CtlProcess& ctl, std::vector<std::string>&) -> std::vector<std::string> {
         WriteFile(ctl.folder() / "config/vandrel/settings.ini",
                   "[Vandrel Gaming mouse]\nLANGUAGE=" + bad + "\n");
         return {"--json", "settings"};
       }},
      {"user-dirs.dirs",
       [&](const CtlProcess& ctl, std::vector<std::string>&) -> std::vector<std::string> {
         WriteFile(ctl.folder() / "config/user-dirs.dirs",
                   "XDG_DOCUMENTS_DIR=\"$HOME/Doc" + bad + "\"\n");
         return {"--json", "folders"};
       }},
      {"HOME",
       [&](const CtlProcess& ctl,
           std::vector<std::string>& environment) -> std::vector<std::string> {
         const std::filesystem::path home = ctl.folder() / ("home" + bad);
         std::filesystem::create_directories(home);
         environment.push_back("HOME=" + home.string());
         return {"--json", "folders"};
       }},
  };
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    const CtlProcess ctl;
    CtlRunOptions options;
    const std::vector<std::string> arguments = source.prepare(ctl, options.environment);
    const CtlResult result = ctl.Run(arguments, options);
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out, nullptr, false);
    ASSERT_FALSE(document.is_discarded()) << result.out;
    EXPECT_NE(AllStrings(document).find(kReplacement), std::string::npos) << result.out;
  }
}

TEST(OutputProcessTest, OutputThatCannotBeWrittenFailsTheRunWithAMessage) {
  const CtlProcess ctl;
  const std::string trace = (ctl.folder() / "trace").string();
  const auto onto = [](std::filesystem::path out, std::optional<std::uint64_t> size_limit) {
    CtlRunOptions options;
    options.stdout_path = std::move(out);
    options.file_size_limit = size_limit;
    return options;
  };
  struct Case {
    std::string what;
    std::vector<std::string> arguments;
    CtlRunOptions options;
    std::string message;
  };
  // A trace line is about 150 bytes: the limit lets the first through and stops the second. The
  // pad's memory is not saved (info changes nothing) and the output goes where it fits.
  const std::vector<Case> cases = {
      {"json to a full disk",
       {"--simulate", "--json", "info", "pad"},
       onto("/dev/full", std::nullopt),
       "cannot write the output"},
      {"text to a full disk",
       {"--simulate", "info", "mouse"},
       onto("/dev/full", std::nullopt),
       "cannot write the output"},
      {"help to a full disk", {"help"}, onto("/dev/full", std::nullopt), "cannot write the output"},
      {"the trace on a full disk",
       {"--simulate", "--sim-trace", trace, "info", "pad"},
       onto("/dev/null", 200),
       "cannot write the simulator trace"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const CtlResult result = ctl.Run(test.arguments, test.options);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace vandrel::testing
