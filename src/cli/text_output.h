// The text form of vandrelctl's JSON documents: "name: value" lines, nested objects indented,
// each element of a list of objects on one line as "name=value" pairs.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace vandrel::cli {

[[nodiscard]] std::string FormatText(const nlohmann::ordered_json& document);

}  // namespace vandrel::cli
