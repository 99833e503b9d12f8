#include "sim/state_file.h"

#include <array>
#include <system_error>

#include "core/bytes.h"
#include "core/file_io.h"

namespace vandrel::sim {
namespace {

constexpr std::string_view kMagic = "VSIM1";
constexpr int kMostAsideNames = 100;

// The areas in file order; Image is FirmwareImage or const FirmwareImage.
template <typename Image>
auto Areas(Image& image) {
  return std::array{&image.settings,  &image.device_info, &image.default_table,
                    &image.key_pages, &image.macro,       &image.recoil};
}

// The first free name of NAME.corrupt, NAME.corrupt-2, …; empty when all are taken.
std::filesystem::path AsideName(const std::filesystem::path& file) {
  for (int number = 1; number <= kMostAsideNames; ++number) {
    std::filesystem::path aside = file;
    aside += number == 1 ? ".corrupt" : ".corrupt-" + std::to_string(number);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(aside, error))) return aside;
  }
  return {};
}

}  // namespace

std::string SerializeImage(const FirmwareImage& image) {
  std::string bytes(kMagic);
  for (const std::vector<std::uint8_t>* area : Areas(image)) {
    std::array<std::uint8_t, 4> size{};
    WriteLe32(size, 0, static_cast<std::uint32_t>(area->size()));
    bytes.append(size.begin(), size.end());
    bytes.append(area->begin(), area->end());
  }
  return bytes;
}

std::optional<FirmwareImage> ParseImage(std::string_view bytes, const FirmwareImage& shape) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  bytes.remove_prefix(kMagic.size());
  FirmwareImage image = shape;
  for (std::vector<std::uint8_t>* area : Areas(image)) {
    if (bytes.size() < 4) return std::nullopt;
    const auto* size_bytes = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint32_t size = ReadLe32(std::span(size_bytes, 4), 0);
    bytes.remove_prefix(4);
    if (size != area->size() || bytes.size() < size) return std::nullopt;
    area->assign(bytes.begin(), bytes.begin() + size);
    bytes.remove_prefix(size);
  }
  if (!bytes.empty()) return std::nullopt;
  return image;
}

InitialState LoadState(const std::filesystem::path& state_file, const FirmwareImage& factory) {
  if (state_file.empty()) return {factory, std::nullopt, true};
  const FileContents saved = ReadWholeFile(state_file);
  if (saved.status == ReadStatus::kMissing) return {factory, std::nullopt, true};
  if (saved.status == ReadStatus::kOk) {
    if (std::optional<FirmwareImage> image = ParseImage(saved.bytes, factory)) {
      return {std::move(*image), std::nullopt, true};
    }
  }
  const std::string what = state_file.string() + (saved.status == ReadStatus::kOk
                                                      ? " holds no saved memory of this device"
                                                      : " cannot be read");
  const std::filesystem::path aside = AsideName(state_file);
  std::error_code error;
  if (!aside.empty()) std::filesystem::rename(state_file, aside, error);
  if (aside.empty() || error) {
    return {factory, SimNotice{true, what + " and cannot be moved aside: changes are not kept"},
            false};
  }
  return {factory,
          SimNotice{false, what + "; kept as " + aside.string() + ", starting from factory memory"},
          true};
}

}  // namespace vandrel::sim
