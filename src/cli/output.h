// How the commands of vandrelctl report: errors on standard error with the exit status they
// lead to, and JSON documents on standard output.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"

namespace vandrel::cli {

// Two lowercase hexadecimal digits a byte, as frames, assignments and device data are shown.
[[nodiscard]] std::string LowerHex(std::span<const std::uint8_t> bytes);

// "vandrelctl: MESSAGE" on standard error; returns kExitBadUsage.
int RefuseUsage(std::string_view message);
// "vandrelctl: MESSAGE" on standard error; returns kExitDeviceError.
int FailDevice(std::string_view message);
// The document, indented, and a newline on standard output.
void PrintJson(const nlohmann::ordered_json& document);
// The document as JSON with --json, else in its text form.
void PrintDocument(const Options& options, const nlohmann::ordered_json& document);

}  // namespace vandrel::cli
