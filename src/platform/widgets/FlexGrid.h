#pragma once

#include <QColor>
#include <QFont>
#include <QTableView>
#include <functional>
#include <memory>
#include <vector>

#include "platform/RecordTable.h"

namespace platform {

class CellTexts;
class Recordset;
class FlexGridHeader;
class FlexGridModel;
class FlexGridPainter;

// The one grid of the program (request list, staff list, board): a table counted as the flex
// grid counts it. Row 0 is the header row (the horizontal header), data rows are 1..Rows()-1;
// columns are 0..Cols()-1, of which the first FixedCols() are fixed (a selector column that
// carries no bound data). Sizes are in twips (15 to a pixel). Counters are 16-bit as on the
// original grid: at most 32,767 rows, the header included. A row or column out of range throws
// RuntimeError. Cells are painted from their texts and row colours; the selected row shows in
// the highlight colours.
class FlexGrid : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kMaxRows = kMostRecords + 1;
  static constexpr int kDefaultColWidth = 960;   // twips
  static constexpr int kDefaultRowHeight = 255;  // twips (17 pixels)

  explicit FlexGrid(QWidget* parent = nullptr);
  ~FlexGrid() override;

  // Empties every cell (header included) and its colours; the shape stays.
  void Clear();

  int Rows() const;
  void SetRows(int rows);  // at least 1 (the header row); new rows are empty
  int Cols() const;
  void SetCols(int cols);  // new columns are empty; widths stay by position
  int FixedCols() const;
  void SetFixedCols(int cols);

  QString TextMatrix(int row, int col) const;  // row 0 reads the header
  // The text of a data cell without a copy, for passes over a whole listing; valid until the
  // grid's cells change.
  QStringView TextView(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);

  // Header texts and alignments from a format string: "|" separates columns, a leading
  // "<", "^" or ">" aligns the column (header and cells) left, centre or right. Cols() becomes
  // the number of columns the string names. Alignments stay by position, like widths.
  void SetFormatString(const QString& format);

