#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

TEST(ListProcessTest, ListsTheSimulatedDevicesWithTheirIdentity) {
  const CtlProcess ctl;
  const CtlResult text = ctl.Run({"--simulate", "list"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "keyboard  0x7653  model 0 (per-key colour)\n"
            "mouse     0x7667\n"
            "pad       0x6627\n");

  const CtlResult json = ctl.Run({"--simulate=ms", "--json", "list"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto devices = nlohmann::json::parse(json.out);
  ASSERT_EQ(devices.size(), 1U);
  EXPECT_EQ(devices[0]["kind"], "mouse");
  EXPECT_EQ(devices[0]["product_id"], 0x7667);
}

TEST(ListProcessTest, UsageMistakesExitWithTwoAndSayWhy) {
  const CtlProcess ctl;
  const CtlResult unknown = ctl.Run({"--simulate", "frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown command \"frobnicate\""), std::string::npos);
  EXPECT_EQ(ctl.Run({"--simulate=zz", "list"}).status, 2);
  EXPECT_EQ(ctl.Run({"--simulate", "list", "extra"}).status, 2);
  const CtlResult version = ctl.Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("vandrelctl ")) << version.out;
}

TEST(ListProcessTest, FoldersAndSettingsAnswerInJsonToo) {
  const CtlProcess ctl;
  const CtlResult folders = ctl.Run({"--json", "folders"});
  ASSERT_EQ(folders.status, 0) << folders.err;
  const auto paths = nlohmann::json::parse(folders.out);
  const std::filesystem::path data = paths["data_folder"].get<std::string>();
  EXPECT_TRUE(std::filesystem::is_directory(data)) << "created on the way";
  EXPECT_TRUE(data.string().starts_with(ctl.folder().string())) << data;

  const CtlResult settings = ctl.Run({"--json", "settings"});
  ASSERT_EQ(settings.status, 0) << settings.err;
  const auto values = nlohmann::json::parse(settings.out);
  EXPECT_TRUE(values["stored_language"].is_null()) << "nothing stored in a fresh home";
  EXPECT_EQ(ctl.Run({"settings", "extra"}).status, 2);
}

TEST(ListProcessTest, FoldersThatCannotBeCreatedAreReportedAndFail) {
  CtlProcess ctl;
  const std::filesystem::path documents = ctl.folder() / "home" / "Documents";
  std::filesystem::create_directories(documents);
  WriteFile(documents / "Vandrel Gaming mouse", "a file where the data folder belongs");
  const CtlResult folders = ctl.Run({"folders"});
  EXPECT_EQ(folders.status, 1);
  for (const char* folder : {"", "ms/", "kb/", "mp/"}) {
    const std::string path = (documents / "Vandrel Gaming mouse").string() + "/" + folder;
    EXPECT_NE(folders.err.find("the folder " + path + " could not be created"), std::string::npos)
        << folders.err;
  }
}

// Without a usable home folder vandrelctl refuses to run, rather than keep its files in the
// folder it was started in (the test's own folder here).
TEST(ListProcessTest, NoUsableHomeFolderRefusesToRun) {
  CtlProcess ctl;
  ctl.SetEnv("XDG_STATE_HOME", std::nullopt);
  ctl.SetEnv("XDG_CONFIG_HOME", "relative/config");
  const std::string missing = (ctl.folder() / "missing").string();
  for (const char* home : {"", "relative/home", missing.c_str()}) {
    ctl.SetEnv("HOME", home);
    for (const char* command : {"folders", "settings"}) {
      const CtlResult run = ctl.Run({"--simulate", command});
      EXPECT_EQ(run.status, 2) << home << " " << command;
      EXPECT_NE(run.err.find("no usable home folder"), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(ctl.Run({"--version"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists("Documents"));
  EXPECT_FALSE(std::filesystem::exists(".local"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace vandrel::testing
