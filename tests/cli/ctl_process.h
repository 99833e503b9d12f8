// Runs the built vandrelctl as a process, as a user would, with its own home, state, config and
// data folders inside a temporary folder, and collects what it printed and its exit status.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vandrel::testing {

struct CtlResult {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// How one run differs from the usual one.
struct CtlRunOptions {
  std::vector<std::string> environment;  // "NAME=VALUE" entries that replace the test's own
  // Standard output: this existing file or device, opened for writing only and not read back
  // (CtlResult::out stays empty); empty: a fresh file in the folder, read back.
  std::filesystem::path stdout_path;
  // The largest file the process may write (RLIMIT_FSIZE), as on a nearly full disk: writes
  // beyond it fail with EFBIG instead of raising SIGXFSZ.
  std::optional<std::uint64_t> file_size_limit;
  // Names the files that catch the output, so that runs made at once from threads do not share
  // them.
  std::string output_name = "run";
};

class CtlProcess {
 public:
  CtlProcess();

  // Sets `name` for later runs, or removes it when `value` is nullopt, over the folders above.
  void SetEnv(const std::string& name, std::optional<std::string> value);

  // vandrelctl with `arguments`; standard input is empty.
  CtlResult Run(const std::vector<std::string>& arguments) const;
  CtlResult Run(const std::vector<std::string>& arguments, const CtlRunOptions& options) const;

  // The temporary folder: "home", "state", "config" and "data" lie in it; tests put files here.
  [[nodiscard]] const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  TempDir folder_;
  std::map<std::string, std::optional<std::string>> environment_changes_;
};

// The command byte of every request written in a simulator trace, in order, with the device tag
// ("kb", "ms", "mp") in front: "ms 6". Empty when the file does not exist.
[[nodiscard]] std::vector<std::string> SentCommands(const std::filesystem::path& trace);

// The commands written in a simulator trace, in order, each with its payload (its length byte
// long). Empty when the file does not exist.
struct SentRequest {
  int command = 0;
  std::vector<std::uint8_t> payload;
};
[[nodiscard]] std::vector<SentRequest> SentRequests(const std::filesystem::path& trace);

// Every file under `folder` with its contents, to show that a refusal changed nothing.
[[nodiscard]] std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

}  // namespace vandrel::testing
