#include "platform/widgets/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include <QProxyStyle>
#include "platform/CellTexts.h"
#include "platform/Errors.h"
#include "platform/RecordTable.h"
#include "platform/Twips.h"
#include "platform/widgets/FlexGridHeader.h"
#include "platform/widgets/FlexGridModel.h"
#include "platform/widgets/FlexGridPainter.h"
#include "platform/widgets/Keys.h"

namespace platform {

// Styles take the colour of the lines between cells from different palette roles (Fusion darkens
// the window colour), so a grid's own style answers it.
class FlexGrid::GridLineStyle : public QProxyStyle {
 public:
  explicit GridLineStyle(QObject* owner) { setParent(owner); }
  QColor color;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_Table_GridLineColor) return int(color.rgba());
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Holds the view's layout of its headers and scroll bars while the grid takes in a new shape (a
// model reset, then widths, heights and merged cells applied again): laid out after each step,
// the header measured the texts of columns about to be hidden, every time. afterReset lays it
// out once; the hold only makes sure that a failure on the way leaves nothing held.
class FlexGrid::GeometryHold {
 public:
  explicit GeometryHold(FlexGrid& grid) : grid_(grid) { grid_.geometriesHeld_ = true; }
  ~GeometryHold() { grid_.geometriesHeld_ = false; }
  GeometryHold(const GeometryHold&) = delete;
  GeometryHold& operator=(const GeometryHold&) = delete;

 private:
  FlexGrid& grid_;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent),
      model_(new FlexGridModel(this)),
      header_(new FlexGridHeader(this)),
      painter_(new FlexGridPainter(*model_, this)) {
  setHorizontalHeader(header_);
  setModel(model_);
  setItemDelegate(painter_);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  setTabKeyNavigation(false);  // Tab moves between controls, never between cells
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);  // cells clip their text, as a fixed-layout grid does
  // The frame, the viewport, the header and the scroll bars cover every pixel of the grid, so
  // what lies beneath need not be painted first. Otherwise each repaint of the whole grid (its
  // enabling after a load, say) repainted the frame around it beneath, a scaled pixmap in the
  // Fusion style, at a cost near that of the grid's own cells.
  setAttribute(Qt::WA_OpaquePaintEvent);

  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(0);
  rows->setDefaultSectionSize(toPixels(kDefaultRowHeight));

  QHeaderView* header = horizontalHeader();
  header->setMinimumSectionSize(0);
  header->setDefaultSectionSize(TwipsToPixels(kDefaultColWidth));
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  // Mouse events on the header row reach the header's viewport, not the header widget.
  header->viewport()->installEventFilter(this);
  connect(header_, &FlexGridHeader::NoteHeightChanged, this,
          [this] { setHeaderHeight(headerHeight_); });

