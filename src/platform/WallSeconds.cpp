#include "platform/WallSeconds.h"

#include "platform/Format.h"
#include "platform/WallClock.h"

namespace platform {
namespace {

constexpr qint64 kSecondsPerDay = 86400;

}  // namespace

qint64 ToWallSeconds(const QDateTime& value) {
  const QDateTime when = AsWallClock(value);
  if (!when.isValid()) return kNoWallSeconds;
  return when.date().toJulianDay() * kSecondsPerDay + when.time().msecsSinceStartOfDay() / 1000;
}

QDateTime FromWallSeconds(qint64 seconds) {
  if (seconds == kNoWallSeconds) return {};
  // Julian days of every date a database holds are positive.
  return WallClock(QDate::fromJulianDay(seconds / kSecondsPerDay),
                   QTime::fromMSecsSinceStartOfDay(int(seconds % kSecondsPerDay) * 1000));
}

qint64 WallSecondsOf(const QVariant& value) {
  return ToWallSeconds(TryToDateTime(value));
}

}  // namespace platform
