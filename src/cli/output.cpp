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

std::string LowerHex(std::span<const std::uint8_t> bytes) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text;
  text.reserve(2 * bytes.size());
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

int RefuseUsage(std::string_view message) {
  PrintError(message);
  return kExitBadUsage;
}

int FailDevice(std::string_view message) {
  PrintError(message);
  return kExitDeviceError;
}

void PrintJson(const nlohmann::ordered_json& document) {
  const std::string text = JsonText(document, 2);
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
