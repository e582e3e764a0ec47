#pragma once

#include <QList>

#include "platform/TextTable.h"
#include "requests/RequestStatus.h"

namespace platform {
class FlexGrid;
}

namespace requests {

// The requests the list shows, as they leave the program on paper or in a file: the columns the
// grid shows (those with a width; the selector column carries no data), in the grid's order,
// under the grid's own headers, and one row per listed request with its status.
struct DayListing {
  platform::TextTable table;
  QList<int> columnWidths;  // twips, as the grid shows the columns
  QList<RequestStatus> statuses;
};

DayListing ListingOf(const platform::FlexGrid& grid);

}  // namespace requests
