#include "requests/DayListing.h"

#include "platform/FlexGrid.h"
#include "session/ORSchedule.h"

namespace requests {

DayListing ListingOf(const platform::FlexGrid& grid) {
  DayListing listing;
  QList<int> columns;
  for (int c = grid.FixedCols(); c < grid.Cols(); ++c) {
    if (grid.ColWidth(c) == 0) continue;
    columns.append(c);
    listing.columnWidths.append(grid.ColWidth(c));
    listing.table.header.append(grid.TextMatrix(0, c));
  }
  const bool hasStatus = grid.Cols() > session::RequestColumn::kStatus;
  for (int r = 1; r < grid.Rows(); ++r) {
    QStringList cells;
    for (int c : columns)
      cells.append(grid.TextMatrix(r, c));
    listing.table.rows.append(cells);
    listing.statuses.append(
        StatusOf(hasStatus ? grid.TextMatrix(r, session::RequestColumn::kStatus) : QString()));
  }
  return listing;
}

}  // namespace requests
