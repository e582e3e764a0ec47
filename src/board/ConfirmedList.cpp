#include "board/ConfirmedList.h"

#include "board/BoardPages.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/NumberColumn.h"
#include "platform/RecordTable.h"
#include "platform/widgets/FlexGrid.h"
#include "session/Durations.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace board {
namespace {

// The listing's columns as the board shows them: the result's, with the expected end ("Until")
// after the time.
constexpr int kUntilColumn = 1;
constexpr int kProcedureColumn = 6;
// The result's column of the transaction number, by which the durations are joined.
constexpr int kTransNumField = 11;
// Every shown column but the expected end and the circulating nurse's (8), which each operation
// shows on its own.
constexpr int kMergedColumns[] = {0, 2, 3, 4, 5, 6, 7, 9, 10};
// Twips by grid column; 0 hides the room code, the status, the transaction number and any
// column the procedure adds after them. The expected end takes its room from the
// anesthesiologist's, so that the columns still fill the design's width.
constexpr int kColumnWidths[] = {1300, 1300, 2300, 2000, 2600, 0, 3100, 2300,
                                 2000, 1800, 1500, 0,    0,    0, 0,    0};

const QString kLoadHeader = QStringLiteral(
    " |<TIME|<UNTIL|<SURGEON|<ANESTHESIOLOGIST|<PATIENT NAME|<ROOMID|<PROCEDURE|<C.NURSE|<S.NURSE"
    "|<OR ROOM|<STATUS|<TRANSNUM");

// The listing as the board shows it: each operation's expected end after its time, where its
// duration is known (`transNums`: each record's).
platform::RecordTable WithUntil(const platform::RecordTable& read, const QList<qint64>& transNums,
                                const session::DayDurations& durations) {
  platform::RecordTable shown{read.headers, platform::CellTexts(read.cells.cols() + 1)};
  shown.headers.insert(kUntilColumn, QStringLiteral("Until"));
  for (int row = 0; row < read.cells.rows(); ++row) {
    shown.cells.startRow();
    for (int col = 0; col < read.cells.cols(); ++col) {
      if (col == kUntilColumn) shown.cells.appendCell(durations.UntilTextOf(transNums[row]));
      shown.cells.appendCell(read.cells.at(row, col));
    }
  }
  return shown;
}

// The durations of the board's day, the server's date as last read: the board reads the clock
// every second.
session::DayDurations TodaysDurations(platform::Connection& connection) {
  const QDateTime& today = modGlobal::ServerDateTime;
  if (!today.isValid()) return {};
  return session::ReadDurations(connection, platform::Format(today, QStringLiteral("MM/DD/YYYY")));
}

}  // namespace

ConfirmedList::ConfirmedList(platform::FlexGrid& grid, session::ConnectionProvider connection)
    : grid_(grid), connection_(std::move(connection)), pages_(new BoardPages(grid)) {}

void ConfirmedList::Format_Grid() {
  grid_.SetCols(15);
  grid_.SetRows(2);
  grid_.SetMergeCells(platform::FlexGrid::MergeMode::Free);
  grid_.SetFormatString(kLoadHeader);
  for (int col = 0; col < int(std::size(kColumnWidths)); ++col)
    grid_.SetColWidth(col, kColumnWidths[col]);
}

void ConfirmedList::Check_Schedule() {
  const auto connection = connection_();
  platform::ScopedCommandTimeout quick(*connection, kBoardReadTimeoutSeconds);
  auto operations = connection->Open(session::ConfirmedListSql(), platform::CursorType::ForwardOnly,
                                     platform::LockType::ReadOnly);
  // Switched on by the first listing that holds a record, and left on.
  if (!operations->AtEnd()) {
    grid_.SetWordWrap(true);
    for (int col : kMergedColumns)
      grid_.SetMergeCol(col, true);
  }
  QList<qint64> transNums;
  const platform::RecordTable read = platform::ReadRecords(
      *operations, grid_.FixedCols(), {}, [&](const platform::Recordset& record) {
        transNums << (kTransNumField < record.FieldCount()
                          ? platform::NumberOf(record.Value(kTransNumField))
                          : platform::NumberColumn::kNone);
      });
  operations->Close();
  platform::RecordTable shown = WithUntil(read, transNums, TodaysDurations(*connection));
  // The operations as the wall shows them already: nothing is laid out or painted again.
  if (grid_.Shows(shown.headers, shown.cells)) return;
  grid_.Show(std::move(shown.headers),
             std::make_shared<const platform::CellTexts>(std::move(shown.cells)));
  Set_RowHeights();
}

int BoardRowHeight(qsizetype procedureCharacters) {
  if (procedureCharacters <= 25) return 300;
  if (procedureCharacters <= 39) return 800;
  return 1300;
}

void ConfirmedList::Set_RowHeights() {
  platform::SuspendedDrawing suspended(grid_);
  const int lastRow = grid_.Rows() - 1;
  if (lastRow < 1) return;
  grid_.SetWordWrap(true);
  grid_.FitRowHeights(
      [this](int row) { return BoardRowHeight(grid_.TextView(row, kProcedureColumn).size()); });
  grid_.SetRow(lastRow);
  pages_->Cut();
}

}  // namespace board
