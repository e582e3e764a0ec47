#pragma once

#include <QDateTime>
#include <QVariant>
#include <limits>

namespace platform {

// A wall-clock value (WallClock) to the second as one number, for values kept by the thousand:
// seconds from the start of the first day of the calendar. kNoWallSeconds stands for none.
constexpr qint64 kNoWallSeconds = std::numeric_limits<qint64>::min();

qint64 ToWallSeconds(const QDateTime& value);
// Null for kNoWallSeconds.
QDateTime FromWallSeconds(qint64 seconds);
// A database value read as a date and time (TryToDateTime) in seconds; kNoWallSeconds for a null
// or a value that is no date.
qint64 WallSecondsOf(const QVariant& value);

}  // namespace platform
