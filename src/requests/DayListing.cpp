#include "requests/DayListing.h"

#include "session/RequestListing.h"

namespace requests {
namespace {

using session::RequestColumn;

// A column the list leaves out but paper and files carry, right after another one.
struct AddedColumn {
  int after;
  int column;
  int width;  // twips
};

// Staff on the floor look a request up by its theatre: its room follows the time.
constexpr AddedColumn kAddedColumns[] = {
    {RequestColumn::kOperationDate, RequestColumn::kORRoomCode, 1000},
};

}  // namespace

DayListing ListingOf(const session::RequestListing& requests,
                     const std::function<int(int col)>& columnWidth) {
  DayListing listing;
  QList<int> columns;
  const auto put = [&](int c, int width) {
    columns.append(c);
    listing.columnWidths.append(width);
    listing.table.header.append(requests.Headers().value(c));
  };
  for (int c = RequestColumn::kFirst; c < requests.Cols(); ++c) {
    if (columnWidth(c) != 0) put(c, columnWidth(c));
    for (const AddedColumn& added : kAddedColumns)
      if (added.after == c && columnWidth(added.column) == 0) put(added.column, added.width);
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
