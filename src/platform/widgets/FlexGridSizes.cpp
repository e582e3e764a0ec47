// The grid's sizes: column widths (set, or widened to their texts), row heights (set, or fitted
// to the wrapped texts of a row), the scale they show at, and the rows shown.
#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>

#include "platform/Errors.h"
#include "platform/Twips.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/FlexGridHeader.h"
#include "platform/widgets/FlexGridModel.h"
#include "platform/widgets/FlexGridPainter.h"

namespace platform {

namespace {

// Widths of texts on one line, summed from the advances of their characters, each measured once:
// laying out each text of a 32k-row list would take longer than its load. Shaping a whole text
// seldom widens it (kerning narrows it).
class TextWidths {
 public:
  explicit TextWidths(const QFontMetricsF& metrics) : metrics_(metrics) { ascii_.fill(-1); }

  qreal operator()(QStringView text) {
    qreal width = 0;
    for (const QChar c : text) {
      if (c.unicode() >= ascii_.size()) {
        width += metrics_.horizontalAdvance(c);
        continue;
      }
      qreal& advance = ascii_[c.unicode()];
      if (advance < 0) advance = metrics_.horizontalAdvance(c);
      width += advance;
    }
    return width;
  }

 private:
  const QFontMetricsF metrics_;
  std::array<qreal, 128> ascii_;
};

// Widths for columns that need these widths, in `room` pixels: what they need where it fits,
// the spare to the last; otherwise each that needs less than an equal share of what the others
// leave gets what it needs, and the rest share the remainder equally.
std::vector<int> ShareWidth(const std::vector<int>& needs, int room) {
  std::vector<int> widths = needs;
  const int total = std::accumulate(needs.begin(), needs.end(), 0);
  if (total <= room) {
    widths.back() += room - total;
    return widths;
  }
  std::vector<std::size_t> order(needs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&needs](std::size_t a, std::size_t b) { return needs[a] < needs[b]; });
  int left = std::max(room, 0);
  for (std::size_t k = 0; k < order.size(); ++k) {
    const int sharing = int(order.size() - k);
    if (needs[order[k]] * sharing <= left) {
      left -= needs[order[k]];
      continue;
    }
    for (std::size_t m = k; m < order.size(); ++m)
      widths[order[m]] = left / sharing + (int(m - k) < left % sharing ? 1 : 0);
    break;
  }
  return widths;
}

}  // namespace

int FlexGrid::ColWidth(int col) const {
  if (col < 0 || col > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Col value: %1").arg(col));
  const bool set = std::size_t(col) < colWidths_.size() && colWidths_[col] >= 0;
  return set ? colWidths_[col] : kDefaultColWidth;
}

void FlexGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Col value: %1").arg(col));
  if (twips < -1) throw RuntimeError(QStringLiteral("Invalid ColWidth value: %1").arg(twips));
  if (std::size_t(col) >= colWidths_.size()) colWidths_.resize(col + 1, -1);
  colWidths_[col] = twips;
  if (col >= Cols()) return;
  const bool wasHidden = isColumnHidden(col);
  applyColWidth(col);
  // Hidden columns carry no merged cells; one that shows again needs its own.
  if (wasHidden != isColumnHidden(col) && MergeCol(col)) refreshSpans();
}

int FlexGrid::RowHeight(int row) const {
  checkRow(row, 0);
  if (row > 0) return rowHeights_[row - 1];
  return headerHeight_ >= 0 ? headerHeight_
                            : PixelsToTwips(header_->sizeHint().height() - header_->NoteHeight());
}

