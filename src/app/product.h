// The product's identity as it appears in folder names, window titles and the settings store.
#pragma once

#include <string_view>

namespace vandrel {

inline constexpr std::string_view kProductTitle = "Vandrel Gaming mouse";

}  // namespace vandrel
