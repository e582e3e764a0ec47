#pragma once

#include <QFont>

namespace platform {

// A font of the window design (Tahoma, Arial, Times New Roman, MS Sans Serif). Where the
// family is not installed, the closest one with the same metrics is used (Liberation Sans
// for Arial and Tahoma on Linux), so that captions fit the twip layout.
QFont DesignFont(const QString& family, qreal points, bool bold = false);

}  // namespace platform
