// The bindings of buttons and keys to macros by number, kept consistent when a macro is deleted:
// a binding to a later macro moves down by one, and a binding to the deleted macro gives way to
// the button's or key's factory assignment. Every assignment of every table counts — all nine
// buttons of each mouse key page, every key the keyboard reports. Plain functions on the tables'
// bytes; the caller's thread.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vandrel {

// Asked before a macro that buttons or keys are bound to is deleted.
inline constexpr std::string_view kMacroBoundMessage = "message_text_2";

// One key table: its assignments (3 bytes each) and the factory table they restore from, which
// holds at least as many.
struct BindingTable {
  std::span<std::uint8_t> assignments;
  std::span<const std::uint8_t> factory;
};

// Whether an assignment of `tables` plays macro `number` (once or repeated).
[[nodiscard]] bool BindsMacro(std::span<const BindingTable> tables, int number);

// Macro `number` was deleted: bindings to it become the factory assignments, those to later
// macros move down by one. Other assignments stay as they are.
void RenumberBindingsOnDelete(std::span<const BindingTable> tables, int number);

}  // namespace vandrel