void FlexGrid::SetRowHeight(int row, int twips) {
  checkRow(row, 0);
  if (twips < -1) throw RuntimeError(QStringLiteral("Invalid RowHeight value: %1").arg(twips));
  if (row == 0) {
    setHeaderHeight(twips);
    return;
  }
  if (twips == -1) twips = kDefaultRowHeight;
  rowHeights_[row - 1] = twips;
  const int pixels = toPixels(twips);
  if (rowHeight(row - 1) == pixels) return;
  // Told of each row, the view does work per row that grows with the length of the list, and
  // repaints once more after the repaint that resuming drawing makes. It is told once instead.
  QHeaderView* rows = quietRowHeader();
  const QSignalBlocker quiet(rows);
  rows->resizeSection(row - 1, pixels);
  if (std::exchange(rowsResizedQuietly_, true) || !redraw_) return;
  QMetaObject::invokeMethod(this, &FlexGrid::relayoutResizedRows, Qt::QueuedConnection);
}

// The hidden row header never paints. With its updates on, every row resize makes it recompute
// the positions of all rows (32k resizes of a 32k-row list: half a second). Showing the grid
// turns them on again, so they are turned off before each resize.
QHeaderView* FlexGrid::quietRowHeader() {
  QHeaderView* rows = verticalHeader();
  if (rows->updatesEnabled()) rows->setUpdatesEnabled(false);
  return rows;
}

void FlexGrid::relayoutResizedRows() {
  if (!redraw_ || !std::exchange(rowsResizedQuietly_, false)) return;
  updateGeometries();
  viewport()->update();
  layOutNow();
}

void FlexGrid::applyColWidths() {
  for (int col = 0; col < Cols(); ++col)
    applyColWidth(col);
  if (colsFitWidth_) fitColsToWidth();
}

void FlexGrid::SetColsFitWidth(bool on) {
  colsFitWidth_ = on;
  applyColWidths();
}

void FlexGrid::fitColsToWidth() {
  std::vector<int> cols, needs;
  int room = viewport()->width();
  for (int col = 0; col < Cols(); ++col) {
    if (isColumnHidden(col)) continue;
    if (col < FixedCols()) {
      room -= columnWidth(col);
      continue;
    }
    cols.push_back(col);
    needs.push_back(widestTextPixels(col));
  }
  if (cols.empty()) return;
  const std::vector<int> widths = ShareWidth(needs, room);
  for (std::size_t i = 0; i < cols.size(); ++i)
    horizontalHeader()->resizeSection(cols[i], widths[i]);
}

void FlexGrid::applyColWidth(int col) {
  const int twips = ColWidth(col);
  horizontalHeader()->setSectionHidden(col, twips == 0);
  if (twips <= 0) return;
  int pixels = toPixels(twips);
  if (std::size_t(col) < widensToText_.size() && widensToText_[col])
    pixels = std::max(pixels, widestTextPixels(col));
  horizontalHeader()->resizeSection(col, pixels);
}

int FlexGrid::widestTextPixels(int col) const {
  TextWidths widths(QFontMetricsF(font(), viewport()));
  qreal widest = 0;
  for (int row = 0; row < model_->dataRows(); ++row)
    widest = std::max(widest, widths(model_->text(row, col)));
  return std::max(cellPixels(widest), header_->SectionSize(col).width());
}

// The width of a cell that shows a text this wide: its margins and the line beside it.
int FlexGrid::cellPixels(qreal textWidth) const {
  return int(std::ceil(textWidth)) + 2 * FlexGridPainter::textMargin() + (showGrid() ? 1 : 0);
}

int FlexGrid::toPixels(int twips) const {
  return int(std::lround(twips * scale_ / kTwipsPerPixel));
}

void FlexGrid::SetScale(qreal scale) {
  if (scale <= 0) throw RuntimeError(QStringLiteral("Invalid Scale value: %1").arg(scale));
  if (scale == scale_) return;
  scale_ = scale;
  horizontalHeader()->setDefaultSectionSize(toPixels(kDefaultColWidth));
  QHeaderView* rows = quietRowHeader();
  {
    const QSignalBlocker quiet(rows);
    rows->setDefaultSectionSize(toPixels(kDefaultRowHeight));
    for (std::size_t row = 0; row < rowHeights_.size(); ++row)
      rows->resizeSection(int(row), toPixels(rowHeights_[row]));
  }
  applyColWidths();
  if (headerHeight_ >= 0) setHeaderHeight(headerHeight_);
  updateGeometries();
  viewport()->update();
}

