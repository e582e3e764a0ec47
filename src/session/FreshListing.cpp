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
  const QDateTime when = platform::TryToDateTime(request.operationDate.trimmed());
  return when.isValid() ? platform::Format(when, QStringLiteral("MM/DD/YYYY")) : QString();
}

int RowOfRequest(const RequestListing& listing, const QString& transNum) {
  const QString wanted = transNum.trimmed();
  if (wanted.isEmpty()) return -1;
  for (int row = 0; row < listing.Rows(); ++row)
    if (listing.Text(row, RequestColumn::kTransNum).trimmed() == wanted) return row;
  return -1;
}

std::optional<ORSchedule> FindRequest(const RequestListing& listing, const QString& transNum) {
  const int row = RowOfRequest(listing, transNum);
  if (row < 0) return std::nullopt;
  return listing.At(row);
}

}  // namespace session
