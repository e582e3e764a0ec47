#include "board/ConfirmedList.h"

#include <QScrollBar>

#include "platform/Connection.h"
#include "platform/widgets/FlexGrid.h"
#include "session/Statements.h"

namespace board {
namespace {

constexpr int kProcedureColumn = 5;
// Every shown column but the circulating nurse's (7), which each operation shows on its own.
constexpr int kMergedColumns[] = {0, 1, 2, 3, 4, 5, 6, 8, 9};
// Twips by grid column; 0 hides the room code, the status, the transaction number and any
// column the procedure adds after them.
constexpr int kColumnWidths[] = {1300, 2300, 3300, 2600, 0, 3100, 2300, 2000,
                                 1800, 1500, 0,    0,    0, 0,    0};

const QString kLoadHeader = QStringLiteral(
    " |<TIME|<SURGEON|<ANESTHESIOLOGIST|<PATIENT NAME|<ROOMID|<PROCEDURE|<C.NURSE|<S.NURSE|<OR "
    "ROOM|<STATUS|<TRANSNUM");

}  // namespace

ConfirmedList::ConfirmedList(platform::FlexGrid& grid, session::ConnectionProvider connection)
    : grid_(grid), connection_(std::move(connection)) {}

void ConfirmedList::Format_Grid() {
  grid_.SetCols(14);
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
  // The bind returns every row to one height, which pulls the list up; the position is put back
  // once the rows have their heights again.
  const int scrolled = grid_.verticalScrollBar()->value();
  grid_.Bind(*operations);
  Set_RowHeights();
  // Laid out now, so that no delayed layout moves the list once it is put back.
  grid_.doItemsLayout();
  grid_.verticalScrollBar()->setValue(scrolled);
  operations->Close();
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
  for (int row = 1; row <= lastRow; ++row)
    grid_.FitRowHeight(row, BoardRowHeight(grid_.TextView(row, kProcedureColumn).size()));
  grid_.SetRow(lastRow);
}

}  // namespace board