  // Widths by column position survive SetCols, Clear and Bind. 0 hides the column; -1 restores
  // the default. A width given for a column beyond Cols() is kept for when the column exists.
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  // Row heights return to the default after SetRows shrinks/grows and after Bind. RowHeight
  // reads back the twips last set (drawn rounded to whole pixels); -1 restores the default.
  // Row 0 is the header: until it is set, it is as tall as its font needs.
  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);  // resizes only when the pixel height differs
  // Sets a data row `minTwips` high, or as much higher as the text of a shown cell needs to
  // show whole at its column's width (wrapped when WordWrap is on).
  void FitRowHeight(int row, int minTwips);

  // Twips show at this scale (1 by default), for a window whose type grows and shrinks with its
  // screen: widths and heights read back in twips as they were set.
  qreal Scale() const { return scale_; }
  void SetScale(qreal scale);

  // A column marked so widens to its header and its widest text where they need more than its
  // width (values the design sized for another font); ColWidth still reads the width set. Marks
  // stay by position, like widths.
  void SetColWidensToText(int col, bool widens);

  // Whether a data cell shows less than its whole text: wider than its cell on one line, or,
  // wrapped, taller. Resting the mouse on such a cell shows its whole text; assistive
  // technology reads the whole text of every cell.
  bool CellTextCut(int row, int col) const;

  bool WordWrap() const;
  void SetWordWrap(bool on);

  // Merging of cells with equal text (the flex grid's MergeCells). Free: in every column marked
  // with SetMergeCol, vertically adjacent data cells with the same text show as one cell,
  // whatever the columns to their left hold. Never (the default) merges nothing. Marks stay by
  // position through SetCols, Clear and Bind, like widths. The merged cells are worked out from
  // the texts after every change of them (Bind, SetRows, SetCols, Clear, SetTextMatrix in a
  // marked column): one comparison per cell of a marked column that shows. Columns hidden by a
  // zero width are skipped until they show again.
  enum class MergeMode { Never, Free };
  MergeMode MergeCells() const { return mergeMode_; }
  void SetMergeCells(MergeMode mode);
  bool MergeCol(int col) const;
  void SetMergeCol(int col, bool merge);

  // The design-time colours: cells (BackColor, ForeColor), the header row and fixed columns
  // (BackColorFixed, ForeColorFixed), the current row (BackColorSel, ForeColorSel) and the
  // lines between cells (GridColor). Cells take the grid's font, the header row FontFixed.
  void SetBackColor(const QColor& color);
  void SetForeColor(const QColor& color);
  void SetBackColorFixed(const QColor& color);
  void SetForeColorFixed(const QColor& color);
  void SetBackColorSel(const QColor& color);
  void SetForeColorSel(const QColor& color);
  void SetGridColor(const QColor& color);
  void SetFontFixed(const QFont& font);
  // Whether the current row shows in the selection colours (the default) or as its cells do.
  void SetHighLight(bool on);

  // A line under the header row, such as a warning: while `note` is shown, the header makes
  // room for it and the data rows move down rather than being covered; hidden, it takes no
  // room. The grid takes ownership and lays it out across the header's width.
  void SetHeaderNote(QWidget* note);

  // A warning sign beside marked data rows, drawn in the selector column (column 0) when it is
  // wide enough to show it, with `text` (lines) as its tooltip and accessible description.
  // Asked per row when drawn or hovered (rows 1-based); dropped whenever the rows change.
  void SetRowMarks(std::function<bool(int row)> marked, std::function<QString(int row)> text);
  bool RowMarked(int row) const;
  QString RowMarkText(int row) const;

  // Colours of every cell of data row `row` (columns FixedCols() onward); cheap per row.
  void SetRowColors(int row, const QColor& fore, const QColor& back);
  QColor CellForeColor(int row, int col) const;
  QColor CellBackColor(int row, int col) const;

  // Takes every record of the recordset as text (Recordset::Text): the field names become the
  // header from column FixedCols(), one data row per record; Cols() becomes FixedCols() plus the
  // field count and Rows() one more than the record count. The recordset is read to its end.
  // Throws TooManyRowsError when the records do not fit the 16-bit row counter.
  void Bind(Recordset& records);
  // Shows a table read elsewhere, as Bind would after reading it: `headers` names every column
  // (the fixed ones included) and `cells` holds one row per data row. The texts are shared, not
  // copied; a change of a cell through the grid leaves the shared texts as they are.
  void Show(QStringList headers, std::shared_ptr<const CellTexts> cells);

  // The current row (1-based data row; 0 when there is none) and column. The current row is
  // also the one selected row. Bind and SetRows leave no current row; focus makes the first row
  // current when there is none. Setting the row does not scroll it into view (keys and clicks
  // that move it do).
  int Row() const;
  void SetRow(int row);  // 0 clears the current row
  int Col() const;

  // Suspends and resumes drawing; resuming repaints once. Row colours and heights set while
  // drawing is suspended reach the view at once when it resumes.
  bool Redraw() const;
  void SetRedraw(bool on);

 signals:
  // Any click of the left mouse button on the grid while it is enabled, also on the header or
  // below the last row, where QAbstractItemView::clicked does not fire. A click on a data row
  // makes it the current row first. A double click emits Click once (for its first click) and
  // then DblClick. By keyboard, as by the mouse: a key that moves through the rows (the arrows
  // up and down, Page Up and Down, Home, End) emits Click on the row it leaves current, and
  // Enter emits DblClick (an Enter the keyboard repeats, nothing). Tab and Shift+Tab leave the
  // grid for the next and previous control.
  void Click();
  void DblClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void updateGeometries() override;

 private:
  // QTableView's own setters count rows from 0 and sizes in pixels, and change the view behind
  // the grid's record of widths, heights, spans and wrapping, which SetCols, SetRows and Bind
  // would then apply over them. Hidden here so that callers use the grid's API; the grid itself
  // still calls them.
  using QTableView::clearSpans;
  using QTableView::hideColumn;
  using QTableView::hideRow;
  using QTableView::resizeColumnsToContents;
  using QTableView::resizeColumnToContents;
  using QTableView::resizeRowsToContents;
  using QTableView::resizeRowToContents;
  using QTableView::setColumnHidden;
  using QTableView::setColumnWidth;
  using QTableView::setHorizontalHeader;
  using QTableView::setItemDelegate;
  using QTableView::setItemDelegateForColumn;
  using QTableView::setItemDelegateForRow;
  using QTableView::setModel;
  using QTableView::setRowHeight;
  using QTableView::setRowHidden;
  using QTableView::setSpan;
  using QTableView::setVerticalHeader;
  using QTableView::setWordWrap;
  using QTableView::showColumn;
  using QTableView::showRow;

  class GeometryHold;

  void checkRow(int row, int first) const;
  void checkCol(int col) const;
  void afterReset();
  void applyColWidths();
  void applyColWidth(int col);
  int widestTextPixels(int col) const;
  int cellPixels(qreal textWidth) const;
  int toPixels(int twips) const;
  void resetRowHeights();
  void setHeaderHeight(int twips);
  void relayoutResizedRows();
  void layOutNow();
  QHeaderView* quietRowHeader();
  void refreshSpans();
  void spanEqualTexts(int col);
  void setPaletteColor(QPalette::ColorRole role, const QColor& color);
  void applyFixedColors();
  void emitClickUnlessDoubleClick();

  FlexGridModel* model_;
  FlexGridHeader* header_;
  FlexGridPainter* painter_;
  class GridLineStyle;
  GridLineStyle* gridStyle_ = nullptr;  // set by SetGridColor
  std::vector<int> colWidths_;          // twips by column position; -1 for the default
  std::vector<int> rowHeights_;         // twips by data row, as last set
  std::vector<bool> mergeCols_;         // by column position
  std::vector<bool> widensToText_;      // by column position
  qreal scale_ = 1;
  MergeMode mergeMode_ = MergeMode::Never;
  int headerHeight_ = -1;  // twips; -1 while the header sizes itself
  bool redraw_ = true;
  bool rowsResizedQuietly_ = false;
  bool geometriesHeld_ = false;     // while a new shape is taken in
  bool geometriesPending_ = false;  // asked for while held
  bool releaseEndsDoubleClick_ = false;
};

// Suspends a grid's drawing for a pass and resumes it however the pass ends.
class SuspendedDrawing {
 public:
  explicit SuspendedDrawing(FlexGrid& grid) : grid_(grid) { grid_.SetRedraw(false); }
  ~SuspendedDrawing() { grid_.SetRedraw(true); }
  SuspendedDrawing(const SuspendedDrawing&) = delete;
  SuspendedDrawing& operator=(const SuspendedDrawing&) = delete;

 private:
  FlexGrid& grid_;
};

}  // namespace platform
