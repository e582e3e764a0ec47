#include "session/Durations.h"

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/NumberColumn.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"

namespace session {

std::optional<int> DayDurations::MinutesOf(qint64 transNum) const {
  const auto found = byNum_.constFind(transNum);
  return found == byNum_.cend() ? std::nullopt : std::optional(found->minutes);
}

QString DayDurations::UntilTextOf(qint64 transNum) const {
  const auto found = byNum_.constFind(transNum);
  if (found == byNum_.cend()) return QString();
  return UntilText(found->start, ExpectedEnd(found->start, found->minutes));
}

DayDurations ReadDurations(platform::Connection& connection, const QString& dateText) {
  DayDurations durations;
  auto rows = connection.Open(ScheduleDurationsSql(dateText), platform::CursorType::ForwardOnly,
                              platform::LockType::ReadOnly);
  const int number = rows->FieldIndex(QStringLiteral("TransNum"));
  const int start = rows->FieldIndex(QStringLiteral("OperationDate"));
  const int minutes = rows->FieldIndex(QStringLiteral("Minutes"));
  if (!rows->AtEnd() && (number < 0 || start < 0 || minutes < 0))
    throw platform::DatabaseError(
        QStringLiteral("The durations came without TransNum, OperationDate or Minutes."));
  for (; !rows->AtEnd(); rows->MoveNext()) {
    const qint64 transNum = platform::NumberOf(rows->Value(number));
    const qint64 length = platform::NumberOf(rows->Value(minutes));
    if (transNum == platform::NumberColumn::kNone || length == platform::NumberColumn::kNone)
      continue;
    durations.Add(transNum, {platform::TryToDateTime(rows->Value(start)), int(length)});
  }
  rows->Close();
  return durations;
}

}  // namespace session
