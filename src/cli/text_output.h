// The text form of vandrelctl's JSON documents: "name: value" lines, nested objects indented,
// each element of a list of objects on one line as "name=value" pairs.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace vandrel::cli {

[[nodiscard]] std::string FormatText(const nlohmann::ordered_json& document);

// The document as JSON text (on one line, or indented by `indent` spaces). Never throws: texts
// that are not UTF-8 (file names, environment, hand-edited files) have each invalid byte replaced
// by U+FFFD.
[[nodiscard]] std::string JsonText(const nlohmann::ordered_json& document, int indent = -1);

}  // namespace vandrel::cli
