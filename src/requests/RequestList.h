#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "session/ConnectionProvider.h"
#include "session/RequestListing.h"

namespace platform {
class DTPicker;
class FlexGrid;
}  // namespace platform

namespace requests {

// The request pane's list: the requests of the date in DTPicker1, one row each in
// mshflexPending, coloured by request status; a click on the list decides whether
// "&Confirm" and "&Revoke" may be used.
class PaneState;

class RequestList {
 public:
  RequestList(platform::FlexGrid& grid, platform::DTPicker& datePicker, PaneState& state,
              session::ConnectionProvider connection = session::CurrentUserConnection());

  // Lays out the empty grid: 27 columns, the header row and one blank row, the widths; the
  // operation's date and the columns after the fields it sizes widen to their values.
  void Format_Grid();
  // Whether the last load listed any request; an empty list offers nothing to act on.
  bool HoldsRequests() const { return holdsRequests_; }
  // The requests listed now: grid row r shows request r - 1 of it. A failed load leaves an
  // empty listing.
  const session::RequestListing& Listing() const { return *listing_; }
  std::shared_ptr<const session::RequestListing> SharedListing() const { return listing_; }
  // Lists the requests of the date given as text, the date of the list's picker, anew: no
  // request is selected until the user picks one. Throws on a database failure, after
  // emptying the list so that no rows of another date stay under the picker's date. A date
  // with more requests than the grid holds is listed as empty, with a notice saying why.
  void Load_ORSchedule(const QString& dateText);
  // Shows a listing of the listed date in place of the one listed: colours, heights, clash
  // signs and whether the list holds requests follow it, and the selected request stays
  // selected while it is listed.
  void Show(std::shared_ptr<const session::RequestListing> listing);
  // Lists again the date the list's picker shows, as "MM/DD/YYYY", keeping the selection.
  void Reload();
  // Lists the date the request lies on now and selects it, as a click on its row would.
  void ShowRequest(const session::ORSchedule& request);
  // That date as "MM/DD/YYYY", and its requests as the server holds them now, not shown.
  QString ListedDay() const;
  std::shared_ptr<const session::RequestListing> ListAfresh() const;
  void Color_Status();
  void Size_Rows();

  // Told after each listing the list shows: a date listed, the list refreshed or emptied.
  void OnListingShown(std::function<void()> shown) { shown_ = std::move(shown); }
  // Selects a listed request as a click on its row would, and shows its row. False, selecting
  // nothing, when it is not listed or the list cannot be used now (while New or Edit is under
  // way).
  bool SelectRequest(qint64 transNum);

  // The user changed the list's date: list that date.
  void DTPicker1_Change();
  // A click anywhere on the enabled list, or a key that moves its current row: the current
  // row's request (with none current, the first) becomes the selected one, which Confirm and
  // Revoke act on unless the listed date is before the server's date as last read.
  void mshflexPending_Click();

 private:
  void List(const QString& dateText);
  void ShowListing(std::shared_ptr<const session::RequestListing> listing);
  void KeepSelection();
  void ShowEmpty();
  void ForgetListing();
  void NoticeTooManyRequests(const QString& dateText);
  void MarkClashes();

  platform::FlexGrid& grid_;
  platform::DTPicker& datePicker_;
  PaneState& state_;
  session::ConnectionProvider connection_;
  std::shared_ptr<const session::RequestListing> listing_;
  bool holdsRequests_ = false;
  std::function<void()> shown_;
};

// Row height, in twips, for a procedure text of this many characters.
int RowHeightForProcedure(qsizetype characters);

}  // namespace requests
