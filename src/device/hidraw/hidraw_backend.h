// HidrawBackend: HID interfaces on Linux through hidraw nodes. Interfaces are listed from the node
// source (udev in the program), one record per top-level collection; a collection is opened by
// opening its node, reading the report descriptor from it (HIDIOCGRDESC) and preparing that
// collection, so that its connection knows which reports are its own.
//
// hidraw has no sharing modes. Exclusive opens are kept among this system's own programs with
// advisory locks on the node: an opener for writing takes a shared lock, an exclusive opener an
// exclusive one, so an exclusive open fails while another writer has the node, and the other way
// round; readers take no lock.
//
// A node the user may not open is traced once, with a pointer to the udev rule; the presence
// monitors retry at every change and would otherwise repeat it.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/unique_fd.h"
#include "device/hid_backend.h"
#include "device/hidraw/hidraw_node_source.h"

namespace vandrel {

class HidrawBackend final : public HidBackend {
 public:
  explicit HidrawBackend(std::unique_ptr<HidrawNodeSource> nodes);

  [[nodiscard]] std::optional<std::vector<HidInterfaceInfo>> Enumerate() override;
  // nullptr when the node source no longer lists `path`, the node cannot be opened with the
  // access asked for, or its descriptor cannot be read or lacks the collection.
  [[nodiscard]] std::unique_ptr<HidConnection> Open(const std::string& path,
                                                    std::uint32_t collection_number,
                                                    HidOpenFlags flags) override;
  [[nodiscard]] bool IsPresent(const std::string& path) override;
  // The node source's: udev's events in the program.
  [[nodiscard]] ChangeSignal* InterfaceChanges() override;

 private:
  void TraceRefusal(const std::string& path, int error);

  std::unique_ptr<HidrawNodeSource> nodes_;
  std::mutex mutex_;                     // guards refused_paths_
  std::set<std::string> refused_paths_;  // traced already
};

// The backend on the machine's udev.
[[nodiscard]] std::unique_ptr<HidBackend> MakeHidrawBackend();

// Opens a node non-blocking with the access in `flags` and takes the lock described above;
// invalid when either fails.
[[nodiscard]] UniqueFd OpenHidrawNode(const std::string& path, HidOpenFlags flags);

// The report descriptor of an open hidraw node; nullopt when the node does not give one.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadNodeDescriptor(int node);

}  // namespace vandrel
