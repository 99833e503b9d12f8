// vandrelctl hid: the HID interfaces present and the capabilities of a report descriptor, so that
// a user whose device is not found can see why.
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/device_names.h"
#include "cli/device_session.h"
#include "cli/hid_description.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "device/device_match.h"
#include "device/report_descriptor.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

// Marks what a presence monitor would do with each record: the first record of a device class
// that opens is used; one that does not open says why.
Json InterfaceJson(const HidInterfaceInfo& info, HidBackend& backend, bool simulated,
                   std::map<DeviceKind, bool>& taken) {
  Json json = {{"path", info.path},
               {"vendor_id", info.attributes.vendor_id},
               {"product_id", info.attributes.product_id},
               {"interface", info.interface_number},
               {"collection", info.collection_number},
               {"usage_page", info.usage_page},
               {"usage", info.usage},
               {"device", nullptr},
               {"used", false}};
  const std::optional<DeviceKind> kind = DeviceKindUsing(info);
  if (!kind) return json;
  json["device"] = DeviceWord(*kind);
  if (taken[*kind]) {
    json["note"] = "another " + std::string(DeviceWord(*kind)) + " is used";
  } else if (const std::optional<std::string> problem = OpenProblem(backend, info, simulated)) {
    json["note"] = *problem;
  } else {
    json["used"] = taken[*kind] = true;
  }
  return json;
}

void PrintInterfaces(const Json& interfaces) {
  std::printf("%-16s %-9s %-3s %-3s %-9s %s\n", "PATH", "VID:PID", "IF", "COL", "PAGE:USE",
              "USED BY");
  for (const Json& record : interfaces) {
    std::string use = record["device"].is_null() ? "-" : record["device"].get<std::string>();
    if (record.contains("note")) use += ", not used: " + record["note"].get<std::string>();
    std::printf("%-16s %04x:%04x %-3u %-3u %04x:%04x %s\n",
                record["path"].get<std::string>().c_str(), record["vendor_id"].get<unsigned>(),
                record["product_id"].get<unsigned>(), record["interface"].get<unsigned>(),
                record["collection"].get<unsigned>(), record["usage_page"].get<unsigned>(),
                record["usage"].get<unsigned>(), use.c_str());
  }
  if (interfaces.empty()) std::printf("no HID interface present\n");
}

int RunHidList(const Options& options, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) return RefuseUsage("hid list takes no arguments");
  SteadyClock clock;
  std::string error;
  const std::unique_ptr<HidBackend> backend = MakeBackend(options, clock, error);
  if (!backend) return FailDevice(error);
  const std::optional<std::vector<HidInterfaceInfo>> interfaces = backend->Enumerate();
  if (!interfaces) return FailDevice("cannot list the HID interfaces");
  Json records = Json::array();
  std::map<DeviceKind, bool> taken;
  for (const HidInterfaceInfo& info : *interfaces) {
    records.push_back(InterfaceJson(info, *backend, options.simulate.has_value(), taken));
  }
  if (options.json) {
    PrintJson(records);
  } else {
    PrintInterfaces(records);
  }
  return kExitSuccess;
}

// The report descriptor the backend lists for `path`; nullopt with `error` set when there is none.
std::optional<std::vector<std::uint8_t>> DeviceDescriptor(const Options& options,
                                                          const std::string& path,
                                                          std::string& error) {
  SteadyClock clock;
  const std::unique_ptr<HidBackend> backend = MakeBackend(options, clock, error);
  if (!backend) return std::nullopt;
  const std::optional<std::vector<HidInterfaceInfo>> interfaces = backend->Enumerate();
  if (!interfaces) {
    error = "cannot list the HID interfaces";
    return std::nullopt;
  }
  for (const HidInterfaceInfo& info : *interfaces) {
    if (info.path == path && !info.report_descriptor.empty()) return info.report_descriptor;
  }
  error = "no HID interface with a report descriptor at " + path + " (see hid list)";
  return std::nullopt;
}

// The bytes of a descriptor file; nullopt with `error` set when it cannot be one.
std::optional<std::vector<std::uint8_t>> FileDescriptor(const std::string& file,
                                                        std::string& error) {
  const FileContents contents = ReadWholeFile(file, kMaxReportDescriptorSize);
  if (contents.status == ReadStatus::kTooLarge) {
    error = "the descriptor file " + file + " is longer than " +
            std::to_string(kMaxReportDescriptorSize) + " bytes";
  } else if (contents.status != ReadStatus::kOk) {
    error = "cannot read the descriptor file " + file;
  } else if (contents.bytes.empty()) {
    error = "the descriptor file " + file + " is empty";
  } else {
    return std::vector<std::uint8_t>(contents.bytes.begin(), contents.bytes.end());
  }
  return std::nullopt;
}

int RunHidDescribe(const Options& options, const std::vector<std::string>& arguments) {
  static constexpr std::string_view kValueOptions[] = {"file"};
  std::string error;
  const std::optional<CommandArguments> split = SplitArguments(arguments, kValueOptions, {}, error);
  if (!split) return RefuseUsage(error);
  const std::string* file = split->Value("file");
  const bool one_source = file != nullptr ? split->words.empty() : split->words.size() == 1;
  if (!one_source) return RefuseUsage("hid describe takes PATH or --file DESCRIPTOR_FILE");

  const std::optional<std::vector<std::uint8_t>> descriptor =
      file != nullptr ? FileDescriptor(*file, error)
                      : DeviceDescriptor(options, split->words[0], error);
  if (!descriptor) return file != nullptr ? RefuseUsage(error) : FailDevice(error);
  const std::optional<Json> description = DescribeReportDescriptor(*descriptor, error);
  // A broken file is bad input; a device that hands out a broken descriptor is a device error.
  if (!description) return file != nullptr ? RefuseUsage(error) : FailDevice(error);
  if (options.json) {
    PrintJson(*description);
  } else {
    std::fputs(DescriptionText(*description).c_str(), stdout);
  }
  return kExitSuccess;
}

}  // namespace

int RunHid(const Options& options) {
  const std::vector<std::string>& arguments = options.arguments;
  if (arguments.empty()) return RefuseUsage("hid needs list or describe");
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (arguments[0] == "list") return RunHidList(options, rest);
  if (arguments[0] == "describe") return RunHidDescribe(options, rest);
  return RefuseUsage("unknown hid command \"" + arguments[0] + "\"");
}

}  // namespace vandrel::cli
