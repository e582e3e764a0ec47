#include "platform/widgets/FlexGridModel.h"

#include <QThreadPool>
#include <algorithm>
#include <memory>
#include <utility>

namespace platform {

namespace {

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr std::size_t kFreedAtOnce = 20000;  // cells of a replaced listing freed at once

const QList<int>& ColorRoles() {
  static const QList<int> roles = {Qt::ForegroundRole, Qt::BackgroundRole};
  return roles;
}

}  // namespace

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {
  resetColors();
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : dataRows();
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols();
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return text(row, col).toString();
    case Qt::TextAlignmentRole:
      return int(alignment(col));
    case Qt::ForegroundRole:
      if (col < fixedCols_) return fixedFore_;
      if (const ColorPair* pair = rowColors(row)) return pair->foreBrush;
      return {};
    case Qt::BackgroundRole:
      if (col < fixedCols_) return fixedBack_;
      if (const ColorPair* pair = rowColors(row)) return pair->backBrush;
      return {};
    case Qt::ToolTipRole:
      if (col == 0 && rowMarked(row)) return rowMarkText(row);
      return {};
    case Qt::AccessibleDescriptionRole:
      if (col == 0 && rowMarked(row)) return rowMarkText(row).replace(u'\n', QStringLiteral("; "));
      return {};
    default:
      return {};
  }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= cols()) return {};
  if (role == Qt::DisplayRole) return headers_[section];
  if (role == Qt::TextAlignmentRole) return int(alignment(section));
  return {};
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FlexGridModel::setFixedCols(int cols) {
  if (cols == fixedCols_) return;
  fixedCols_ = cols;
  if (dataRows() > 0 && this->cols() > 0)
    emit dataChanged(index(0, 0), index(dataRows() - 1, this->cols() - 1), ColorRoles());
}

void FlexGridModel::setRowMarks(RowMarked marked, RowMarkText text) {
  marked_ = std::move(marked);
  markText_ = std::move(text);
  if (dataRows() > 0 && fixedCols_ > 0) emit dataChanged(index(0, 0), index(dataRows() - 1, 0));
}

void FlexGridModel::setDataRows(int rows) {
  if (rows == dataRows()) return;
  beginResetModel();
  // The marks go with the rows they were made for, and with the listing they may hold.
  marked_ = nullptr;
  markText_ = nullptr;
  ownCells().resize(rows, cols());
  rowColor_.resize(rows, 0);
  endResetModel();
}

void FlexGridModel::setCols(int cols) {
  const int before = this->cols();
  if (cols == before) return;
  const bool inserting = cols > before;
  if (inserting)
    beginInsertColumns({}, before, cols - 1);
  else
    beginRemoveColumns({}, cols, before - 1);
  ownCells().resize(dataRows(), cols);
  headers_.resize(cols);
  fixedCols_ = std::min(fixedCols_, cols);
  if (inserting)
    endInsertColumns();
  else
    endRemoveColumns();
}

void FlexGridModel::clear() {
  marked_ = nullptr;
  markText_ = nullptr;
  ownCells().clearTexts();
  std::fill(headers_.begin(), headers_.end(), QString());
  resetColors();
  if (cols() > 0) emit headerDataChanged(Qt::Horizontal, 0, cols() - 1);
  if (dataRows() > 0 && cols() > 0)
    emit dataChanged(index(0, 0), index(dataRows() - 1, cols() - 1));
}

void FlexGridModel::replace(QStringList headers, std::shared_ptr<const CellTexts> cells) {
  Q_ASSERT(cells && cells->cols() == headers.size());
  beginResetModel();
  marked_ = nullptr;
  markText_ = nullptr;
  // A table without columns has no rows, however many records it was read from.
  if (cells->cols() == 0 && cells->rows() > 0) cells = std::make_shared<CellTexts>();
  fixedCols_ = std::min(fixedCols_, cells->cols());
  headers_ = std::move(headers);
  releaseLater(std::exchange(cells_, std::move(cells)));
  resetColors();
  endResetModel();
}

// The texts this model may change: a copy of its own while they are shared. Shared texts are
// never changed in place, so a reader of the listing they came from sees it as it was read.
CellTexts& FlexGridModel::ownCells() {
  if (cells_.use_count() > 1) cells_ = std::make_shared<CellTexts>(*cells_);
  // Made by make_shared as a non-const object, and no one else holds it now.
  return const_cast<CellTexts&>(*cells_);
}

