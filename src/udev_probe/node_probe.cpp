#include "udev_probe/node_probe.h"

#include <cstdint>
#include <optional>
#include <span>

#include "core/file_io.h"
#include "device/report_descriptor.h"
#include "device/seat_access.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;

// The descriptor in the file at `path`, or nullopt with the reason in `problem`.
std::optional<ReportDescriptor> ReadDescriptor(const fs::path& path, std::string& problem) {
  const FileContents file = ReadWholeFile(path);
  if (file.status == ReadStatus::kMissing) {
    problem = "no report descriptor at " + path.string();
  } else if (file.status != ReadStatus::kOk) {
    problem = "cannot read " + path.string();
  } else if (file.bytes.empty()) {
    problem = "empty report descriptor " + path.string();
  }
  if (!problem.empty()) return std::nullopt;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.bytes.data());
  std::optional<ReportDescriptor> parsed =
      ParseReportDescriptor(std::span(bytes, file.bytes.size()));
  if (!parsed) problem = "malformed report descriptor " + path.string();
  return parsed;
}

}  // namespace

NodeProbe ProbeNode(const fs::path& node_folder) {
  NodeProbe probe;
  const std::optional<ReportDescriptor> descriptor =
      ReadDescriptor(node_folder / "device" / "report_descriptor", probe.problem);
  if (!descriptor) return probe;
  probe.read = true;
  const SeatAccess access = SeatAccessFor(*descriptor);
  if (access.vendor) probe.properties += "VANDREL_VENDOR_INTERFACE=1\n";
  if (access.notifications) probe.properties += "VANDREL_NOTIFICATION_INTERFACE=1\n";
  return probe;
}

}  // namespace vandrel
