// The built program as a user starts it, offscreen with temporary folders: one copy per user (a
// later copy wakes the first and ends with 0), a crashed copy's lock does not keep the next from
// starting, a copy that cannot take the lock says so, SIGTERM ends the program in order, SIGUSR1
// reports the simulator's figures when asked for, and a screenshot run writes its picture and ends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/single_instance.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using vandrel::SingleInstance;

constexpr std::string_view kActivationTrace = "activation: another copy asked for the window";
constexpr std::string_view kListeningTrace = "activation: listening at ";
// The window's initialisation, with no language stored yet: the program is up and handles signals.
constexpr std::string_view kWindowInitTrace = "no stored language: main.ini keeps its own";
constexpr std::string_view kNoLockTrace = "single instance: no lock taken (";
constexpr std::string_view kNoLockMessage = "vandrel: another copy may be running: no lock taken (";
// Generous: the machine may be busy; nothing here measures how long anything took.
constexpr auto kDeadline = 60s;

bool WaitFor(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + kDeadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// One run of the program, its output in a file.
class Program {
 public:
  Program(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
          fs::path log)
      : log_(std::move(log)) {
    pid_ = ::fork();
    if (pid_ == 0) Exec(arguments, environment);
  }
  ~Program() {
    if (pid_ > 0 && !status_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void Signal(int signal_number) const { ::kill(pid_, signal_number); }
  // Whether the program has not ended yet; never waits.
  [[nodiscard]] bool Running() {
    int status = 0;
    if (!status_ && ::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return !status_;
  }
  // The wait status once the program ended; nullopt when it runs past the deadline.
  std::optional<int> Wait() {
    WaitFor([this] {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
      return status_.has_value();
    });
    return status_;
  }
  [[nodiscard]] std::string Output() const {
    std::ifstream file(log_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  [[nodiscard]] bool Said(std::string_view line) const {
    return Output().find(line) != std::string::npos;
  }

 private:
  void Exec(const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment) {
    const int log = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(log, STDOUT_FILENO);
    ::dup2(log, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(VANDREL_BINARY)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    ::execve(VANDREL_BINARY, argv.data(), envp.data());
    ::_exit(127);
  }

  fs::path log_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

bool ExitedWithZero(std::optional<int> status) {
  return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

class ProgramProcessTest : public ::testing::Test {
 protected:
  ProgramProcessTest() {
    for (const char* folder : {"run", "home", "config"}) fs::create_directory(dir_.path() / folder);
    ::chmod((dir_.path() / "run").c_str(), 0700);
  }

  std::unique_ptr<Program> Start(const std::string& name,
                                 std::vector<std::string> arguments = {"--simulate"},
                                 const std::string& home = "") {
    std::vector<std::string> environment = {
        "HOME=" + (home.empty() ? (dir_.path() / "home").string() : home),
        "XDG_RUNTIME_DIR=" + (dir_.path() / "run").string(),
        "XDG_CONFIG_HOME=" + (dir_.path() / "config").string(),
        "QT_QPA_PLATFORM=offscreen",
        "VANDREL_TRACE=1",
    };
    // The sanitizers' options (suppressions among them) reach the program as they reach the test.
    for (const char* option : {"ASAN_OPTIONS", "TSAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      if (const char* value = std::getenv(option))
        environment.push_back(std::string(option) + "=" + value);
    }
    return std::make_unique<Program>(arguments, environment, dir_.path() / (name + ".log"));
  }
  testing::TempDir dir_;
};

TEST_F(ProgramProcessTest, ALaterCopyWakesTheFirstAndEndsWithZero) {
  const std::unique_ptr<Program> first = Start("first");
  ASSERT_TRUE(WaitFor([&] { return first->Said(kListeningTrace); })) << first->Output();
  const std::unique_ptr<Program> second = Start("second");
  EXPECT_TRUE(ExitedWithZero(second->Wait())) << second->Output();
  EXPECT_TRUE(WaitFor([&] { return first->Said(kActivationTrace); })) << first->Output();
  first->Signal(SIGTERM);
  EXPECT_TRUE(ExitedWithZero(first->Wait())) << first->Output();
  EXPECT_TRUE(first->Said("worker threads stopped")) << first->Output();
}

TEST_F(ProgramProcessTest, TheLockOfAKilledCopyDoesNotKeepTheNextFromStarting) {
  const std::unique_ptr<Program> crashed = Start("crashed");
  ASSERT_TRUE(WaitFor([&] { return crashed->Said(kListeningTrace); })) << crashed->Output();
  crashed->Signal(SIGKILL);
  ASSERT_TRUE(crashed->Wait().has_value());
  const std::unique_ptr<Program> next = Start("next");
  ASSERT_TRUE(WaitFor([&] { return next->Said(kListeningTrace); })) << next->Output();
  const std::unique_ptr<Program> later = Start("later");
  EXPECT_TRUE(ExitedWithZero(later->Wait())) << later->Output();
  EXPECT_TRUE(WaitFor([&] { return next->Said(kActivationTrace); })) << next->Output();
  next->Signal(SIGINT);
  EXPECT_TRUE(ExitedWithZero(next->Wait())) << next->Output();
}

// vandrelctl holds the lock for the moment a macro change takes, and answers no activation. A copy
// started meanwhile starts once the lock is free; while it stays taken, the copy says it got no
// answer and ends with 0.
TEST_F(ProgramProcessTest, ACopyStartedWhileTheLockIsHeldWithoutAnAnswerStartsOnceItIsFree) {
  {
    const SingleInstance holder = SingleInstance::Acquire(dir_.path() / "run");
    ASSERT_EQ(holder.role(), SingleInstance::Role::kFirst);
    const std::unique_ptr<Program> refused = Start("refused");
    EXPECT_TRUE(ExitedWithZero(refused->Wait())) << refused->Output();
    EXPECT_TRUE(refused->Said("another copy is running but did not answer")) << refused->Output();
    EXPECT_FALSE(refused->Said(kListeningTrace)) << refused->Output();
  }
  std::unique_ptr<Program> started;
  {
    const SingleInstance holder = SingleInstance::Acquire(dir_.path() / "run");
    ASSERT_EQ(holder.role(), SingleInstance::Role::kFirst);
    started = Start("started");
    // A pause, not a measurement: the copy finds the lock taken unless the machine is slow, and
    // starts either way.
    std::this_thread::sleep_for(300ms);
  }
  ASSERT_TRUE(WaitFor([&] { return started->Said(kListeningTrace); })) << started->Output();
  started->Signal(SIGTERM);
  EXPECT_TRUE(ExitedWithZero(started->Wait())) << started->Output();
}

// A lock file that cannot be opened leaves nothing to keep a second copy out: both copies run,
// and each says so on standard error and in its trace.
TEST_F(ProgramProcessTest, WithoutTheLockEveryCopySaysSoAndRuns) {
  fs::create_directory(dir_.path() / "run" / "LUMTRAKDRVER1_QD418.lock");
  const std::unique_ptr<Program> first = Start("first");
  const std::unique_ptr<Program> second = Start("second");
  for (const Program* copy : {first.get(), second.get()}) {
    EXPECT_TRUE(WaitFor([&] {
      return copy->Said(kNoLockTrace) && copy->Said(kNoLockMessage) && copy->Said(kWindowInitTrace);
    })) << copy->Output();
    EXPECT_FALSE(copy->Said(kListeningTrace)) << copy->Output();
  }
  for (Program* copy : {first.get(), second.get()}) {
    copy->Signal(SIGTERM);
    EXPECT_TRUE(ExitedWithZero(copy->Wait())) << copy->Output();
    EXPECT_TRUE(copy->Said("worker threads stopped")) << copy->Output();
  }
}

TEST_F(ProgramProcessTest, AScreenshotRunWritesThePictureAndEnds) {
  const fs::path picture = dir_.path() / "shots" / "main.png";
  const std::unique_ptr<Program> run = Start("shot", {"--simulate", "--screenshot", picture});
  EXPECT_TRUE(ExitedWithZero(run->Wait())) << run->Output();
  ASSERT_TRUE(fs::exists(picture));
  std::ifstream file(picture, std::ios::binary);
  std::string signature(8, '\0');
  file.read(signature.data(), 8);
  EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");
}

// The benchmarks' runs: the view is shown (or the window hidden) once the devices are in, and the
// program goes on until it is ended; the start-up is traced at the window's first paint.
TEST_F(ProgramProcessTest, AViewRunShowsItsViewAndStaysUntilEnded) {
  for (const std::string view : {"hidden", "kb-lighting"}) {
    const std::unique_ptr<Program> run = Start(view, {"--simulate", "--show-view", view});
    EXPECT_TRUE(WaitFor([&] { return run->Said("vandrel: showing view \"" + view + "\""); }))
        << run->Output();
    EXPECT_TRUE(run->Said(" ms after the program started")) << run->Output();
    EXPECT_TRUE(run->Running()) << run->Output();
    run->Signal(SIGTERM);
    EXPECT_TRUE(ExitedWithZero(run->Wait())) << view << run->Output();
  }
}

// A benchmark asks a simulating run for its figures with SIGUSR1 while it animates: the run
// prints them, goes on, and the keyboard's lighting thread has been charged with its time in the
// simulated devices; a run without --sim-stats treats SIGUSR1 as any program does and ends.
TEST_F(ProgramProcessTest, SigusrOneReportsTheSimulatorsFiguresOnlyWhenAskedFor) {
  constexpr std::string_view kEnd = "vandrel: end of the simulator statistics";
  const std::unique_ptr<Program> run =
      Start("stats", {"--simulate", "--sim-usb-timing", "--sim-stats", "--show-view", "hidden"});
  ASSERT_TRUE(WaitFor([&] { return run->Said("vandrel: showing view"); })) << run->Output();
  ASSERT_TRUE(WaitFor([&] {
    run->Signal(SIGUSR1);
    std::this_thread::sleep_for(100ms);
    const std::string output = run->Output();
    return output.find("simulator time in thread kb-light: ") != std::string::npos &&
           output.find(kEnd) != std::string::npos;
  })) << run->Output();
  EXPECT_TRUE(run->Said("vandrel: simulated device 7653: ")) << run->Output();
  EXPECT_TRUE(run->Running()) << run->Output();
  run->Signal(SIGTERM);
  EXPECT_TRUE(ExitedWithZero(run->Wait())) << run->Output();

  const std::unique_ptr<Program> plain = Start("plain", {"--simulate", "--show-view", "hidden"});
  ASSERT_TRUE(WaitFor([&] { return plain->Said("vandrel: showing view"); })) << plain->Output();
  plain->Signal(SIGUSR1);
  const std::optional<int> status = plain->Wait();
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGUSR1) << plain->Output();
  EXPECT_FALSE(plain->Said(kEnd));
}

// Files the program reads at start that are FIFOs with no writer (the picture skin named in
// main.ini, user-dirs.dirs) are passed over: the program starts, shows its window and ends.
TEST_F(ProgramProcessTest, FifosAmongTheFilesReadAtStartDoNotHangIt) {
  const fs::path data = dir_.path() / "home" / "Documents" / "Vandrel Gaming mouse";
  fs::create_directories(data);
  ASSERT_EQ(::mkfifo((dir_.path() / "picture.png").c_str(), 0600), 0);
  std::ofstream(data / "main.ini")
      << "[SKINIMAGE]\nFLAGS=1\nIMAGE=" << (dir_.path() / "picture.png").string() << "\n";
  ASSERT_EQ(::mkfifo((dir_.path() / "config" / "user-dirs.dirs").c_str(), 0600), 0);
  const fs::path picture = dir_.path() / "shot.png";
  const std::unique_ptr<Program> run = Start("fifo", {"--simulate", "--screenshot", picture});
  EXPECT_TRUE(ExitedWithZero(run->Wait())) << run->Output();
  EXPECT_TRUE(fs::exists(picture));
}

// Without a usable home folder the program refuses to start and says why, rather than keep its
// files in the folder it was started in.
TEST_F(ProgramProcessTest, NoUsableHomeFolderRefusesToStart) {
  const fs::path home = dir_.path() / "home";
  for (const std::string& unusable : {std::string("relative/home"), (home / "missing").string()}) {
    const std::unique_ptr<Program> run = Start("nohome", {"--simulate"}, unusable);
    const std::optional<int> status = run->Wait();
    ASSERT_TRUE(status.has_value()) << unusable;
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << run->Output();
    EXPECT_TRUE(run->Said("vandrel: no usable home folder: HOME \"" + unusable + "\""))
        << run->Output();
  }
  EXPECT_TRUE(fs::is_empty(home));
}

}  // namespace
}  // namespace vandrel
