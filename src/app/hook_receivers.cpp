#include "app/hook_receivers.h"

#include <string_view>

#include "core/trace.h"

namespace vandrel {
namespace {

struct HookName {
  int message;
  std::string_view name;
};

// The two messages no capture mode produces today are named too, as they always were.
constexpr HookName kHookNames[] = {
    {0x0801, "WM_HOOK_KEY_SINGLEKEY"}, {0x0802, "WM_HOOK_KEY_KBHITKEY"},
    {0x0803, "WM_HOOK_KEY_MACRO"},     {0x0810, "WM_HOOK_MOU_SINGLEKEY"},
    {0x0811, "WM_HOOK_MOU_HitKEY"},    {0x0812, "WM_HOOK_MOU_MACRO"},
};

}  // namespace

void HookReceivers::Set(int message, Receiver receiver) {
  if (!receiver) {
    receivers_.erase(message);
    return;
  }
  receivers_[message] = std::move(receiver);
}

bool HookReceivers::Deliver(int message, std::intptr_t wparam, std::intptr_t lparam) const {
  for (const HookName& hook : kHookNames) {
    if (hook.message == message) Trace(hook.name);
  }
  const auto it = receivers_.find(message);
  if (it == receivers_.end()) return false;
  it->second(wparam, lparam);
  return true;
}

}  // namespace vandrel
