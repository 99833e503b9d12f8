#include "cli/text_output.h"

#include <array>
#include <cstdio>

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

// Identifiers read best in hexadecimal.
bool IsIdentifier(const std::string& name) { return name == "product_id" || name == "sensor"; }

std::string Scalar(const std::string& name, const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>() ? "yes" : "no";
  if (value.is_null()) return "-";
  if (IsIdentifier(name) && value.is_number_unsigned()) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%04x", value.get<unsigned>());
    return text.data();
  }
  return JsonText(value);
}

std::string Quoted(const std::string& name, const Json& value) {
  const std::string text = Scalar(name, value);
  return value.is_string() && text.find(' ') != std::string::npos ? "\"" + text + "\"" : text;
}

std::string OneLine(const Json& object) {
  std::string line;
  for (const auto& [name, value] : object.items()) {
    if (!line.empty()) line += ' ';
    line += name + "=" + (value.is_structured() ? JsonText(value) : Quoted(name, value));
  }
  return line;
}

void Format(const Json& object, const std::string& indent, std::string& text) {
  for (const auto& [name, value] : object.items()) {
    if (value.is_object()) {
      text += indent + name + ":\n";
      Format(value, indent + "  ", text);
    } else if (value.is_array()) {
      text += indent + name + ":";
      bool scalars = true;
      for (const Json& element : value) scalars = scalars && !element.is_structured();
      if (scalars) {
        for (const Json& element : value) text += " " + Quoted(name, element);
        text += "\n";
      } else {
        text += "\n";
        for (const Json& element : value) text += indent + "  " + OneLine(element) + "\n";
      }
    } else {
      text += indent + name + ": " + Scalar(name, value) + "\n";
    }
  }
}

}  // namespace

std::string JsonText(const Json& document, int indent) {
  return document.dump(indent, ' ', false, Json::error_handler_t::replace);
}

std::string FormatText(const Json& document) {
  std::string text;
  if (document.is_object()) {
    Format(document, "", text);
  } else if (document.is_array()) {
    for (const Json& element : document) text += OneLine(element) + "\n";
  } else {
    text = Scalar("", document) + "\n";
  }
  return text;
}

}  // namespace vandrel::cli
