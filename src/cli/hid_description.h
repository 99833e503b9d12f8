// What vandrelctl shows of a HID report descriptor: for each top-level collection its usage page
// and usage, its report IDs, its input, output and feature report byte lengths (the report ID
// byte counted, as the devices' original platform counts them) and its button and value
// capabilities. Built by the device layer's own parser; plain functions, any thread.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>

namespace vandrel::cli {

// The description as a JSON document; nullopt with `error` set when the descriptor is malformed
// or declares no top-level collection. Collections are numbered as the interface list numbers
// them: 0 for a descriptor's only collection, else from 1.
[[nodiscard]] std::optional<nlohmann::ordered_json> DescribeReportDescriptor(
    std::span<const std::uint8_t> descriptor, std::string& error);

// The description as text, one line per collection, report type and capability.
[[nodiscard]] std::string DescriptionText(const nlohmann::ordered_json& description);

}  // namespace vandrel::cli
