#include <cstdio>

#include "cli/commands.h"
#include "cli/device_access.h"
#include "cli/device_names.h"
#include "cli/device_reports.h"
#include "cli/output.h"
#include "cli/profile_apply.h"
#include "cli/profile_input.h"
#include "cli/profile_lists.h"
#include "core/byte_record.h"
#include "keyboard/keyboard_profiles.h"
#include "mouse/mouse_profiles.h"
#include "pad/pad_profiles.h"

namespace vandrel::cli {
namespace {

template <typename Record>
Record Decoded(const std::vector<std::uint8_t>& payload) {
  Record record{};
  DecodeInto(payload, record);
  return record;
}

// Keys up to the last one with an assignment: a file does not say how many keys its keyboard had.
std::size_t AssignedKeys(const KeyboardKeyTable& keys) {
  std::size_t count = kMaxKeyboardKeys;
  while (count > 0 && keys.Assignment(count - 1) == KeyAssignment{}) --count;
  return count;
}

Json MouseContent(const ProfileInput& input, const EnglishTexts& texts) {
  const auto slot_record = [](const MouseSlotRecord& record) {
    Json report = MouseSettingsReport(record.settings);
    report["pointer_speed"] = record.pointer_speed;
    report["wheel_lines"] = record.wheel_lines;
    return report;
  };
  switch (input.row->kind) {
    case ProfileKind::kKey:
      return {{"buttons", MouseButtonsReport(Decoded<MouseKeyTable>(input.payload), texts)}};
    case ProfileKind::kLight:
      return {{"record", slot_record(Decoded<MouseSlotRecord>(input.payload))}};
    case ProfileKind::kDevice: {
      const auto device = Decoded<MouseDevicePayload>(input.payload);
      return {{"record", slot_record(device.record)},
              {"buttons", MouseButtonsReport(device.keys, texts)}};
    }
  }
  return {};
}

Json KeyboardContent(const ProfileInput& input, const EnglishTexts& texts) {
  const auto keys = [&](const KeyboardKeyTable& table) {
    return KeyboardKeysReport(table, nullptr, AssignedKeys(table), texts);
  };
  const auto light = [](const KeyboardLightPayload& payload) {
    return KeyboardLightingReport(payload.record.live, payload.custom);
  };
  switch (input.row->kind) {
    case ProfileKind::kKey:
      return {{"keys", keys(Decoded<KeyboardKeyTable>(input.payload))}};
    case ProfileKind::kLight:
      return light(Decoded<KeyboardLightPayload>(input.payload));
    case ProfileKind::kDevice: {
      const auto device = Decoded<KeyboardDevicePayload>(input.payload);
      Json report = light(device.light);
      report["keys"] = keys(device.keys);
      return report;
    }
  }
  return {};
}

int Show(const Options& options, const std::string& file) {
  std::string error;
  const std::optional<ProfileInput> input = ReadProfileInput(file, error);
  if (!input) return RefuseUsage(error);
  const EnglishTexts texts = EnglishTexts::Load();
  Json report = {{"file", file},
                 {"profile", ProfileDescription(*input->row)},
                 {"device", DeviceWord(input->row->device)},
                 {"header_kind", input->row->header_kind}};
  switch (input->row->device) {
    case DeviceKind::kMouse:
      report.update(MouseContent(*input, texts));
      break;
    case DeviceKind::kKeyboard:
      report.update(KeyboardContent(*input, texts));
      break;
    case DeviceKind::kPad: {
      const auto record = Decoded<PadSlotRecord>(input->payload);
      report["slot"] = record.settings.slot;
      report["lighting"] = LightingReport(record.settings.lighting);
      break;
    }
  }
  PrintDocument(options, report);
  return kExitSuccess;
}

int Apply(const Options& options, const std::string& file) {
  std::string error;
  const std::optional<ProfileInput> input = ReadProfileInput(file, error);
  if (!input) return RefuseUsage(error);
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  const DeviceKind device = input->row->device;
  if (!devices.Read(device, error)) return FailDevice(error);
  if (const std::optional<FieldProblem> problem = ApplyProfileToDevice(*input, devices)) {
    return RefuseUsage(file + ": " + problem->field + " is " + std::to_string(problem->value) +
                       "; the " + std::string(DeviceWord(device)) + " takes " + problem->allowed +
                       ". Nothing was sent");
  }
  if (!devices.ApplyPending(device, error)) return FailDevice(error);
  std::printf("%s applied to the %s\n", file.c_str(), DeviceWord(device).data());
  return kExitSuccess;
}

std::vector<std::uint8_t> MakePayload(const ProfileRow& row, DeviceAccess& devices) {
  if (row.device == DeviceKind::kPad) return ByteVector(MakeLightProfile(devices.pad().state()));
  if (row.device == DeviceKind::kMouse) return MakeProfile(devices.mouse().state(), row.kind);
  return MakeProfile(devices.keyboard().state(), row.kind);
}

int Save(const Options& options, const std::string& device_word, const std::string& file) {
  const std::optional<DeviceKind> device = DeviceOfWord(device_word);
  if (!device) return RefuseUsage("unknown device \"" + device_word + "\" (mouse, keyboard, pad)");
  const std::filesystem::path path(file);
  const std::optional<ProfileKind> kind = ProfileKindOfExtension(path.extension().string());
  const ProfileRow* row = kind ? FindProfileRow(*device, *kind) : nullptr;
  if (row == nullptr) {
    return RefuseUsage(
        file + ": the " + device_word + " keeps " +
        (*device == DeviceKind::kPad ? ".led profiles only" : ".pro, .led and .config profiles"));
  }
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(*device, error)) return FailDevice(error);
  if (!WriteProfileFile(path, row->header_kind, MakePayload(*row, devices))) {
    return FailDevice("cannot write " + file);
  }
  std::printf("%s written: %s\n", file.c_str(), ProfileDescription(*row).c_str());
  return kExitSuccess;
}

}  // namespace

int RunProfile(const Options& options) {
  const std::vector<std::string>& words = options.arguments;
  if (words.size() == 2 && words[0] == "show") return Show(options, words[1]);
  if (words.size() == 2 && words[0] == "apply") return Apply(options, words[1]);
  if (words.size() == 3 && words[0] == "save") return Save(options, words[1], words[2]);
  if (!words.empty() && IsProfileListCommand(words[0])) return RunProfileLists(options);
  return RefuseUsage(
      "profile show FILE | profile apply FILE | profile save DEVICE FILE | profile list DEVICE | "
      "profile select|add|copy|rename|delete|import|export|reset|link|unlink DEVICE KIND ...");
}

}  // namespace vandrel::cli
