#include "requests/DayListing.h"

#include "session/RequestListing.h"

namespace requests {

DayListing ListingOf(const session::RequestListing& requests,
                     const std::function<int(int col)>& columnWidth) {
  using session::RequestColumn;
  DayListing listing;
  QList<int> columns;
  for (int c = RequestColumn::kFirst; c < requests.Cols(); ++c) {
    if (columnWidth(c) == 0) continue;
    columns.append(c);
    listing.columnWidths.append(columnWidth(c));
    listing.table.header.append(requests.Headers()[c]);
  }
  for (int r = 0; r < requests.Rows(); ++r) {
    QStringList cells;
    for (int c : columns)
      cells.append(requests.Text(r, c).toString());
    listing.table.rows.append(cells);
    listing.statuses.append(requests.Status(r));
  }
  return listing;
}

}  // namespace requests
