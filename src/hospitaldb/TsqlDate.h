#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace hospitaldb {

// Reads a date text the way SQL Server reads a character string as a datetime for a
// us_english login (DATEFORMAT mdy):
//   "12/8/2026", "12-08-2026", "12.08.26" (month/day/year, two-digit years 50..99 are 19xx),
//   "2026-12-08", "2026/12/08", "20261208", "2026-12-08T09:30:00" (year first),
//   each optionally followed by a time "9:30", "09:30:00", "09:30:00.123", "9:30 AM", "9 PM";
//   a time alone falls on 1/1/1900, and a blank text is 1/1/1900 midnight.
// Leading and trailing blanks are ignored. Milliseconds are dropped. Returns nothing for a
// text SQL Server would refuse.
std::optional<QDateTime> ReadTsqlDateTime(const QString& text);

// SQL Server's message for a text that is not a date.
QString DateConversionError();

// The way the embedded database stores a date and time: "YYYY-MM-DD hh:mm:ss".
QString StoredDateTimeText(const QDateTime& when);

}  // namespace hospitaldb
