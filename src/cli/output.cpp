#include "cli/output.h"

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/text_output.h"

namespace vandrel::cli {
namespace {

void PrintError(std::string_view message) {
  std::fprintf(stderr, "vandrelctl: %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace

int RefuseUsage(std::string_view message) {
  PrintError(message);
  return kExitBadUsage;
}

int FailDevice(std::string_view message) {
  PrintError(message);
  return kExitDeviceError;
}

void PrintJson(const nlohmann::ordered_json& document) {
  const std::string text = document.dump(2);
  std::printf("%s\n", text.c_str());
}

void PrintDocument(const Options& options, const nlohmann::ordered_json& document) {
  if (options.json) {
    PrintJson(document);
    return;
  }
  const std::string text = FormatText(document);
  std::fputs(text.c_str(), stdout);
}

}  // namespace vandrel::cli
