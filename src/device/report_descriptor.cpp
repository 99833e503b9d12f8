#include "device/report_descriptor.h"

#include <array>
#include <tuple>
#include <utility>

#include "device/descriptor_items.h"

namespace vandrel {
namespace {

// Main item tags.
constexpr std::uint8_t kTagInput = 0x8;
constexpr std::uint8_t kTagOutput = 0x9;
constexpr std::uint8_t kTagCollection = 0xA;
constexpr std::uint8_t kTagFeature = 0xB;
constexpr std::uint8_t kTagEndCollection = 0xC;
// Global item tags.
constexpr std::uint8_t kTagUsagePage = 0x0;
constexpr std::uint8_t kTagLogicalMinimum = 0x1;
constexpr std::uint8_t kTagLogicalMaximum = 0x2;
constexpr std::uint8_t kTagPhysicalMinimum = 0x3;
constexpr std::uint8_t kTagPhysicalMaximum = 0x4;
constexpr std::uint8_t kTagReportSize = 0x7;
constexpr std::uint8_t kTagReportId = 0x8;
constexpr std::uint8_t kTagReportCount = 0x9;
constexpr std::uint8_t kTagPush = 0xA;
constexpr std::uint8_t kTagPop = 0xB;
// Local item tags.
constexpr std::uint8_t kTagUsage = 0x0;
constexpr std::uint8_t kTagUsageMinimum = 0x1;
constexpr std::uint8_t kTagUsageMaximum = 0x2;

constexpr std::size_t kMaxGlobalStackDepth = 16;
constexpr std::size_t kMaxCollectionDepth = 32;
constexpr std::uint64_t kMaxReportDataBits = (kMaxReportBytes - 1) * 8;
constexpr std::size_t kReportIdCount = 256;

struct GlobalState {
  std::uint16_t usage_page = 0;
  DescriptorItem logical_minimum;
  DescriptorItem logical_maximum;
  DescriptorItem physical_minimum;
  DescriptorItem physical_maximum;
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
  std::uint8_t report_id = 0;
};

// A usage as declared; its page is known only at the main item that uses it.
struct DeclaredUsage {
  DescriptorItem minimum;
  DescriptorItem maximum;
  bool is_range = false;
};

struct LocalState {
  std::vector<DeclaredUsage> usages;
  std::optional<DescriptorItem> pending_minimum;
  std::optional<DescriptorItem> pending_maximum;
};

// A 32-bit usage carries its page in its high half; a shorter one takes the page in force.
std::uint16_t PageOf(const DescriptorItem& usage, std::uint16_t page_in_force) {
  return usage.size == 4 ? static_cast<std::uint16_t>(usage.data >> 16) : page_in_force;
}

std::uint16_t IdOf(const DescriptorItem& usage) {
  return static_cast<std::uint16_t>(usage.data & 0xFFFF);
}

// Minimum and maximum pairs are signed; a maximum whose minimum is not negative is read as
// unsigned, so that "Logical Maximum (255)" in one byte means 255 and not -1.
std::pair<std::int64_t, std::int64_t> Bounds(const DescriptorItem& minimum,
                                             const DescriptorItem& maximum) {
  const std::int64_t low = minimum.SignedData();
  const std::int64_t high = low < 0 ? std::int64_t{maximum.SignedData()} : maximum.data;
  return {low, high};
}

std::optional<UsageRun> Resolve(const DeclaredUsage& usage, std::uint16_t page_in_force) {
  UsageRun run;
  run.page = PageOf(usage.minimum, page_in_force);
  run.minimum = IdOf(usage.minimum);
  run.maximum = run.minimum;
  run.is_range = usage.is_range;
  if (!usage.is_range) return run;
  run.maximum = IdOf(usage.maximum);
  if (usage.maximum.size == 4 && PageOf(usage.maximum, page_in_force) != run.page) {
    return std::nullopt;
  }
  if (run.maximum < run.minimum) return std::nullopt;
  return run;
}

class Parser {
 public:
  std::optional<ReportDescriptor> Run(std::span<const std::uint8_t> bytes);

