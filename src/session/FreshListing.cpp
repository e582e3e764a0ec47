#include "session/FreshListing.h"

#include "platform/Connection.h"
#include "platform/Format.h"

namespace session {

std::shared_ptr<const RequestListing> ListRequests(platform::Connection& connection,
                                                   const QString& dateText,
                                                   const RequestListing* like) {
  const DayDurations durations = ReadDurations(connection, dateText);
  auto requests = connection.Open(ScheduleListSql(dateText), platform::CursorType::ForwardOnly,
                                  platform::LockType::ReadOnly);
  auto listing = RequestListing::Read(*requests, durations, like);
  requests->Close();
  return listing;
}

QString ListedDayOf(const ORSchedule& request) {
  const QDateTime& when = request.operationAt;
  return when.isValid() ? platform::Format(when, QStringLiteral("MM/DD/YYYY")) : QString();
}

namespace {

// Runs a statement whose rows are requests in the listing's columns, one request at a time,
// each with its duration from `durations` where given (else from its own field).
void ReadEach(platform::Connection& connection, const QString& sql,
              const std::function<void(const ORSchedule&)>& each,
              const DayDurations* durations = nullptr) {
  auto records =
      connection.Open(sql, platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
  for (; !records->AtEnd(); records->MoveNext())
    each(RequestOfRecord(*records, durations));
  records->Close();
}

}  // namespace

std::optional<ORSchedule> ReadRequest(platform::Connection& connection, qint64 transNum,
                                      ByNum lock) {
  std::optional<ORSchedule> found;
  ReadEach(connection, ScheduleByNumSql(transNum, lock), [&](const ORSchedule& request) {
    if (request.transNum == transNum) found = request;
  });
  return found;
}

void ForEachRequest(platform::Connection& connection, const QString& dateText,
                    const std::function<void(const ORSchedule&)>& each) {
  const DayDurations durations = ReadDurations(connection, dateText);
  ReadEach(connection, ScheduleListSql(dateText), each, &durations);
}

}  // namespace session