  model_->setDataRows(1);
  model_->setCols(2);
  model_->setFixedCols(1);
  applyFixedColors();
  afterReset();
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::Clear() {
  model_->clear();
  refreshSpans();
}

int FlexGrid::Rows() const {
  return model_->dataRows() + 1;
}

void FlexGrid::SetRows(int rows) {
  if (rows < 1 || rows > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Rows value: %1").arg(rows));
  const GeometryHold hold(*this);
  model_->setDataRows(rows - 1);
  afterReset();
}

int FlexGrid::Cols() const {
  return model_->cols();
}

void FlexGrid::SetCols(int cols) {
  if (cols < 0 || cols > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Cols value: %1").arg(cols));
  model_->setCols(cols);
  applyColWidths();
  refreshSpans();
}

int FlexGrid::FixedCols() const {
  return model_->fixedCols();
}

void FlexGrid::SetFixedCols(int cols) {
  if (cols < 0 || cols > Cols())
    throw RuntimeError(QStringLiteral("Invalid FixedCols value: %1").arg(cols));
  model_->setFixedCols(cols);
}

QString FlexGrid::TextMatrix(int row, int col) const {
  checkRow(row, 0);
  checkCol(col);
  return row == 0 ? model_->headerText(col) : model_->text(row - 1, col).toString();
}

QStringView FlexGrid::TextView(int row, int col) const {
  checkRow(row, 1);
  checkCol(col);
  return model_->text(row - 1, col);
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  checkRow(row, 0);
  checkCol(col);
  if (row == 0) {
    model_->setHeaderText(col, text);
    return;
  }
  model_->setText(row - 1, col, text);
  if (mergeMode_ != MergeMode::Never && MergeCol(col)) refreshSpans();
  // One text measured, not the column: a column filled cell by cell is not measured over again.
  if (std::size_t(col) < widensToText_.size() && widensToText_[col] && !isColumnHidden(col)) {
    const QSizeF size =
        painter_->textSize(text, 0, model_->alignment(col), font(), viewport(), false);
    if (cellPixels(size.width()) > columnWidth(col))
      horizontalHeader()->resizeSection(col, cellPixels(size.width()));
  }
}

void FlexGrid::SetFormatString(const QString& format) {
  const QStringList parts = format.split(u'|');
  SetCols(int(parts.size()));
  for (int col = 0; col < parts.size(); ++col) {
    QString text = parts[col];
    Qt::Alignment horizontal = Qt::AlignLeft;
    const QChar mark = text.isEmpty() ? QChar() : text.front();
    if (mark == u'<' || mark == u'^' || mark == u'>') {
      horizontal = mark == u'<' ? Qt::AlignLeft : mark == u'^' ? Qt::AlignHCenter : Qt::AlignRight;
      text.remove(0, 1);
    }
    model_->setAlignment(col, horizontal | Qt::AlignVCenter);
    model_->setHeaderText(col, text);
  }
}

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

// The view lays a changed listing out late: its items on a zero timer, and the scroll bars that
// the listing's new size shows or hides through a queued call. Each of those that came after
// the paint the change had asked for repainted the whole grid once more; laid out now, their
// repaints join that one.
void FlexGrid::layOutNow() {
  if (!isVisible() || !redraw_) return;
  executeDelayedItemsLayout();
  // Setting a scroll bar policy lays the scroll bars out at once, even when it is unchanged.
  setVerticalScrollBarPolicy(verticalScrollBarPolicy());
  setHorizontalScrollBarPolicy(horizontalScrollBarPolicy());
}

void FlexGrid::setHeaderHeight(int twips) {
  headerHeight_ = twips;
  if (twips < 0) {
    horizontalHeader()->setMinimumHeight(0);
    horizontalHeader()->setMaximumHeight(QWIDGETSIZE_MAX);
  } else {
    horizontalHeader()->setFixedHeight(toPixels(twips) + header_->NoteHeight());
  }
  updateGeometries();
}

bool FlexGrid::WordWrap() const {
  return wordWrap();
}

void FlexGrid::SetWordWrap(bool on) {
  setWordWrap(on);
}

void FlexGrid::SetMergeCells(MergeMode mode) {
  if (mode == mergeMode_) return;
  mergeMode_ = mode;
  refreshSpans();
}

bool FlexGrid::MergeCol(int col) const {
  return std::size_t(col) < mergeCols_.size() && mergeCols_[col];
}

void FlexGrid::SetMergeCol(int col, bool merge) {
  if (col < 0 || col > kMaxRows)
    throw RuntimeError(QStringLiteral("Invalid Col value: %1").arg(col));
  if (MergeCol(col) == merge) return;
  if (std::size_t(col) >= mergeCols_.size()) mergeCols_.resize(col + 1, false);
  mergeCols_[col] = merge;
  refreshSpans();
}

void FlexGrid::SetBackColor(const QColor& color) {
  setPaletteColor(QPalette::Base, color);
}

void FlexGrid::SetForeColor(const QColor& color) {
  setPaletteColor(QPalette::Text, color);
}

void FlexGrid::SetBackColorFixed(const QColor& color) {
  setPaletteColor(QPalette::Button, color);
}

void FlexGrid::SetForeColorFixed(const QColor& color) {
  setPaletteColor(QPalette::ButtonText, color);
}

void FlexGrid::SetBackColorSel(const QColor& color) {
  setPaletteColor(QPalette::Highlight, color);
}

void FlexGrid::SetForeColorSel(const QColor& color) {
  setPaletteColor(QPalette::HighlightedText, color);
}

void FlexGrid::SetGridColor(const QColor& color) {
  if (!gridStyle_) {
    gridStyle_ = new GridLineStyle(this);
    setStyle(gridStyle_);
  }
  gridStyle_->color = color;
  viewport()->update();
}

void FlexGrid::SetHeaderNote(QWidget* note) {
  header_->SetNote(note);
}

void FlexGrid::SetFontFixed(const QFont& font) {
  horizontalHeader()->setFont(font);
  updateGeometries();  // the header row's height follows its font until it is set
  applyColWidths();
}

void FlexGrid::SetHighLight(bool on) {
  painter_->setShowsSelection(on);
  viewport()->update();
}

// In every colour group, so that a grid without focus or disabled keeps the design's colours.
void FlexGrid::setPaletteColor(QPalette::ColorRole role, const QColor& color) {
  QPalette colors = palette();
  colors.setColor(role, color);
  setPalette(colors);
}

void FlexGrid::SetRowMarks(std::function<bool(int row)> marked,
                           std::function<QString(int row)> text) {
  model_->setRowMarks([marked = std::move(marked)](int row) { return marked(row + 1); },
                      [text = std::move(text)](int row) { return text(row + 1); });
}

bool FlexGrid::RowMarked(int row) const {
  checkRow(row, 1);
  return model_->rowMarked(row - 1);
}

QString FlexGrid::RowMarkText(int row) const {
  checkRow(row, 1);
  return model_->rowMarkText(row - 1);
}

void FlexGrid::SetRowColors(int row, const QColor& fore, const QColor& back) {
  checkRow(row, 1);
  model_->setRowColors(row - 1, fore, back);
}

QColor FlexGrid::CellForeColor(int row, int col) const {
  checkRow(row, 0);
  checkCol(col);
  if (row == 0 || col < FixedCols()) return palette().color(QPalette::ButtonText);
  const FlexGridModel::ColorPair* pair = model_->rowColors(row - 1);
  return pair ? pair->fore : palette().color(QPalette::Text);
}

QColor FlexGrid::CellBackColor(int row, int col) const {
  checkRow(row, 0);
  checkCol(col);
  if (row == 0 || col < FixedCols()) return palette().color(QPalette::Button);
  const FlexGridModel::ColorPair* pair = model_->rowColors(row - 1);
  return pair ? pair->back : palette().color(QPalette::Base);
}

void FlexGrid::Bind(Recordset& records) {
  // The listing is read into a table of its own that the model then takes over, so that a
  // failure while reading (or too many records) leaves the previous listing in place. A list is
  // mostly reloaded with about as many records as before: room for that many is reserved.
  RecordTable table = ReadRecords(records, FixedCols(), {Cols(), Rows(), model_->textSize()});
  Show(std::move(table.headers), std::make_shared<const CellTexts>(std::move(table.cells)));
}

void FlexGrid::Show(QStringList headers, std::shared_ptr<const CellTexts> cells) {
  if (cells->rows() >= kMaxRows)
    throw TooManyRowsError(QStringLiteral("Invalid Rows value: %1").arg(cells->rows() + 1));
  const GeometryHold hold(*this);
  model_->replace(std::move(headers), std::move(cells));
  afterReset();
}

int FlexGrid::Row() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void FlexGrid::SetRow(int row) {
  if (row == 0) {
    selectionModel()->clear();
    return;
  }
  checkRow(row, 1);
  const int col = Col() < Cols() ? Col() : 0;
  const bool scrollsToCurrent = hasAutoScroll();
  setAutoScroll(false);
  setCurrentIndex(model_->index(row - 1, col));
  setAutoScroll(scrollsToCurrent);
}

int FlexGrid::Col() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() : FixedCols();
}

bool FlexGrid::Redraw() const {
  return redraw_;
}

void FlexGrid::SetRedraw(bool on) {
  redraw_ = on;
  model_->holdColorChanges(!on);
  setUpdatesEnabled(on);  // enabling again schedules one repaint of the whole grid
  relayoutResizedRows();
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event) {
  const bool mouseUpOrDouble =
      event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
  if (watched == horizontalHeader()->viewport() && mouseUpOrDouble && isEnabled() &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (event->type() == QEvent::MouseButtonRelease) {
      emitClickUnlessDoubleClick();
    } else {
      releaseEndsDoubleClick_ = true;
      emit DblClick();
    }
  }
  return QTableView::eventFilter(watched, event);
}

namespace {

bool MovesThroughRows(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

}  // namespace

void FlexGrid::keyPressEvent(QKeyEvent* event) {
  if (IsEnter(*event)) {
    event->accept();
    if (!IsRepeatedEnter(*event)) emit DblClick();
    return;
  }
  const int before = Row();
  QTableView::keyPressEvent(event);
  // Also a key that leaves the row where it was (Up on the first row) picks it, as a click on
  // it would; so does a typed letter that jumps to a row.
  if (isEnabled() && Row() > 0 && (Row() != before || MovesThroughRows(*event))) emit Click();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  if (!isEnabled() || event->button() != Qt::LeftButton) return;
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at.row() != currentIndex().row()) setCurrentIndex(at);
  emitClickUnlessDoubleClick();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (!isEnabled() || event->button() != Qt::LeftButton) return;
  releaseEndsDoubleClick_ = true;
  emit DblClick();
}

void FlexGrid::emitClickUnlessDoubleClick() {
  // The release that ends a double click is not a click of its own.
  if (std::exchange(releaseEndsDoubleClick_, false)) return;
  emit Click();
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  // Focus alone can make a row current without selecting it; the current row is always shown.
  if (current.isValid() && !selectionModel()->isRowSelected(current.row(), {}))
    selectionModel()->select(current,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FlexGrid::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) applyFixedColors();
  if (event->type() == QEvent::FontChange) applyColWidths();
}

bool FlexGrid::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex at = indexAt(help->pos());
    if (at.isValid() && at.column() >= FixedCols() && CellTextCut(at.row() + 1, at.column())) {
      QToolTip::showText(help->globalPos(), model_->text(at.row(), at.column()).toString(),
                         viewport(), visualRect(at));
      return true;
    }
  }
  return QTableView::viewportEvent(event);
}

