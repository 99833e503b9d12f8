// Decoding UTF-8 strictly (no overlong forms, no surrogates, nothing past U+10FFFF), for texts
// that arrive from outside and must be text before they are kept: file names, imported files.
// Any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// The code points of `text`; nullopt when it is not valid UTF-8.
[[nodiscard]] std::optional<std::u32string> DecodeUtf8(std::string_view text);
// Whether `text` is valid UTF-8, without keeping the code points.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

}  // namespace vandrel
