#include "device/hidraw/hidraw_enumeration.h"

#include <charconv>
#include <filesystem>
#include <iterator>
#include <string_view>

#include "core/file_io.h"
#include "device/report_descriptor.h"

namespace vandrel {
namespace {

// The whole text as one hexadecimal number.
std::optional<std::uint32_t> ParseHex(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::uint16_t> ParseHex16(std::string_view text) {
  const std::optional<std::uint32_t> value = ParseHex(text);
  if (!value || *value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

// HID_ID is "bus:vendor:product", each in hexadecimal.
std::optional<HidAttributes> ParseHidId(std::string_view hid_id) {
  const std::size_t first = hid_id.find(':');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = hid_id.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::optional<std::uint32_t> bus = ParseHex(hid_id.substr(0, first));
  const std::optional<std::uint16_t> vendor =
      ParseHex16(hid_id.substr(first + 1, second - first - 1));
  const std::optional<std::uint16_t> product = ParseHex16(hid_id.substr(second + 1));
  if (!bus || !vendor || !product) return std::nullopt;
  return HidAttributes{*vendor, *product, 0};
}

std::optional<std::vector<std::uint8_t>> ReadDescriptor(const std::string& hid_syspath) {
  const FileContents file = ReadWholeFile(std::filesystem::path(hid_syspath) / "report_descriptor",
                                          kMaxReportDescriptorSize);
  if (file.status != ReadStatus::kOk) return std::nullopt;
  return std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end());
}

}  // namespace

std::optional<HidrawIdentity> IdentityOf(const HidrawNodeFacts& node) {
  std::optional<HidAttributes> attributes = ParseHidId(node.hid_id);
  if (!attributes) return std::nullopt;
  // Devices off USB have neither field; a value that does not read counts as absent too.
  attributes->version_number = ParseHex16(node.version).value_or(0);
  return HidrawIdentity{*attributes, ParseHex(node.interface_number).value_or(0)};
}

std::vector<HidInterfaceInfo> InterfacesOfNode(const HidrawNodeFacts& node) {
  const std::optional<HidrawIdentity> identity = IdentityOf(node);
  std::optional<std::vector<std::uint8_t>> descriptor = ReadDescriptor(node.hid_syspath);
  if (!identity || !descriptor) return {};

  HidInterfaceInfo interface;
  interface.path = node.devnode;
  interface.attributes = identity->attributes;
  interface.interface_number = identity->interface_number;
  interface.report_descriptor = std::move(*descriptor);
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(interface.report_descriptor);
  const std::vector<TopLevelCollection> collections =
      parsed ? parsed->collections : std::vector<TopLevelCollection>{};
  if (collections.size() <= 1) {
    if (!collections.empty()) {
      interface.usage_page = collections[0].usage_page;
      interface.usage = collections[0].usage;
    }
    return {std::move(interface)};
  }
  std::vector<HidInterfaceInfo> records;
  for (std::size_t i = 0; i < collections.size(); ++i) {
    HidInterfaceInfo& record = records.emplace_back(interface);
    record.collection_number = static_cast<std::uint32_t>(i + 1);
    record.usage_page = collections[i].usage_page;
    record.usage = collections[i].usage;
  }
  return records;
}

std::optional<std::vector<HidInterfaceInfo>> EnumerateHidraw(HidrawNodeSource& source) {
  std::optional<std::vector<HidrawNodeFacts>> nodes = source.ListNodes();
  if (!nodes) return std::nullopt;
  std::vector<HidInterfaceInfo> interfaces;
  for (const HidrawNodeFacts& node : *nodes) {
    std::vector<HidInterfaceInfo> records = InterfacesOfNode(node);
    std::move(records.begin(), records.end(), std::back_inserter(interfaces));
  }
  return interfaces;
}

}  // namespace vandrel