void FlexGrid::SetColWidensToText(int col, bool widens) {
  if (col < 0 || col > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Col value: %1").arg(col));
  if (std::size_t(col) >= widensToText_.size()) widensToText_.resize(col + 1, false);
  widensToText_[col] = widens;
  if (col < Cols()) applyColWidth(col);
}

void FlexGrid::FitRowHeights(const std::function<int(int row)>& minTwips) {
  const int grid = showGrid() ? 1 : 0;
  const QFontMetricsF metrics(font(), viewport());
  TextWidths widths(metrics);
  const int oneLine = int(std::ceil(metrics.height())) + grid;
  struct Shown {
    int col;
    int width;  // for the text, within the cell's margins
  };
  std::vector<Shown> shown;
  for (int col = 0; col < Cols(); ++col)
    if (!isColumnHidden(col))
      shown.push_back({col, columnWidth(col) - grid - 2 * FlexGridPainter::textMargin()});
  for (int row = 1; row < Rows(); ++row) {
    const int asked = minTwips(row);
    const int least = toPixels(asked);
    int needed = least;
    for (const Shown& cell : shown) {
      const QStringView text = model_->text(row - 1, cell.col);
      if (text.isEmpty()) continue;
      // Most texts fit on one line: only the others are laid out.
      if (widths(text) <= cell.width) {
        needed = std::max(needed, oneLine);
        continue;
      }
      const QSizeF size = painter_->textSize(text, cell.width, model_->alignment(cell.col), font(),
                                             viewport(), wordWrap());
      needed = std::max(needed, int(std::ceil(size.height())) + grid);
    }
    SetRowHeight(row, needed == least ? asked : int(std::ceil(needed * kTwipsPerPixel / scale_)));
  }
}

int FlexGrid::RowPixels(int row) const {
  checkRow(row, 1);
  return toPixels(rowHeights_[row - 1]);
}

void FlexGrid::ShowRows(int first, int last) {
  checkRow(first, 1);
  checkRow(last, first);
  QHeaderView* rows = quietRowHeader();
  {
    const QSignalBlocker quiet(rows);  // the view is told once, as SetRowHeight tells it
    for (int row = 1; row < Rows(); ++row) {
      const bool hide = row < first || row > last;
      if (rows->isSectionHidden(row - 1) == hide) continue;
      rows->setSectionHidden(row - 1, hide);
      // A hidden row keeps the height it had when hidden: shown, it takes the one last set.
      if (!hide) rows->resizeSection(row - 1, RowPixels(row));
      rowsResizedQuietly_ = true;
      rowsHidden_ = rowsHidden_ || hide;
    }
  }
  relayoutResizedRows();
}

bool FlexGrid::CellTextCut(int row, int col) const {
  checkRow(row, 1);
  checkCol(col);
  const QStringView text = model_->text(row - 1, col);
  const QRect cell = visualRect(model_->index(row - 1, col));
  if (text.isEmpty() || cell.isEmpty()) return false;
  const int margin = FlexGridPainter::textMargin();
  const QRect area = cell.adjusted(margin, 0, -margin, 0);
  const QSizeF size = painter_->textSize(text, area.width(), model_->alignment(col), font(),
                                         viewport(), wordWrap());
  return size.width() > area.width() || size.height() > area.height();
}

void FlexGrid::resetRowHeights() {
  rowHeights_.assign(model_->dataRows(), kDefaultRowHeight);
  // Sets every row that differs back to the default in one pass, quietly (see SetRowHeight).
  QHeaderView* rows = quietRowHeader();
  const QSignalBlocker quiet(rows);
  // The header keeps hidden sections through a reset of the same length.
  if (std::exchange(rowsHidden_, false))
    for (int row = 0; row < rows->count(); ++row)
      rows->setSectionHidden(row, false);
  rows->setDefaultSectionSize(toPixels(kDefaultRowHeight));
  updateGeometries();
}

}  // namespace platform
