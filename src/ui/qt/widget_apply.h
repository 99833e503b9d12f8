// Puts a control's state from the model onto its widget. Never raises notifications: the caller
// blocks the widget's signals and ignores its events while this runs. User-interface thread only.
#pragma once

#include <filesystem>

#include "ui/control.h"

class QWidget;

namespace vandrel {

// Applies one property of `control` to `widget`. Images are files of `skin_folder`.
void ApplyProperty(QWidget& widget, const Control& control, Property property,
                   const std::filesystem::path& skin_folder);
// Applies every property, as when the widget is first bound.
void ApplyAllProperties(QWidget& widget, const Control& control,
                        const std::filesystem::path& skin_folder);

}  // namespace vandrel
