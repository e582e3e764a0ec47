#pragma once

#include <QString>

namespace platform {

// Whether a window can be shown here. On X11/Wayland systems without a display (and no
// platform chosen through QT_QPA_PLATFORM), `advice` says how to run the program anyway.
bool DisplayAvailable(QString* advice);

}  // namespace platform
