#pragma once

#include <QDateTime>

namespace platform {

// Every date and time in the program is a wall-clock value: a calendar date and a time of day,
// as the server keeps them, the same in every time zone. They are held in UTC only so that Qt
// never applies the workstation's zone, in which a time the clocks skip would be invalid and a
// time they repeat ambiguous.
inline QDateTime WallClock(const QDate& date, const QTime& time = QTime(0, 0)) {
  return QDateTime(date, time, Qt::UTC);
}

// The same calendar date and time of day as `value`, whatever zone it was made in (a driver's
// local time included, even one the workstation's zone skips); invalid when it names none.
inline QDateTime AsWallClock(const QDateTime& value) {
  if (value.timeSpec() == Qt::UTC) return value;
  if (!value.date().isValid() || !value.time().isValid()) return {};
  return WallClock(value.date(), value.time());
}

}  // namespace platform
