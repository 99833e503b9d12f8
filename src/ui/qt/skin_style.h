// The skin's style sheet ("style.qss") for the whole application; its pictures are named
// "skin:file" relative to the skin folder. User-interface thread only.
#pragma once

#include "ui/skin.h"

class QApplication;

namespace vandrel {

// False (and the application unstyled) when the skin has no readable style sheet.
bool ApplySkinStyle(QApplication& application, const Skin& skin);

}  // namespace vandrel