void FlexGrid::checkRow(int row, int first) const {
  if (row < first || row >= Rows())
    throw RuntimeError(QStringLiteral("Invalid Row value: %1").arg(row));
}

void FlexGrid::checkCol(int col) const {
  if (col < 0 || col >= Cols())
    throw RuntimeError(QStringLiteral("Invalid Col value: %1").arg(col));
}

// After the model was reset: the header kept its sections by position, so widths are applied
// again and every row returns to the default height.
void FlexGrid::afterReset() {
  applyColWidths();
  resetRowHeights();
  refreshSpans();
  geometriesHeld_ = false;
  if (std::exchange(geometriesPending_, false)) updateGeometries();
  layOutNow();
}

void FlexGrid::updateGeometries() {
  if (geometriesHeld_) {
    geometriesPending_ = true;
    return;
  }
  QTableView::updateGeometries();
}

void FlexGrid::applyColWidths() {
  for (int col = 0; col < Cols(); ++col)
    applyColWidth(col);
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

// Summed from the advances of single characters, which shaping the whole text seldom widens
// (kerning narrows it): laying out each text of a 32k-row list would take longer than its load.
int FlexGrid::widestTextPixels(int col) const {
  const QFontMetricsF metrics(font(), viewport());
  std::array<qreal, 128> ascii;
  ascii.fill(-1);
  qreal widest = 0;
  for (int row = 0; row < model_->dataRows(); ++row) {
    qreal width = 0;
    for (const QChar c : model_->text(row, col)) {
      if (c.unicode() >= ascii.size()) {
        width += metrics.horizontalAdvance(c);
        continue;
      }
      qreal& advance = ascii[c.unicode()];
      if (advance < 0) advance = metrics.horizontalAdvance(c);
      width += advance;
    }
    widest = std::max(widest, width);
  }
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

void FlexGrid::FitRowHeight(int row, int minTwips) {
  checkRow(row, 1);
  const int grid = showGrid() ? 1 : 0;
  const int least = toPixels(minTwips);
  int needed = least;
  for (int col = 0; col < Cols(); ++col) {
    const QStringView text = model_->text(row - 1, col);
    if (isColumnHidden(col) || text.isEmpty()) continue;
    const int width = columnWidth(col) - grid - 2 * FlexGridPainter::textMargin();
    const QSizeF size =
        painter_->textSize(text, width, model_->alignment(col), font(), viewport(), wordWrap());
    needed = std::max(needed, int(std::ceil(size.height())) + grid);
  }
  SetRowHeight(row, needed == least ? minTwips : int(std::ceil(needed * kTwipsPerPixel / scale_)));
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
  rows->setDefaultSectionSize(toPixels(kDefaultRowHeight));
  updateGeometries();
}

// Spans survive a model reset wrongly, so they are cleared and worked out again from the cells
// after every change of them. Spans are cheap to set and the view paints only those it shows.
void FlexGrid::refreshSpans() {
  clearSpans();
  if (mergeMode_ == MergeMode::Never) return;
  for (int col = 0; col < Cols(); ++col)
    if (MergeCol(col) && !isColumnHidden(col)) spanEqualTexts(col);
}

// One span over each run of two or more equal texts, top to bottom.
void FlexGrid::spanEqualTexts(int col) {
  const int rows = model_->dataRows();
  int first = 0;
  for (int row = 1; row <= rows; ++row) {
    if (row < rows && model_->text(row, col) == model_->text(first, col)) continue;
    if (row - first > 1) setSpan(first, col, row - first, 1);
    first = row;
  }
}

void FlexGrid::applyFixedColors() {
  model_->setFixedColors(palette().color(QPalette::ButtonText), palette().color(QPalette::Button));
}

}  // namespace platform
