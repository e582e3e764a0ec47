#include "requests/DayListing.h"

#include "platform/Duration.h"
#include "session/RequestListing.h"

namespace requests {

namespace {

using session::RequestColumn;

// The columns beside the listing's own, after the operation's date and time: its expected
// duration and end. Numbered past the listing's columns.
constexpr int kDuration = RequestColumn::kLast + 1;
constexpr int kUntil = RequestColumn::kLast + 2;
constexpr int kDurationWidth = 900, kUntilWidth = 1100;  // twips

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
  const auto add = [&](int col, int width, const QString& header) {
    columns.append(col);
    listing.columnWidths.append(width);
    listing.table.header.append(header);
  };
  for (int c = RequestColumn::kFirst; c < requests.Cols(); ++c) {
    if (columnWidth(c) != 0) add(c, columnWidth(c), requests.Headers()[c]);
    if (c != RequestColumn::kOperationDate) continue;
    add(kDuration, kDurationWidth, QStringLiteral("Est. Duration"));
    add(kUntil, kUntilWidth, QStringLiteral("Until"));
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
