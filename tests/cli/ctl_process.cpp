#include "cli/ctl_process.h"

#include <fcntl.h>
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

// The parent's environment without the variables the test decides.
std::vector<std::string> Environment(
    const std::filesystem::path& folder,
    const std::map<std::string, std::optional<std::string>>& changes) {
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
  for (const auto& [name, value] : changes) {
    std::erase_if(variables, [&](const std::string& v) { return v.starts_with(name + "="); });
    if (value) variables.push_back(name + "=" + *value);
  }
  return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

CtlProcess::CtlProcess() { std::filesystem::create_directories(folder_.path() / "home"); }

void CtlProcess::SetEnv(const std::string& name, std::optional<std::string> value) {
  environment_changes_[name] = std::move(value);
}

CtlResult CtlProcess::Run(const std::vector<std::string>& arguments) const {
  const std::filesystem::path out_path = folder() / "stdout";
  const std::filesystem::path err_path = folder() / "stderr";
  std::vector<std::string> argv_texts{VANDREL_CTL_PATH};
  argv_texts.insert(argv_texts.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_texts = Environment(folder(), environment_changes_);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);

  const pid_t child = fork();
  if (child == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
      _exit(127);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  CtlResult result;
  const std::optional<int> wait_status =
      child > 0 ? AwaitChild(child, kWaitDeadline) : std::nullopt;
  if (child > 0 && !wait_status) ADD_FAILURE() << "vandrelctl did not end; it was killed";
  if (wait_status && WIFEXITED(*wait_status)) result.status = WEXITSTATUS(*wait_status);
  result.out = Slurp(out_path);
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

}  // namespace vandrel::testing
