#include "requests/RequestList.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>

#include "app/modGlobal.h"
#include "platform/Connection.h"
#include "platform/DTPicker.h"
#include "platform/FlexGrid.h"
#include "platform/Format.h"
#include "platform/SqlQuote.h"
#include "requests/RequestStatus.h"

namespace requests {
namespace {

// Widths of columns 0 to 26 in twips; 0 hides a column. Columns 27 to 31 keep the default.
constexpr int kColumnWidths[] = {1, 2500, 3000, 1000, 0, 0, 2300, 0, 2000, 2300, 0, 0,    0, 0,
                                 0, 0,    0,    0,    0, 0, 0,    0, 0,    0,    0, 1800, 0};

}  // namespace

RequestList::RequestList(platform::FlexGrid& grid, platform::DTPicker& datePicker,
                         QPushButton* confirm, QPushButton* revoke)
    : grid_(grid), datePicker_(datePicker), confirm_(confirm), revoke_(revoke) {}

void RequestList::Format_Grid() {
  grid_.Clear();
  grid_.SetCols(27);
  grid_.SetRows(2);
  for (int c = 0; c < 27; ++c)
    grid_.SetColWidth(c, kColumnWidths[c]);
}

void RequestList::Load_ORSchedule(const QString& dateText) {
  try {
    auto requests = modGlobal::SQLConnection()->Open(
        QStringLiteral("SCHEDULE..sp_GetORSchedule '") + platform::SqlQuote(dateText) + u'\'',
        platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    grid_.Bind(*requests);  // an empty result still gives the header its field names
    requests->Close();
  } catch (...) {
    // No rows of the previously listed date may stay under the picker's new date.
    grid_.SetRows(1);
    ShowEmpty();
    throw;
  }
  // No requests, or only one without a patient name: nothing to act on.
  if (grid_.Rows() < 2 || (grid_.Rows() < 3 && grid_.TextMatrix(1, kPatientName).isEmpty())) {
    ShowEmpty();
    return;
  }
  Color_Status();
  Size_Rows();
  grid_.setEnabled(true);
}

// The header and one blank (or nameless) row, disabled: clicks do nothing.
void RequestList::ShowEmpty() {
  if (grid_.Rows() < 2) grid_.SetRows(2);
  grid_.setEnabled(false);
  grid_.SetRedraw(true);
}

namespace {

// Suspends the grid's drawing for a pass and resumes it however the pass ends.
class SuspendedDrawing {
 public:
  explicit SuspendedDrawing(platform::FlexGrid& grid) : grid_(grid) { grid_.SetRedraw(false); }
  ~SuspendedDrawing() { grid_.SetRedraw(true); }
  SuspendedDrawing(const SuspendedDrawing&) = delete;
  SuspendedDrawing& operator=(const SuspendedDrawing&) = delete;

 private:
  platform::FlexGrid& grid_;
};

}  // namespace

void RequestList::Color_Status() {
  SuspendedDrawing suspended(grid_);
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  for (int r = 1; r < grid_.Rows(); ++r)
    grid_.SetRowColors(r, text, StatusColor(StatusOf(grid_.TextMatrix(r, kStatus))));
}

int RowHeightForProcedure(qsizetype characters) {
  if (characters < 26) return 250;
  if (characters < 40) return 500;
  return 1000;
}

void RequestList::Size_Rows() {
  SuspendedDrawing suspended(grid_);
  grid_.SetWordWrap(true);
  for (int r = 1; r < grid_.Rows(); ++r)
    grid_.SetRowHeight(r, RowHeightForProcedure(grid_.TextMatrix(r, kProcedure).size()));
}

void RequestList::DTPicker1_Change() {
  // The date as the platform's default short-date text, not "MM/DD/YYYY".
  Load_ORSchedule(platform::DefaultText(datePicker_.Value()));
}

void RequestList::mshflexPending_Click() {
  const bool past = datePicker_.Date() < modGlobal::ServerDateTime.date();
  confirm_->setEnabled(!past);
  revoke_->setEnabled(!past);
}

}  // namespace requests
