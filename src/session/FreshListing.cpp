#include "session/FreshListing.h"

#include "platform/Connection.h"
#include "platform/Format.h"
#include "session/Statements.h"

namespace session {

std::shared_ptr<const RequestListing> ListRequests(platform::Connection& connection,
                                                   const QString& dateText,
                                                   const RequestListing* like) {
  auto requests = connection.Open(ScheduleListSql(dateText), platform::CursorType::ForwardOnly,
                                  platform::LockType::ReadOnly);
  auto listing = RequestListing::Read(*requests, like);
  requests->Close();
  return listing;
}

QString ListedDayOf(const ORSchedule& request) {
  const QDateTime& when = request.operationAt;
  return when.isValid() ? platform::Format(when, QStringLiteral("MM/DD/YYYY")) : QString();
}

int RowOfRequest(const RequestListing& listing, const QString& transNum) {
  bool isNumber = false;
  const qint64 wanted = transNum.trimmed().toLongLong(&isNumber);
  return isNumber ? listing.RowOf(wanted) : -1;
}

std::optional<ORSchedule> FindRequest(const RequestListing& listing, const QString& transNum) {
  const int row = RowOfRequest(listing, transNum);
  if (row < 0) return std::nullopt;
  return listing.At(row);
}

}  // namespace session
