#include "board/ConfirmedList.h"

#include "board/BoardPages.h"
#include "platform/Connection.h"
#include "platform/RecordTable.h"
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
    : grid_(grid), connection_(std::move(connection)), pages_(new BoardPages(grid)) {}

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
  platform::RecordTable listing = platform::ReadRecords(*operations, grid_.FixedCols());
  operations->Close();
  // The operations as the wall shows them already: nothing is laid out or painted again.
  if (grid_.Shows(listing.headers, listing.cells)) return;
  grid_.Show(std::move(listing.headers),
             std::make_shared<const platform::CellTexts>(std::move(listing.cells)));
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
