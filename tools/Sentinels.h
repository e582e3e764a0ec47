#pragma once

#include <QDateTime>
#include <QString>

#include "platform/WallClock.h"

namespace tools {

// The client's statement builders take typed values (a date and time, a transaction number);
// a script needs a parameter's name or a marker of its own in their place. Each of these
// values is written once in a statement, so that its text there can be replaced.
struct Sentinel {
  static QDateTime When() { return platform::WallClock(QDate(2999, 12, 31), QTime(23, 30)); }
  static inline const QString kWhenText = QStringLiteral("12/31/2999 11:30:00 PM");
  static QDateTime SavedAt() { return platform::WallClock(QDate(2999, 12, 30), QTime(23, 59, 58)); }
  static inline const QString kSavedAtText = QStringLiteral("12/30/2999 11:59:58 PM");
  static constexpr qint64 kTransNum = 987654321;
  static inline const QString kTransNumText = QStringLiteral("987654321");
  static constexpr int kMinutes = 1399;
  static inline const QString kMinutesText = QStringLiteral("1399");

  // The statement with a quoted value replaced by another (quoted the same way).
  static QString Replaced(QString sql, const QString& value, const QString& by) {
    return sql.replace(u'\'' + value + u'\'', u'\'' + by + u'\'');
  }
};

}  // namespace tools
