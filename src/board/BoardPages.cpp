#include "board/BoardPages.h"

#include <QEvent>
#include <algorithm>

#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"

namespace board {

std::vector<int> FirstRowsOfPages(const std::vector<int>& rowHeights, int room) {
  std::vector<int> firstRows;
  int used = 0;
  for (int row = 1; row <= int(rowHeights.size()); ++row) {
    const int height = rowHeights[row - 1];
    if (firstRows.empty() || (used > 0 && used + height > room)) {
      firstRows.push_back(row);
      used = 0;
    }
    used += height;
  }
  return firstRows;
}

BoardPages::BoardPages(platform::FlexGrid& grid) : QObject(&grid), grid_(grid) {
  grid_.viewport()->installEventFilter(this);
}

void BoardPages::Cut() {
  std::vector<int> heights;
  heights.reserve(grid_.Rows() - 1);
  for (int row = 1; row < grid_.Rows(); ++row)
    heights.push_back(grid_.RowPixels(row));
  room_ = grid_.viewport()->height();
  firstRows_ = FirstRowsOfPages(heights, room_);
  page_ = std::clamp(page_, 0, std::max(Count() - 1, 0));
  ShowPage();
}

void BoardPages::Turn() {
  if (Count() < 2) return;
  page_ = (page_ + 1) % Count();
  ShowPage();
}

QString BoardPages::Caption() const {
  if (Count() < 2) return QString();
  return QStringLiteral("Page %1 of %2").arg(Page()).arg(Count());
}

void BoardPages::ShowPage() {
  if (Count() > 0) {
    const int last = page_ + 1 < Count() ? firstRows_[page_ + 1] - 1 : grid_.Rows() - 1;
    grid_.ShowRows(firstRows_[page_], last);
  }
  emit Shown();
}

// The room for rows changes with the window and with the line the header shows while the board
// is not current. It is measured once the change is done: a listing under way shows every row
// for a moment, and a page cut then would lose the page shown.
bool BoardPages::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && !cutWaiting_) {
    cutWaiting_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          cutWaiting_ = false;
          if (grid_.viewport()->height() == room_) return;
          platform::Guarded([this] { Cut(); },
                            [](const std::exception& error) {
                              qWarning("Board: cutting the pages failed: %s", error.what());
                            });
        },
        Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace board
