#include "sim/factory.h"

#include <algorithm>

#include "sim/factory_keys.h"

namespace vandrel::sim {
namespace {

constexpr std::size_t kMouseSlots = 6;
constexpr std::size_t kPadSlots = 5;
constexpr std::size_t kKeyboardProfiles = 5;
constexpr std::size_t kMaxTableKeys = kDefaultTableSize / 3;
constexpr std::uint8_t kMouseMacroUnits = 16;
constexpr std::uint8_t kKeyboardMacroUnits = 24;

// Device information fields.
constexpr std::size_t kInfoKeyCount = 5;
constexpr std::size_t kInfoMacroUnits = 6;
constexpr std::size_t kInfoSensorCode = 9;  // 16-bit little-endian
constexpr std::size_t kInfoHighestDpi = 12;
constexpr std::uint16_t kSensorCode = 0x3360;
constexpr std::uint8_t kHighestDpiIndex = 11;

// Mouse settings record fields.
constexpr std::size_t kLightingByte = 1;  // 8-byte lighting block: mode … blue
constexpr std::size_t kReportRateByte = 14;
constexpr std::size_t kDpiBytes[] = {15, 16, 17, 18, 20};
constexpr std::size_t kActiveDpiByte = 19;
constexpr std::size_t kDpiColourByte = 21;  // five R, G, B triples

void PutKey(std::vector<std::uint8_t>& table, std::size_t index, FactoryAssignment key) {
  table[3 * index] = key.type;
  table[3 * index + 1] = key.param1;
  table[3 * index + 2] = key.param2;
}

void PutLighting(std::vector<std::uint8_t>& record, std::size_t at, std::uint8_t mode,
                 std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint8_t block[] = {mode, 14, 7, 0, 1, red, green, blue};
  std::copy(std::begin(block), std::end(block), record.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<std::uint8_t> SlotRecords(std::size_t slots) {
  std::vector<std::uint8_t> settings(slots * kSlotRecordSize, 0);
  for (std::size_t slot = 0; slot < slots; ++slot) {
    settings[slot * kSlotRecordSize] = static_cast<std::uint8_t>(slot);
  }
  return settings;
}

FirmwareImage MouseImage() {
  FirmwareImage image;
  image.settings = SlotRecords(kMouseSlots);
  const std::uint8_t dpi_colours[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 255, 0, 255};
  for (std::size_t slot = 0; slot < kMouseSlots; ++slot) {
    const std::size_t base = slot * kSlotRecordSize;
    PutLighting(image.settings, base + kLightingByte, static_cast<std::uint8_t>(slot), 255, 0, 0);
    image.settings[base + kReportRateByte] = 3;
    const std::uint8_t levels[] = {1, 3, 5, 7, 9};
    for (std::size_t level = 0; level < std::size(kDpiBytes); ++level) {
      image.settings[base + kDpiBytes[level]] = levels[level];
    }
    image.settings[base + kActiveDpiByte] = 1;
    std::copy(std::begin(dpi_colours), std::end(dpi_colours),
              image.settings.begin() + static_cast<std::ptrdiff_t>(base + kDpiColourByte));
  }
  image.device_info.assign(kDeviceInfoSize, 0);
  image.device_info[kInfoMacroUnits] = kMouseMacroUnits;
  image.device_info[kInfoSensorCode] = kSensorCode & 0xFF;
  image.device_info[kInfoSensorCode + 1] = kSensorCode >> 8;
  image.device_info[kInfoHighestDpi] = kHighestDpiIndex;
  image.default_table.assign(kDefaultTableSize, 0);
  image.key_pages.assign(kKeyPageMemorySize, 0);
  const std::vector<FactoryAssignment> buttons = MouseFactoryButtons();
  for (std::size_t b = 0; b < buttons.size(); ++b) {
    PutKey(image.default_table, b, buttons[b]);
    for (std::size_t page = 0; page < 5; ++page) {
      PutKey(image.key_pages, page * kKeyPageSize / 3 + b, buttons[b]);
    }
  }
  image.macro.assign(kMouseMacroUnits * kMacroUnit, 0);
  image.recoil.assign(kRecoilMemorySize, 0);
  return image;
}

FirmwareImage PadImage() {
  FirmwareImage image;
  image.settings = SlotRecords(kPadSlots);
  for (std::size_t slot = 0; slot < kPadSlots; ++slot) {
    PutLighting(image.settings, slot * kSlotRecordSize + kLightingByte,
                static_cast<std::uint8_t>(slot), 0, 128, 255);
  }
  image.device_info.assign(kDeviceInfoSize, 0);
  image.frame_size = 45;
  return image;
}

std::size_t KeyboardFrameSize(std::uint16_t product_id) {
  if (product_id == kZoneKeyboardProductId) return 36;
  if (product_id == kSingleColourKeyboardProductId) return 0;
  return 378;
}

FirmwareImage KeyboardImage(std::uint16_t product_id, std::optional<int> key_count) {
  std::vector<FactoryAssignment> keys = KeyboardFactoryKeys(product_id);
  const std::size_t reported =
      key_count ? static_cast<std::size_t>(std::max(*key_count, 0)) : keys.size();
  keys.resize(reported);
  FirmwareImage image;
  image.settings.assign(kKeyboardProfiles * kSlotRecordSize, 0);
  PutLighting(image.settings, kLightingByte, 0, 255, 255, 255);
  image.device_info.assign(kDeviceInfoSize, 0);
  image.device_info[kInfoKeyCount] =
      static_cast<std::uint8_t>(std::min<std::size_t>(reported, 255));
  image.device_info[kInfoMacroUnits] = kKeyboardMacroUnits;
  image.default_table.assign(kDefaultTableSize, 0);
  image.key_pages.assign(kKeyPageMemorySize, 0);
  for (std::size_t d = 0; d < std::min(keys.size(), kMaxTableKeys); ++d) {
    PutKey(image.default_table, d, keys[d]);
    PutKey(image.key_pages, d, keys[d]);
  }
  image.macro.assign(kKeyboardMacroUnits * kMacroUnit, 0);
  image.frame_size = KeyboardFrameSize(product_id);
  return image;
}

}  // namespace

std::optional<DeviceFamily> FamilyOf(std::uint16_t product_id) {
  switch (product_id) {
    case kMouseProductId:
      return DeviceFamily::kMouse;
    case kPadProductId:
      return DeviceFamily::kPad;
    case kSingleColourKeyboardProductId:
    case kPerKeyKeyboardProductId:
    case kPerKeyKeyboardAltProductId:
    case kZoneKeyboardProductId:
      return DeviceFamily::kKeyboard;
    default:
      return std::nullopt;
  }
}

std::string_view FamilyTag(DeviceFamily family) {
  switch (family) {
    case DeviceFamily::kKeyboard:
      return "kb";
    case DeviceFamily::kMouse:
      return "ms";
    case DeviceFamily::kPad:
      return "mp";
  }
  return "?";
}

FirmwareImage FactoryImage(std::uint16_t product_id, std::optional<int> key_count) {
  switch (FamilyOf(product_id).value_or(DeviceFamily::kKeyboard)) {
    case DeviceFamily::kMouse:
      return MouseImage();
    case DeviceFamily::kPad:
      return PadImage();
    case DeviceFamily::kKeyboard:
      return KeyboardImage(product_id, key_count);
  }
  return {};
}

}  // namespace vandrel::sim
