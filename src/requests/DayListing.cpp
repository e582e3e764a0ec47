#include "requests/DayListing.h"

#include "platform/Duration.h"
#include "session/RequestListing.h"

namespace requests {
namespace {

using session::RequestColumn;

// The expected duration and end, numbered past the listing's own columns.
constexpr int kDuration = RequestColumn::kLast + 1;
constexpr int kUntil = RequestColumn::kLast + 2;

// A column the list leaves out but paper and files carry, right after another one.
struct AddedColumn {
  int after;
  int column;
  int width;  // twips
};

// Staff on the floor look a request up by its theatre: its room follows the time, and then how
// long the operation is expected to take and when it should end.
constexpr AddedColumn kAddedColumns[] = {
    {RequestColumn::kOperationDate, RequestColumn::kORRoomCode, 1000},
    {RequestColumn::kOperationDate, kDuration, 900},
    {RequestColumn::kOperationDate, kUntil, 1100},
};

QString Header(const session::RequestListing& requests, int col) {
  if (col == kDuration) return QStringLiteral("Est. Duration");
  if (col == kUntil) return QStringLiteral("Until");
  return requests.Headers().value(col);
}

QString Cell(const session::RequestListing& requests, int row, int col) {
  if (col < kDuration) return requests.Text(row, col).toString();
  const std::optional<int> minutes = requests.Minutes(row);
  if (col == kDuration) return minutes ? platform::DurationText(*minutes) : QString();
  const QDateTime start = requests.OperationAt(row);
  return session::UntilText(start, session::ExpectedEnd(start, minutes));
}

}  // namespace

DayListing ListingOf(const session::RequestListing& requests,
                     const std::function<int(int col)>& columnWidth) {
  DayListing listing;
  QList<int> columns;
  const auto put = [&](int c, int width) {
    columns.append(c);
    listing.columnWidths.append(width);
    listing.table.header.append(Header(requests, c));
  };
  // The list shows none of the added columns but perhaps the room: that is not repeated.
  const auto shownByList = [&](int c) { return c < kDuration && columnWidth(c) != 0; };
  for (int c = RequestColumn::kFirst; c < requests.Cols(); ++c) {
    if (columnWidth(c) != 0) put(c, columnWidth(c));
    for (const AddedColumn& added : kAddedColumns)
      if (added.after == c && !shownByList(added.column)) put(added.column, added.width);
  }
  for (int r = 0; r < requests.Rows(); ++r) {
    QStringList cells;
    for (int c : columns)
      cells.append(Cell(requests, r, c));
    listing.table.rows.append(cells);
    listing.statuses.append(requests.Status(r));
  }
  return listing;
}

}  // namespace requests
