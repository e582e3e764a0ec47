#pragma once

#include <QList>
#include <functional>

#include "platform/TextTable.h"
#include "requests/RequestStatus.h"

namespace session {
class RequestListing;
}

namespace requests {

// The requests the list shows, as they leave the program on paper or in a file: the columns the
// list shows (those `columnWidth` gives a width, in twips; the selector column carries no data),
// in the list's order, with the operating room, the expected duration and the expected end after
// the operation's date and time ("Est. Duration", "Until"), even where the list hides the room,
// under the field names the server gave them, and one row per listed request with its status.
struct DayListing {
  platform::TextTable table;
  QList<int> columnWidths;  // twips, as the grid shows the columns
  QList<RequestStatus> statuses;
};

DayListing ListingOf(const session::RequestListing& requests,
                     const std::function<int(int col)>& columnWidth);

}  // namespace requests
