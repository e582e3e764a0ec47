#pragma once

#include <QtGlobal>

#include "session/ConnectionProvider.h"

namespace platform {
class FlexGrid;
}

namespace board {

class BoardPages;

// How long the board waits for its listing or the server's clock. A hung server would
// otherwise freeze the board, Esc included, for the program's whole statement timeout before
// the board could say that the database does not answer.
constexpr int kBoardReadTimeoutSeconds = 5;

// The board's listing in its grid: the confirmed operations that the database returns, one
// row each, in large type, equal neighbours merged and each row as tall as its procedure's length
// asks, or taller where a wrapped text needs more; in pages when they do not fit.
// The board relies on the result's column order: 0 Time, 1 Surgeon, 2 Anesthesiologist,
// 3 Patientname, 4 Room, 5 Procedurename, 6 AsstDoctor, 7 CNurse, 8 SNurse, 9 ORRoom,
// 10 Status, 11 Transnum. After the time it shows each operation's expected end ("Until"), where
// its duration is known, from the durations of the server's day joined by transaction number.
class ConfirmedList {
 public:
  ConfirmedList(platform::FlexGrid& grid, session::ConnectionProvider connection);

  // The grid before the first listing: its shape, free merging, the load-time header and the
  // widths by position, which stay in force through every listing.
  void Format_Grid();
  // Lists the confirmed operations and fits the row heights, on the same page. Throws on a
  // database failure; the grid then keeps what it showed.
  void Check_Schedule();
  // Each record row as tall as the length of its procedure asks, or as its tallest wrapped text
  // needs; the last record row is left current. The rows are cut into pages again.
  void Set_RowHeights();

  BoardPages& Pages() { return *pages_; }

 private:
  platform::FlexGrid& grid_;
  session::ConnectionProvider connection_;
  BoardPages* pages_;  // owned by the grid
};

// The height, in twips, of a board row whose procedure has this many characters.
int BoardRowHeight(qsizetype procedureCharacters);

}  // namespace board
