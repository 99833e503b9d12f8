#include "device/hidraw/hidraw_backend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/trace.h"
#include "device/hid_preparsed_data.h"
#include "device/hidraw/hidraw_access.h"
#include "device/hidraw/hidraw_connection.h"
#include "device/hidraw/hidraw_enumeration.h"
#include "device/hidraw/udev_node_source.h"

namespace vandrel {

HidrawBackend::HidrawBackend(std::unique_ptr<HidrawNodeSource> nodes) : nodes_(std::move(nodes)) {}

std::optional<std::vector<HidInterfaceInfo>> HidrawBackend::Enumerate() {
  return EnumerateHidraw(*nodes_);
}

std::unique_ptr<HidConnection> HidrawBackend::Open(const std::string& path,
                                                   std::uint32_t collection_number,
                                                   HidOpenFlags flags) {
  const std::optional<std::vector<HidrawNodeFacts>> nodes = nodes_->ListNodes();
  if (!nodes) return nullptr;
  const auto listed = std::find_if(nodes->begin(), nodes->end(), [&](const HidrawNodeFacts& node) {
    return node.devnode == path;
  });
  if (listed == nodes->end()) return nullptr;
  const std::optional<HidrawIdentity> identity = IdentityOf(*listed);
  UniqueFd node = OpenHidrawNode(path, flags);
  if (!node.valid()) TraceRefusal(path, errno);
  if (!identity || !node.valid()) return nullptr;

  std::optional<std::vector<std::uint8_t>> descriptor = ReadNodeDescriptor(node.get());
  if (!descriptor) return nullptr;
  const std::optional<HidPreparsedData> collection =
      HidPreparsedData::Prepare(*descriptor, collection_number);
  if (!collection) return nullptr;
  HidrawReportShape shape{collection->uses_report_ids(),
                          collection->ReportIds(HidReportType::kInput),
                          collection->caps().input_report_byte_length};
  HidConnectionInfo info{identity->attributes, identity->interface_number, std::move(*descriptor)};
  return HidrawConnection::Create(std::move(node), path, flags, std::move(info), std::move(shape));
}

bool HidrawBackend::IsPresent(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

ChangeSignal* HidrawBackend::InterfaceChanges() { return nodes_->Changes(); }

void HidrawBackend::TraceRefusal(const std::string& path, int error) {
  if (error != EACCES && error != EPERM) return;
  {
    std::lock_guard lock(mutex_);
    if (!refused_paths_.insert(path).second) return;
  }
  Trace(CannotOpenMessage(path, error));
}

std::unique_ptr<HidBackend> MakeHidrawBackend() {
  return std::make_unique<HidrawBackend>(std::make_unique<UdevNodeSource>());
}

UniqueFd OpenHidrawNode(const std::string& path, HidOpenFlags flags) {
  const int access_mode = flags.write ? (flags.read ? O_RDWR : O_WRONLY) : O_RDONLY;
  UniqueFd node(open(path.c_str(), access_mode | O_NONBLOCK | O_CLOEXEC));
  if (!node.valid()) return node;
  if (flags.exclusive || flags.write) {
    const int lock = flags.exclusive ? LOCK_EX : LOCK_SH;
    if (flock(node.get(), lock | LOCK_NB) != 0) return UniqueFd();
  }
  return node;
}

std::optional<std::vector<std::uint8_t>> ReadNodeDescriptor(int node) {
  int size = 0;
  if (ioctl(node, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) {
    return std::nullopt;
  }
  hidraw_report_descriptor descriptor{};
  descriptor.size = static_cast<std::uint32_t>(size);
  if (ioctl(node, HIDIOCGRDESC, &descriptor) < 0) return std::nullopt;
  return std::vector<std::uint8_t>(descriptor.value, descriptor.value + size);
}

}  // namespace vandrel
