#include "cli/hid_description.h"

#include <array>
#include <set>

#include "device/hid_preparsed_data.h"
#include "device/report_descriptor.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

struct ReportTypeName {
  HidReportType type;
  const char* name;
};
constexpr std::array<ReportTypeName, kHidReportTypeCount> kReportTypes = {{
    {HidReportType::kInput, "input"},
    {HidReportType::kOutput, "output"},
    {HidReportType::kFeature, "feature"},
}};

std::uint16_t ByteLength(const HidCaps& caps, HidReportType type) {
  switch (type) {
    case HidReportType::kInput:
      return caps.input_report_byte_length;
    case HidReportType::kOutput:
      return caps.output_report_byte_length;
    case HidReportType::kFeature:
      return caps.feature_report_byte_length;
  }
  return 0;
}

Json ButtonJson(const HidButtonCaps& caps) {
  return {{"report_id", caps.report_id},
          {"usage_page", caps.usage_page},
          {"is_range", caps.is_range},
          {"usage_minimum", caps.usage_minimum},
          {"usage_maximum", caps.usage_maximum}};
}

Json ValueJson(const HidValueCaps& caps) {
  return {{"report_id", caps.report_id},
          {"usage_page", caps.usage_page},
          {"is_range", caps.is_range},
          {"usage_minimum", caps.usage_minimum},
          {"usage_maximum", caps.usage_maximum},
          {"bit_size", caps.bit_size},
          {"report_count", caps.report_count},
          {"has_null", caps.has_null},
          {"logical_minimum", caps.logical_minimum},
          {"logical_maximum", caps.logical_maximum},
          {"physical_minimum", caps.physical_minimum},
          {"physical_maximum", caps.physical_maximum}};
}

Json ReportTypeJson(const HidPreparsedData& collection, HidReportType type) {
  Json reports = Json::array();
  for (const std::uint8_t id : collection.ReportIds(type)) {
    reports.push_back({{"id", id}, {"byte_length", collection.ReportByteLength(type, id)}});
  }
  Json buttons = Json::array();
  for (const HidButtonCaps& caps : collection.button_caps(type))
    buttons.push_back(ButtonJson(caps));
  Json values = Json::array();
  for (const HidValueCaps& caps : collection.value_caps(type)) values.push_back(ValueJson(caps));
  return {{"byte_length", ByteLength(collection.caps(), type)},
          {"reports", reports},
          {"buttons", buttons},
          {"values", values}};
}

Json CollectionJson(const HidPreparsedData& collection, std::uint32_t number) {
  std::set<std::uint8_t> ids;
  if (collection.uses_report_ids()) {
    for (const ReportTypeName& type : kReportTypes) {
      for (const std::uint8_t id : collection.ReportIds(type.type)) ids.insert(id);
    }
  }
  Json json = {{"collection", number},
               {"usage_page", collection.caps().usage_page},
               {"usage", collection.caps().usage},
               {"report_ids", ids}};
  for (const ReportTypeName& type : kReportTypes) {
    json[type.name] = ReportTypeJson(collection, type.type);
  }
  return json;
}

}  // namespace

std::optional<Json> DescribeReportDescriptor(std::span<const std::uint8_t> descriptor,
                                             std::string& error) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(descriptor);
  if (!parsed) {
    error = "the report descriptor is malformed";
    return std::nullopt;
  }
  const std::size_t count = parsed->collections.size();
  if (count == 0) {
    error = "the report descriptor declares no top-level collection";
    return std::nullopt;
  }
  Json collections = Json::array();
  for (std::size_t index = 0; index < count; ++index) {
    const auto number = static_cast<std::uint32_t>(count == 1 ? 0 : index + 1);
    const std::optional<HidPreparsedData> collection =
        HidPreparsedData::Prepare(descriptor, number);
    if (!collection) {
      error = "the report descriptor is malformed";
      return std::nullopt;
    }
    collections.push_back(CollectionJson(*collection, number));
  }
  return Json{{"descriptor_bytes", descriptor.size()},
              {"uses_report_ids", parsed->uses_report_ids},
              {"collections", collections}};
}

}  // namespace vandrel::cli
