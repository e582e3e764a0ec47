#include "requests/RequestList.h"

#include <QApplication>
#include <QLocale>
#include <QPalette>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "requests/PaneState.h"
#include "requests/RequestStatus.h"
#include "session/FreshListing.h"

namespace requests {
namespace {

using session::RequestColumn;

// Widths of columns 0 to 26 in twips; 0 hides a column. Format_Grid shapes the empty grid with
// 27 columns, as many as it gives widths to. A bind replaces that shape with the listing's 32
// columns (the selector column and the 31 fields of a request) and keeps the widths by
// position, so columns 27 to 31 (the status, who confirmed or revoked it and when) are never
// given a width and show at the grid's default one.
constexpr int kColumnWidths[] = {1, 2500, 3000, 1000, 0, 0, 2300, 0, 2000, 2300, 0, 0,    0, 0,
                                 0, 0,    0,    0,    0, 0, 0,    0, 0,    0,    0, 1800, 0};

constexpr int kClashMarkWidth = 270;  // twips: room for the warning sign

// Columns that widen to show their values whole: the operation's date and time, sized for the
// design's font and wider in others, and the columns that take the grid's default width.
constexpr int kWidenedColumns[] = {RequestColumn::kOperationDate, RequestColumn::kStatus,
                                   RequestColumn::kConfirmedBy,   RequestColumn::kDateConfirmed,
                                   RequestColumn::kRevokedBy,     RequestColumn::kDateRevoked};

}  // namespace

RequestList::RequestList(platform::FlexGrid& grid, platform::DTPicker& datePicker, PaneState& state,
                         session::ConnectionProvider connection)
    : grid_(grid),
      datePicker_(datePicker),
      state_(state),
      connection_(std::move(connection)),
      listing_(std::make_shared<const session::RequestListing>()) {}

void RequestList::Format_Grid() {
  grid_.Clear();
  grid_.SetCols(27);
  grid_.SetRows(2);
  for (int c = 0; c < 27; ++c)
    grid_.SetColWidth(c, kColumnWidths[c]);
  for (int c : kWidenedColumns)
    grid_.SetColWidensToText(c, true);
}

void RequestList::Load_ORSchedule(const QString& dateText) {
  state_.Select(std::nullopt);
  List(dateText);
}

void RequestList::List(const QString& dateText) {
  state_.SetListedDay(datePicker_.Date());
  std::shared_ptr<const session::RequestListing> listing;
  try {
    // An empty result still gives the header its field names.
    listing = session::ListRequests(*connection_(), dateText, listing_.get());
  } catch (const platform::TooManyRowsError&) {
    // Not a failure of the database: the date is listed as empty and the user told why, and
    // the program goes on (also at start-up, where a failure would end it).
    ForgetListing();
    NoticeTooManyRequests(dateText);
    return;
  } catch (...) {
    // No rows of the previously listed date may stay under the picker's new date.
    ForgetListing();
    throw;
  }
  Show(std::move(listing));
}

void RequestList::Show(std::shared_ptr<const session::RequestListing> listing) {
  ShowListing(std::move(listing));
  if (shown_) shown_();
}

void RequestList::ShowListing(std::shared_ptr<const session::RequestListing> listing) {
  // Let go of the old listing first, so that the grid, letting go of it last, frees it.
  listing_ = std::move(listing);
  grid_.Show(listing_->Headers(), listing_->Cells());
  // No requests, or only one without a patient name: nothing to act on.
  if (listing_->Rows() < 1 ||
      (listing_->Rows() < 2 && listing_->Text(0, RequestColumn::kPatientName).isEmpty())) {
    ShowEmpty();
    return;
  }
  Color_Status();
  Size_Rows();
  MarkClashes();
  grid_.setEnabled(true);
  holdsRequests_ = true;
  KeepSelection();
}

// The selected request stays the list's current row while it is listed; one no longer listed
// leaves none selected, and Confirm and Revoke wait for the user's pick rather than fall to
// another request.
void RequestList::KeepSelection() {
  const std::optional<qint64> selected = state_.Selected();
  const int row = selected ? listing_->RowOf(*selected) : -1;
  if (row >= 0)
    grid_.SetRow(row + 1);
  else
    state_.Select(std::nullopt);
}

// The list keeps its columns and shows no request.
void RequestList::ForgetListing() {
  listing_ = std::make_shared<const session::RequestListing>();
  grid_.SetRows(1);
  ShowEmpty();
  if (shown_) shown_();
}

bool RequestList::SelectRequest(qint64 transNum) {
  const int row = listing_->RowOf(transNum);
  if (row < 0 || !holdsRequests_ || state_.Writing()) return false;
  grid_.SetRow(row + 1);
  grid_.scrollTo(grid_.model()->index(row, RequestColumn::kPatientName));
  state_.Select(transNum);
  return true;
}

// A warning sign beside each request booked at the same time as another in its room or with
// one of its people. The selector column, a twip wide by design, widens to show the signs only
// while the list holds a clash.
void RequestList::MarkClashes() {
  const bool any = listing_->clashes().Any();
  grid_.SetColWidth(0, any ? kClashMarkWidth : kColumnWidths[0]);
  if (!any) return;
  // The signs hold the listing they describe, however long the grid shows it.
  grid_.SetRowMarks(
      [listing = listing_](int row) { return listing->clashes().Has(row - 1); },
      [listing = listing_](int row) { return listing->clashes().Describe(row - 1).join(u'\n'); });
}

void RequestList::NoticeTooManyRequests(const QString& dateText) {
  platform::MsgBox(QStringLiteral("There are more requests on %1 than the list can show (at most "
                                  "%2). Nothing is listed for that date.")
                       .arg(dateText, QLocale(QLocale::English).toString(grid_.kMaxRows - 1)),
                   platform::vbOKOnly | platform::vbExclamation, platform::AppTitle());
}

void RequestList::Reload() {
  List(ListedDay());
}

void RequestList::ShowRequest(const session::ORSchedule& request) {
  datePicker_.SetValue(request.operationAt);
  state_.Select(request.transNum);
  Reload();
  if (grid_.Row() > 0)
    grid_.scrollTo(grid_.model()->index(grid_.Row() - 1, RequestColumn::kPatientName));
}

QString RequestList::ListedDay() const {
  return platform::Format(datePicker_.Value(), QStringLiteral("MM/DD/YYYY"));
}

std::shared_ptr<const session::RequestListing> RequestList::ListAfresh() const {
  return session::ListRequests(*connection_(), ListedDay(), listing_.get());
}

// The header and one blank (or nameless) row, disabled: clicks do nothing, and Confirm and
// Revoke, which no click on the list can enable now, have nothing to act on.
void RequestList::ShowEmpty() {
  grid_.SetColWidth(0, kColumnWidths[0]);
  if (grid_.Rows() < 2) grid_.SetRows(2);
  grid_.setEnabled(false);
  grid_.SetRedraw(true);
  holdsRequests_ = false;
  state_.Select(std::nullopt);
}

void RequestList::Color_Status() {
  platform::SuspendedDrawing suspended(grid_);
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  for (int r = 0; r < listing_->Rows(); ++r)
    grid_.SetRowColors(r + 1, text, StatusColor(listing_->Status(r)));
}

int RowHeightForProcedure(qsizetype characters) {
  if (characters < 26) return 250;
  if (characters < 40) return 500;
  return 1000;
}

void RequestList::Size_Rows() {
  platform::SuspendedDrawing suspended(grid_);
  grid_.SetWordWrap(true);
  // As tall as the procedure's length asks, or as a wrapped name needs.
  grid_.FitRowHeights([this](int row) {
    return RowHeightForProcedure(listing_->Text(row - 1, RequestColumn::kProcedure).size());
  });
}

void RequestList::DTPicker1_Change() {
  // The date as the platform's default short-date text, not "MM/DD/YYYY".
  Load_ORSchedule(platform::DefaultText(datePicker_.Value()));
}

// With no row current (a fresh listing), the first request, as a grid's current row starts on
// its first data row.
void RequestList::mshflexPending_Click() {
  const int row = grid_.Row() > 0 ? grid_.Row() : 1;
  state_.Select(holdsRequests_ ? listing_->TransNum(row - 1) : std::nullopt);
}

}  // namespace requests
