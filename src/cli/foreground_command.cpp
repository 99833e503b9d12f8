#include <array>
#include <cstdio>

#include "cli/commands.h"
#include "cli/output.h"
#include "platform/desktop_session.h"
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
  return document;
}

}  // namespace

int RunForeground(const Options& options) {
  if (!options.arguments.empty()) return RefuseUsage("foreground takes no arguments");
  const auto source = MakePlatformForegroundProgram(ProcessDesktopEnvironment());
  const ForegroundLook look = source->Look();
  if (options.json) {
    PrintJson(LookDocument(source->Kind(), look));
    return kExitSuccess;
  }
  if (look.path) {
    std::printf("%s\n", look.path->c_str());
  } else {
    std::printf("unknown: %s\n", look.why_unknown.c_str());
  }
  if (look.window != 0) std::printf("window %s", WindowText(look.window).c_str());
  if (look.pid) std::printf(", process %ld%s", *look.pid, look.wine ? " (Wine)" : "");
  if (look.window != 0) std::printf("\n");
  return kExitSuccess;
}

}  // namespace vandrel::cli