// A long listing is a few large blocks, but giving them back to the system still takes a
// moment per megabyte (a zero timer ran it in the same turn of the event loop as the new
// listing's first paint), so a worker thread frees it while the new listing shows. Texts that
// others still share are theirs to free.
void FlexGridModel::releaseLater(std::shared_ptr<const CellTexts> cells) {
  if (cells.use_count() > 1) return;
  if (std::size_t(cells->rows()) * cells->cols() <= kFreedAtOnce) return;  // freed here
  // Moved, not copied, into the task: the task's only reference frees the listing there.
  QThreadPool::globalInstance()->start(
      [released = std::move(cells)]() mutable { released.reset(); });
}

void FlexGridModel::setText(int row, int col, const QString& text) {
  ownCells().set(row, col, text);
  const QModelIndex changed = index(row, col);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void FlexGridModel::setHeaderText(int col, const QString& text) {
  headers_[col] = text;
  emit headerDataChanged(Qt::Horizontal, col, col);
}

Qt::Alignment FlexGridModel::alignment(int col) const {
  return std::size_t(col) < alignments_.size() ? alignments_[col] : kDefaultAlignment;
}

void FlexGridModel::setAlignment(int col, Qt::Alignment alignment) {
  if (std::size_t(col) >= alignments_.size()) alignments_.resize(col + 1, kDefaultAlignment);
  alignments_[col] = alignment;
  if (col >= cols()) return;
  emit headerDataChanged(Qt::Horizontal, col, col);
  if (dataRows() > 0)
    emit dataChanged(index(0, col), index(dataRows() - 1, col), {Qt::TextAlignmentRole});
}

const FlexGridModel::ColorPair* FlexGridModel::rowColors(int row) const {
  const ColorIndex at = rowColor_[row];
  return at == 0 ? nullptr : &colors_[at];
}

void FlexGridModel::setRowColors(int row, const QColor& fore, const QColor& back) {
  const ColorIndex at = colorIndexFor(fore, back);
  if (rowColor_[row] == at) return;
  rowColor_[row] = at;
  if (holdColorChanges_) {
    colorsChangedWhileHeld_ = true;
    return;
  }
  if (cols() > fixedCols_)
    emit dataChanged(index(row, fixedCols_), index(row, cols() - 1), ColorRoles());
}

void FlexGridModel::holdColorChanges(bool hold) {
  holdColorChanges_ = hold;
  if (hold || !std::exchange(colorsChangedWhileHeld_, false)) return;
  if (dataRows() > 0 && cols() > fixedCols_)
    emit dataChanged(index(0, fixedCols_), index(dataRows() - 1, cols() - 1), ColorRoles());
}

void FlexGridModel::setFixedColors(const QColor& fore, const QColor& back) {
  fixedFore_ = QBrush(fore);
  fixedBack_ = QBrush(back);
  if (dataRows() > 0 && fixedCols_ > 0)
    emit dataChanged(index(0, 0), index(dataRows() - 1, fixedCols_ - 1), ColorRoles());
}

FlexGridModel::ColorIndex FlexGridModel::colorIndexFor(const QColor& fore, const QColor& back) {
  // Lists use a few pairs (one per status), found among the latest ones. A grid coloured with
  // many distinct pairs gets an entry per change instead of a search through all of them;
  // unused entries are dropped when the table is full.
  constexpr std::size_t kSearched = 16;
  const std::size_t stop = colors_.size() > kSearched ? colors_.size() - kSearched : 1;
  for (std::size_t i = colors_.size() - 1; i >= stop; --i)
    if (colors_[i].fore == fore && colors_[i].back == back) return ColorIndex(i);
  if (colors_.size() >= kMaxColorPairs) dropUnusedColors();
  colors_.push_back({fore, back, QBrush(fore), QBrush(back)});
  return ColorIndex(colors_.size() - 1);
}

void FlexGridModel::dropUnusedColors() {
  // There are more index values than rows, so after this at least one is free again.
  std::vector<ColorIndex> renumbered(colors_.size(), 0);
  std::vector<ColorPair> used(1);
  for (ColorIndex& at : rowColor_) {
    if (at == 0) continue;
    if (renumbered[at] == 0) {
      used.push_back(colors_[at]);
      renumbered[at] = ColorIndex(used.size() - 1);
    }
    at = renumbered[at];
  }
  colors_ = std::move(used);
}

void FlexGridModel::resetColors() {
  std::fill(rowColor_.begin(), rowColor_.end(), 0);
  rowColor_.resize(dataRows(), 0);
  colors_.assign(1, ColorPair{});
}

}  // namespace platform
