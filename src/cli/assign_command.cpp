// vandrelctl assign mouse BUTTON FUNCTION / assign keyboard KEY FUNCTION: one function changed in
// the key page the device holds, checked as the key pages check it, and the key page written back
// as the download button writes it (the macros themselves are `download`'s business).
#include <array>

#include "cli/assign_targets.h"
#include "cli/commands.h"
#include "cli/device_access.h"
#include "cli/device_names.h"
#include "cli/device_reports.h"
#include "cli/macro_library.h"
#include "cli/output.h"
#include "device/assignment_check.h"
#include "keyboard/keyboard_slots.h"
#include "mouse/assignment_rules.h"
#include "mouse/assignment_texts.h"
#include "mouse/function_names.h"

namespace vandrel::cli {
namespace {

constexpr std::string_view kAssignUsage =
    "assign takes mouse BUTTON FUNCTION or keyboard KEY FUNCTION";

// `text` ending in a full stop.
std::string Sentence(std::string text) {
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

struct Assignment {
  AssignTarget target;
  KeyAssignment function;
};

// The function `name` stands for on `target`, held to what the devices take; nullopt with
// `error` set.
std::optional<KeyAssignment> FunctionFor(const AssignTarget& target, AssignmentHolder holder,
                                         std::string_view name, const MacroLibrary& library,
                                         const EnglishTexts& texts, std::string& error) {
  const TextOfId text = [&texts](std::string_view id) { return texts.Text(id); };
  const FunctionNameResult result =
      FunctionByName(name, {holder, text, library.names, target.factory});
  if (!result.assignment) {
    error = result.problem;
    return std::nullopt;
  }
  if (const std::optional<FieldProblem> problem =
          AssignmentProblem(*result.assignment, target.label)) {
    error = problem->field + " would be " + std::to_string(problem->value) + "; the device takes " +
            problem->allowed;
    return std::nullopt;
  }
  return result.assignment;
}

std::optional<Assignment> MouseAssignment(const MouseState& state, const Options& options,
                                          const MacroLibrary& library, const EnglishTexts& texts,
                                          std::string& error) {
  const std::optional<AssignTarget> target = MouseButtonTarget(state, options.arguments[1], error);
  if (!target) return std::nullopt;
  const std::optional<KeyAssignment> function = FunctionFor(
      *target, AssignmentHolder::kMouseButton, options.arguments[2], library, texts, error);
  if (!function) return std::nullopt;
  const MouseKeyTable& keys = state.ActiveKeys();
  std::array<KeyAssignment, kMouseButtonCount> buttons;
  for (int button = 0; button < kMouseButtonCount; ++button) {
    buttons[static_cast<std::size_t>(button)] = keys.Assignment(button);
  }
  if (TakesLastLeftClick(buttons, target->number, *function)) {
    error = target->label + ": " + texts.Text("message_text_6");
    return std::nullopt;
  }
  return Assignment{*target, *function};
}

std::optional<Assignment> KeyboardAssignment(const KeyboardState& state, const Options& options,
                                             const MacroLibrary& library, const EnglishTexts& texts,
                                             std::string& error) {
  const std::optional<AssignTarget> target =
      KeyboardKeyTarget(state, options.arguments[1], texts, error);
  if (!target) return std::nullopt;
  const std::optional<KeyAssignment> function = FunctionFor(
      *target, AssignmentHolder::kKeyboardKey, options.arguments[2], library, texts, error);
  if (!function) return std::nullopt;
  return Assignment{*target, *function};
}

// The assignment written into the key page in use and the page written; the page write's result.
int Write(DeviceKind kind, const Assignment& assignment, DeviceAccess& devices) {
  if (kind == DeviceKind::kMouse) {
    MouseState& state = devices.mouse().state();
    state.ActiveKeys().SetAssignment(static_cast<int>(assignment.target.number),
                                     assignment.function);
    return devices.mouse().WriteKeyPage();
  }
  (void)SetAssignmentOfSlot(devices.keyboard().state(), assignment.target.slot,
                            assignment.function);
  return devices.keyboard().WriteKeyTable();
}

int Report(const Options& options, const MacroLibrary& library, const Assignment& assignment,
           const EnglishTexts& texts) {
  const AssignmentHolder holder =
      library.device == "mouse" ? AssignmentHolder::kMouseButton : AssignmentHolder::kKeyboardKey;
  const MacroNameLookup macro_name = [&library](int macro) -> std::optional<std::string> {
    if (macro < 0 || static_cast<std::size_t>(macro) >= library.names.size()) return std::nullopt;
    return library.names[static_cast<std::size_t>(macro)];
  };
  const KeyAssignment& a = assignment.function;
  const std::array<std::uint8_t, 3> bytes = {a.type, a.param1, a.param2};
  Json report = {{"assigned", assignment.target.label},
                 {"function", FunctionName(a, texts, holder, macro_name)},
                 {"assignment", LowerHex(bytes)},
                 {"key_page", "written"}};
  // The binding plays whatever the device's macro memory holds under that number.
  if (a.type == assignment_type::kMacro || a.type == assignment_type::kMacroCount) {
    report["macros"] = "not sent; vandrelctl download " + library.device + " sends them";
  }
  PrintDocument(options, report);
  return kExitSuccess;
}

}  // namespace

int RunAssign(const Options& options) {
  if (options.arguments.size() != 3) return RefuseUsage(kAssignUsage);
  const std::optional<DeviceKind> device = DeviceOfWord(options.arguments[0]);
  if (device != DeviceKind::kMouse && device != DeviceKind::kKeyboard) {
    return RefuseUsage(kAssignUsage);
  }
  std::string error;
  const std::optional<MacroLibrary> library = OpenMacroLibrary(options.arguments[0], error);
  if (!library) return RefuseUsage(error);
  const DeviceKind kind = *device;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(kind, error)) return FailDevice(error);

  const EnglishTexts texts = EnglishTexts::Load();
  const std::optional<Assignment> assignment =
      kind == DeviceKind::kMouse
          ? MouseAssignment(devices.mouse().state(), options, *library, texts, error)
          : KeyboardAssignment(devices.keyboard().state(), options, *library, texts, error);
  if (!assignment) return RefuseUsage(Sentence(error) + " Nothing was sent.");
  const int result = Write(kind, *assignment, devices);
  if (result == kChannelBadPage) {
    return FailDevice("the mouse's active slot " +
                      std::to_string(devices.mouse().state().live.slot) +
                      " has no key page; switch to slot 0-4 first. Nothing was sent.");
  }
  if (result != kChannelSuccess) {
    return FailDevice("the " + library->device + "'s key page was not written (result " +
                      std::to_string(result) + ")");
  }
  return Report(options, *library, *assignment, texts);
}

}  // namespace vandrel::cli
