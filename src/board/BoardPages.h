#pragma once

#include <QObject>
#include <QString>
#include <vector>

namespace platform {
class FlexGrid;
}

namespace board {

// The board's listing in pages, for a wall where nobody scrolls: when the rows do not fit the
// grid's height, they are cut into pages of whole rows and the grid shows one page at a time
// (the other rows take no room, so a merged cell shows its text over its rows on the page).
// The page shown stays through every listing, or is the last one where a shorter listing has
// fewer pages. The rows are cut again when the grid's room for them changes.
class BoardPages : public QObject {
  Q_OBJECT

 public:
  explicit BoardPages(platform::FlexGrid& grid);

  // Cuts the rows into pages as their heights now are, and shows the page.
  void Cut();
  // Shows the next page; after the last, the first.
  void Turn();

  int Page() const { return page_ + 1; }  // 1-based
  int Count() const { return int(firstRows_.size()); }
  // "Page 1 of 3"; empty while every row fits.
  QString Caption() const;

 signals:
  void Shown();  // a page was shown, or the pages changed

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPage();

  platform::FlexGrid& grid_;
  std::vector<int> firstRows_;  // the first data row of each page
  int page_ = 0;                // 0-based
  int room_ = -1;               // the grid's height for rows when they were cut, in pixels
  bool cutWaiting_ = false;     // the room changed and is measured once the change is done
};

// The first data row (1-based) of each page when rows of these heights are cut into pages of
// `room` pixels: whole rows, a row taller than the room alone on its page. None without rows.
std::vector<int> FirstRowsOfPages(const std::vector<int>& rowHeights, int room);

}  // namespace board
