#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include "platform/WallClock.h"

namespace platform {

// The one formatting operation for dates and times. Pattern tokens are case-insensitive:
// "YYYY"/"YY" year, "MM"/"M" month, "DD"/"D" day, "HH"/"H" hour, "MM"/"M" directly after an hour
// token (separators between them allowed) minutes, "NN" minutes, "SS"/"S" seconds, "AM/PM"
// (and "am/pm", "A/P") the 12-hour marker, which also switches the hour to the 12-hour clock.
// Every other character is copied. Named patterns: "Long Date" (the system locale's long date),
// "Short Date", "Long Time", "Short Time", "General Date". A text value is first read as a date
// and time (ToDateTime); text that is not one, and an empty or null value, come back unchanged
// as text. Qt's own format strings differ ("MM" is always the month there) and are never used
// for these patterns.
QString Format(const QVariant& value, const QString& pattern);
QString Format(const QDateTime& value, const QString& pattern);

// The platform's fixed default texts, not locale-dependent:
// short date "M/D/YYYY", time "h:mm:ss AM/PM", date and time "M/D/YYYY h:mm:ss AM/PM".
QString ShortDateText(const QDate& date);
QString TimeText(const QTime& time);
QString DateTimeText(const QDateTime& value);

// A value as the platform shows it as text: a QDateTime whose time is midnight as the short
// date, one on the zero date (12/30/1899) as the time, any other as date and time; a QDate
// as the short date; a QTime as the time; a null as empty text; anything else as toString().
QString DefaultText(const QVariant& value);

// The zero date of the platform: a time of day without a date is carried on it.
QDate ZeroDate();

// Reads a value "as a date and time": QDateTime, QDate and QTime as they are; text in the
// default texts ("M/D/YYYY", "MM/DD/YYYY", "M/D/YYYY h:mm[:ss] [AM|PM]", "h:mm[:ss] [AM|PM]"
// alone, which gives a time on the zero date) or ISO ("YYYY-MM-DD[ hh:mm[:ss]]"). Leading and
// trailing blanks are ignored. Throws RuntimeError("Type mismatch ...") for anything else.
QDateTime ToDateTime(const QVariant& value);
// As ToDateTime, but an invalid QDateTime instead of throwing.
QDateTime TryToDateTime(const QVariant& value);

}  // namespace platform
