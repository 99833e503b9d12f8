#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "platform/desktop_session.h"
#include "platform/foreground_bus_client.h"
#include "platform/platform_foreground_program.h"

namespace vandrel::cli {

namespace {

std::string WindowText(std::uint32_t window) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%x", window);
  return text.data();
}

nlohmann::ordered_json LookDocument(const std::string& kind, const ForegroundLook& look) {
  using nlohmann::ordered_json;
  ordered_json document = {{"source", kind},
                           {"program", look.path ? ordered_json(*look.path) : nullptr}};
  if (!look.path) document["why_unknown"] = look.why_unknown;
  document["window"] = look.window != 0 ? ordered_json(WindowText(look.window)) : nullptr;
  document["pid"] = look.pid ? ordered_json(*look.pid) : nullptr;
  document["wine"] = look.wine;
  if (!look.app_id.empty()) document["app_id"] = look.app_id;
  return document;
}

// Under Wayland only the desktop program hears the compositor helpers: ask it what it was told.
// Elsewhere, look as the program does.
std::pair<std::string, ForegroundLook> LookNow() {
  const DesktopEnvironment environment = ProcessDesktopEnvironment();
  if (environment.has_wayland_display) {
    std::string why;
    std::optional<ForegroundLook> look = AskForegroundLook("", why);
    if (!look) look = ForegroundLook{.why_unknown = why};
    return {"wayland", std::move(*look)};
  }
  const auto source = MakePlatformForegroundProgram(environment);
  return {source->Kind(), source->Look()};
}

// The programs with a window now; nullopt with `why` set when the desktop program cannot be asked.
std::optional<std::vector<std::string>> ProgramsNow(std::string& why) {
  const DesktopEnvironment environment = ProcessDesktopEnvironment();
  if (environment.has_wayland_display) return AskProgramsWithWindows("", why);
  return MakePlatformForegroundProgram(environment)->ProgramsWithWindows();
}

int PrintPrograms(const Options& options) {
  std::string why;
  const std::optional<std::vector<std::string>> programs = ProgramsNow(why);
  if (options.json) {
    nlohmann::ordered_json document = {
        {"programs", programs ? nlohmann::ordered_json(*programs) : nlohmann::ordered_json()}};
    if (!programs) document["why_unknown"] = why;
    PrintJson(document);
    return kExitSuccess;
  }
  if (!programs) std::printf("unknown: %s\n", why.c_str());
  for (const std::string& program : programs.value_or(std::vector<std::string>()))
    std::printf("%s\n", program.c_str());
  return kExitSuccess;
}

}  // namespace

int RunForeground(const Options& options) {
  if (options.arguments == std::vector<std::string>{"--windows"}) return PrintPrograms(options);
  if (!options.arguments.empty()) return RefuseUsage("foreground takes only --windows");
  const auto [kind, look] = LookNow();
  if (options.json) {
    PrintJson(LookDocument(kind, look));
    return kExitSuccess;
  }
  if (look.path) {
    std::printf("%s\n", look.path->c_str());
  } else {
    std::printf("unknown: %s\n", look.why_unknown.c_str());
  }
  std::string details;
  const auto add = [&details](const std::string& detail) {
    details += (details.empty() ? "" : ", ") + detail;
  };
  if (look.window != 0) add("window " + WindowText(look.window));
  if (!look.app_id.empty()) add("application " + look.app_id);
  if (look.pid) add("process " + std::to_string(*look.pid) + (look.wine ? " (Wine)" : ""));
  if (!details.empty()) std::printf("%s\n", details.c_str());
  return kExitSuccess;
}

}  // namespace vandrel::cli
