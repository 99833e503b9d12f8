#include "cli/ctl_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "support/deadline.h"

extern char** environ;

namespace vandrel::testing {
namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string_view NameOf(std::string_view variable) {
  return variable.substr(0, variable.find('='));
}

// The parent's environment without the variables the test decides, then the process's `changes`
// (set or removed) and the run's `overrides` in place of the entries of the same names.
std::vector<std::string> Environment(
    const std::filesystem::path& folder,
    const std::map<std::string, std::optional<std::string>>& changes,
    const std::vector<std::string>& overrides) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view variable = *entry;
    if (!variable.starts_with("HOME=") && !variable.starts_with("XDG_") &&
        !variable.starts_with("VANDREL_")) {
      variables.emplace_back(variable);
    }
  }
  variables.push_back("HOME=" + (folder / "home").string());
  variables.push_back("XDG_STATE_HOME=" + (folder / "state").string());
  variables.push_back("XDG_CONFIG_HOME=" + (folder / "config").string());
  variables.push_back("XDG_DATA_HOME=" + (folder / "data").string());
  variables.push_back("XDG_RUNTIME_DIR=" + (folder / "run").string());
  for (const auto& [name, value] : changes) {
    std::erase_if(variables, [&](const std::string& variable) { return NameOf(variable) == name; });
    if (value) variables.push_back(name + "=" + *value);
  }
  for (const std::string& override : overrides) {
    std::erase_if(variables, [&](const std::string& variable) {
      return NameOf(variable) == NameOf(override);
    });
    variables.push_back(override);
  }
  return variables;
}

// In the child between fork and exec: only async-signal-safe calls.
void LimitFileSize(const std::optional<std::uint64_t>& limit) {
  if (!limit) return;
  const rlimit size{*limit, *limit};
  signal(SIGXFSZ, SIG_IGN);
  if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(127);
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

// A private runtime folder of its own, so that the desktop program's lock, which the macro
// commands take, is never another test's (or a running program's).
CtlProcess::CtlProcess() {
  std::filesystem::create_directories(folder_.path() / "home");
  std::filesystem::create_directories(folder_.path() / "run");
  std::filesystem::permissions(folder_.path() / "run", std::filesystem::perms::owner_all);
}

void CtlProcess::SetEnv(const std::string& name, std::optional<std::string> value) {
  environment_changes_[name] = std::move(value);
}

CtlResult CtlProcess::Run(const std::vector<std::string>& arguments) const {
  return Run(arguments, CtlRunOptions{});
}

CtlResult CtlProcess::Run(const std::vector<std::string>& arguments,
                          const CtlRunOptions& options) const {
  const bool own_stdout = options.stdout_path.empty();
  const std::filesystem::path out_path =
      own_stdout ? folder() / (options.output_name + ".stdout") : options.stdout_path;
  const std::filesystem::path err_path = folder() / (options.output_name + ".stderr");
  std::vector<std::string> argv_texts{VANDREL_CTL_PATH};
  argv_texts.insert(argv_texts.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_texts =
      Environment(folder(), environment_changes_, options.environment);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);

  const pid_t child = fork();
  if (child == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = own_stdout ? open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                               : open(out_path.c_str(), O_WRONLY);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
      _exit(127);
    LimitFileSize(options.file_size_limit);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  CtlResult result;
  const std::optional<int> wait_status =
      child > 0 ? AwaitChild(child, kWaitDeadline) : std::nullopt;
  if (child > 0 && !wait_status) ADD_FAILURE() << "vandrelctl did not end; it was killed";
  if (wait_status && WIFEXITED(*wait_status)) result.status = WEXITSTATUS(*wait_status);
  if (own_stdout) result.out = Slurp(out_path);
  result.err = Slurp(err_path);
  return result;
}

std::vector<std::string> SentCommands(const std::filesystem::path& trace) {
  std::ifstream file(trace);
  std::vector<std::string> commands;
  std::string time, device, interface, direction, hex;
  constexpr std::size_t kCommandDigits = 6;  // report ID and checksum come first
  while (file >> time >> device >> interface >> direction >> hex) {
    if (direction != "out" || hex.size() < kCommandDigits + 2) continue;
    commands.push_back(device + " " +
                       std::to_string(std::stoi(hex.substr(kCommandDigits, 2), nullptr, 16)));
  }
  return commands;
}

std::vector<SentRequest> SentRequests(const std::filesystem::path& trace) {
  std::vector<SentRequest> sent;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    if (line.find(" vendor out ") == std::string::npos) continue;
    const std::string hex = line.substr(line.rfind(' ') + 1);
    auto byte = [&](std::size_t i) {
      return static_cast<std::uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    };
    SentRequest request{byte(3), {}};
    for (std::size_t i = 0; i < byte(4); ++i) request.payload.push_back(byte(8 + i));
    sent.push_back(std::move(request));
  }
  return sent;
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::filesystem::directory_entry& entry :
       std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = ReadFile(entry.path());
  }
  return files;
}

}  // namespace vandrel::testing
