// The text form of a report descriptor's description (see hid_description.h).
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/hid_description.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string Hex4(const Json& number) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", number.get<unsigned>());
  return text;
}

std::string Usages(const Json& caps) {
  if (!caps["is_range"].get<bool>()) return "usage " + Hex4(caps["usage_minimum"]);
  return "usages " + Hex4(caps["usage_minimum"]) + "-" + Hex4(caps["usage_maximum"]);
}

std::string Range(const char* name, const Json& minimum, const Json& maximum) {
  return std::string(", ") + name + " " + std::to_string(minimum.get<std::int64_t>()) + " to " +
         std::to_string(maximum.get<std::int64_t>());
}

std::string ButtonLine(const Json& caps) {
  return "    button: report " + std::to_string(caps["report_id"].get<unsigned>()) + ", page " +
         Hex4(caps["usage_page"]) + ", " + Usages(caps) + "\n";
}

std::string ValueLine(const Json& caps) {
  std::string line = "    value: report " + std::to_string(caps["report_id"].get<unsigned>()) +
                     ", page " + Hex4(caps["usage_page"]) + ", " + Usages(caps) + ", " +
                     std::to_string(caps["report_count"].get<unsigned>()) + " x " +
                     std::to_string(caps["bit_size"].get<unsigned>()) + " bits" +
                     Range("logical", caps["logical_minimum"], caps["logical_maximum"]);
  // A physical range of 0 to 0 means none was declared.
  if (caps["physical_minimum"] != 0 || caps["physical_maximum"] != 0) {
    line += Range("physical", caps["physical_minimum"], caps["physical_maximum"]);
  }
  if (caps["has_null"].get<bool>()) line += ", null state";
  return line + "\n";
}

std::string ReportTypeText(const char* name, const Json& type) {
  const unsigned length = type["byte_length"].get<unsigned>();
  if (length == 0) return std::string("  ") + name + ": none\n";
  std::string text = std::string("  ") + name + ": " + std::to_string(length) + " bytes (";
  const char* separator = "";
  for (const Json& report : type["reports"]) {
    text += separator;
    text += "report " + std::to_string(report["id"].get<unsigned>()) + ": " +
            std::to_string(report["byte_length"].get<unsigned>());
    separator = ", ";
  }
  text += ")\n";
  for (const Json& caps : type["buttons"]) text += ButtonLine(caps);
  for (const Json& caps : type["values"]) text += ValueLine(caps);
  return text;
}

std::string CollectionText(const Json& collection) {
  std::string text = "collection " + std::to_string(collection["collection"].get<unsigned>()) +
                     ": usage page " + Hex4(collection["usage_page"]) + ", usage " +
                     Hex4(collection["usage"]) + "\n";
  if (!collection["report_ids"].empty()) {
    text += "  report IDs:";
    for (const Json& id : collection["report_ids"]) text += " " + std::to_string(id.get<int>());
    text += "\n";
  }
  for (const char* type : {"input", "output", "feature"}) {
    text += ReportTypeText(type, collection[type]);
  }
  return text;
}

}  // namespace

std::string DescriptionText(const Json& description) {
  std::string text =
      "report descriptor: " + std::to_string(description["descriptor_bytes"].get<std::size_t>()) +
      " bytes, " + (description["uses_report_ids"].get<bool>() ? "with" : "without") +
      " report IDs\n";
  for (const Json& collection : description["collections"]) text += CollectionText(collection);
  return text;
}

}  // namespace vandrel::cli