 private:
  bool Apply(const DescriptorItem& item);
  bool ApplyMain(const DescriptorItem& item);
  bool ApplyGlobal(const DescriptorItem& item);
  bool ApplyLocal(const DescriptorItem& item);
  void DeclareMinimum(const DescriptorItem& item);
  void DeclareMaximum(const DescriptorItem& item);
  std::optional<std::vector<UsageRun>> ResolveUsages();
  bool OpenCollection();
  bool CloseCollection();
  bool AddField(HidReportType type, std::uint32_t flags);

  ReportDescriptor result_;
  GlobalState global_;
  std::vector<GlobalState> pushed_;
  LocalState local_;
  std::size_t depth_ = 0;
  // Next free bit of every report, by report type and report ID.
  std::array<std::array<std::uint32_t, kReportIdCount>, kHidReportTypeCount> next_bit_{};
};

std::optional<ReportDescriptor> Parser::Run(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kMaxReportDescriptorSize) return std::nullopt;
  DescriptorItemReader reader(bytes);
  DescriptorItem item;
  for (;;) {
    switch (reader.Next(item)) {
      case DescriptorItemReader::Step::kEnd:
        if (depth_ != 0) return std::nullopt;
        return std::move(result_);
      case DescriptorItemReader::Step::kTruncated:
        return std::nullopt;
      case DescriptorItemReader::Step::kItem:
        if (!Apply(item)) return std::nullopt;
        break;
    }
  }
}

bool Parser::Apply(const DescriptorItem& item) {
  if (item.is_long) return true;
  switch (item.type) {
    case ItemType::kMain:
      return ApplyMain(item);
    case ItemType::kGlobal:
      return ApplyGlobal(item);
    case ItemType::kLocal:
      return ApplyLocal(item);
    case ItemType::kReserved:
      return true;
  }
  return false;
}

bool Parser::ApplyMain(const DescriptorItem& item) {
  bool ok = true;
  switch (item.tag) {
    case kTagInput:
      ok = AddField(HidReportType::kInput, item.data);
      break;
    case kTagOutput:
      ok = AddField(HidReportType::kOutput, item.data);
      break;
    case kTagFeature:
      ok = AddField(HidReportType::kFeature, item.data);
      break;
    case kTagCollection:
      ok = OpenCollection();
      break;
    case kTagEndCollection:
      ok = CloseCollection();
      break;
    default:
      break;
  }
  local_ = LocalState{};
  return ok;
}

bool Parser::ApplyGlobal(const DescriptorItem& item) {
  switch (item.tag) {
    case kTagUsagePage:
      global_.usage_page = static_cast<std::uint16_t>(item.data & 0xFFFF);
      return true;
    case kTagLogicalMinimum:
      global_.logical_minimum = item;
      return true;
    case kTagLogicalMaximum:
      global_.logical_maximum = item;
      return true;
    case kTagPhysicalMinimum:
      global_.physical_minimum = item;
      return true;
    case kTagPhysicalMaximum:
      global_.physical_maximum = item;
      return true;
    case kTagReportSize:
      global_.report_size = item.data;
      return true;
    case kTagReportId:
      if (item.data == 0 || item.data >= kReportIdCount) return false;
      global_.report_id = static_cast<std::uint8_t>(item.data);
      result_.uses_report_ids = true;
      return true;
    case kTagReportCount:
      global_.report_count = item.data;
      return true;
    case kTagPush:
      if (pushed_.size() >= kMaxGlobalStackDepth) return false;
      pushed_.push_back(global_);
      return true;
    case kTagPop:
      if (pushed_.empty()) return false;
      global_ = pushed_.back();
      pushed_.pop_back();
      return true;
    default:
      return true;  // units and reserved tags change nothing the system reads
  }
}

bool Parser::ApplyLocal(const DescriptorItem& item) {
  switch (item.tag) {
    case kTagUsage:
      local_.usages.push_back({item, item, false});
      break;
    case kTagUsageMinimum:
      DeclareMinimum(item);
      break;
    case kTagUsageMaximum:
      DeclareMaximum(item);
      break;
    default:
      break;  // designators, strings and delimiters are not used
  }
  return true;
}

// A minimum waits for its maximum (or the other way round); one left without a partner counts as
// a single usage.
void Parser::DeclareMinimum(const DescriptorItem& item) {
  if (local_.pending_minimum) local_.usages.push_back({*local_.pending_minimum, {}, false});
  local_.pending_minimum = item;
  if (!local_.pending_maximum) return;
  local_.usages.push_back({item, *local_.pending_maximum, true});
  local_.pending_minimum.reset();
  local_.pending_maximum.reset();
}

void Parser::DeclareMaximum(const DescriptorItem& item) {
  if (local_.pending_maximum) local_.usages.push_back({*local_.pending_maximum, {}, false});
  local_.pending_maximum = item;
  if (!local_.pending_minimum) return;
  local_.usages.push_back({*local_.pending_minimum, item, true});
  local_.pending_minimum.reset();
  local_.pending_maximum.reset();
}

std::optional<std::vector<UsageRun>> Parser::ResolveUsages() {
  if (local_.pending_minimum) local_.usages.push_back({*local_.pending_minimum, {}, false});
  if (local_.pending_maximum) local_.usages.push_back({*local_.pending_maximum, {}, false});
  local_.pending_minimum.reset();
  local_.pending_maximum.reset();
  std::vector<UsageRun> runs;
  runs.reserve(local_.usages.size());
  for (const DeclaredUsage& usage : local_.usages) {
    std::optional<UsageRun> run = Resolve(usage, global_.usage_page);
    if (!run) return std::nullopt;
    runs.push_back(*run);
  }
  return runs;
}

bool Parser::OpenCollection() {
  if (depth_ >= kMaxCollectionDepth) return false;
  std::optional<std::vector<UsageRun>> usages = ResolveUsages();
  if (!usages) return false;
  if (depth_ == 0) {
    TopLevelCollection collection;
    collection.usage_page = usages->empty() ? global_.usage_page : usages->front().page;
    collection.usage = usages->empty() ? 0 : usages->front().minimum;
    result_.collections.push_back(std::move(collection));
  }
  ++depth_;
  return true;
}

bool Parser::CloseCollection() {
  if (depth_ == 0) return false;
  --depth_;
  return true;
}

bool Parser::AddField(HidReportType type, std::uint32_t flags) {
  if (depth_ == 0) return false;
  std::optional<std::vector<UsageRun>> usages = ResolveUsages();
  if (!usages) return false;
  std::uint32_t& next_bit = next_bit_[static_cast<std::size_t>(type)][global_.report_id];
  const std::uint64_t bits = std::uint64_t{global_.report_size} * global_.report_count;
  if (next_bit + bits > kMaxReportDataBits) return false;
  if (bits == 0) return true;

  ReportField field;
  field.type = type;
  field.report_id = global_.report_id;
  field.bit_offset = next_bit;
  field.bit_size = global_.report_size;
  field.count = global_.report_count;
  field.flags = flags;
  std::tie(field.logical_minimum, field.logical_maximum) =
      Bounds(global_.logical_minimum, global_.logical_maximum);
  std::tie(field.physical_minimum, field.physical_maximum) =
      Bounds(global_.physical_minimum, global_.physical_maximum);
  field.usages = std::move(*usages);
  next_bit += static_cast<std::uint32_t>(bits);
  result_.collections.back().fields.push_back(std::move(field));
  return true;
}

}  // namespace

std::optional<ReportDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
  return Parser{}.Run(bytes);
}

}  // namespace vandrel
