// The three device classes; control names, INI and file names carry their prefixes "kb_",
// "ms_" and "mp_".
#pragma once

namespace vandrel {

enum class DeviceKind { kKeyboard, kMouse, kPad };

}  // namespace vandrel
