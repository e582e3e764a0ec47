#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QColor>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/CellTexts.h"

namespace platform {

// The cells of a FlexGrid: texts in a CellTexts table, header texts and alignments per column,
// and per data row an index into a small table of cached colour pairs. Model rows are
// the grid's data rows (grid row r is model row r - 1); the header row is the horizontal header.
// The first fixedCols() columns are shown on the fixed-cell colours.
class FlexGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FlexGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  int dataRows() const { return cells_->rows(); }
  int cols() const { return cells_->cols(); }
  int fixedCols() const { return fixedCols_; }
  void setFixedCols(int cols);

  // Changes the number of data rows in one reset; surviving rows keep texts and colours.
  void setDataRows(int rows);
  // Inserts or removes columns at the end; cells keep their positions.
  void setCols(int cols);
  // Empties every text (header included) and drops every row colour.
  void clear();
  // Takes a whole listing in one reset: `cells` has one column per header. The texts are shared
  // with whoever read them, not copied; an edit of a cell copies them first. Row colours are
  // dropped; alignments stay by position.
  void replace(QStringList headers, std::shared_ptr<const CellTexts> cells);
  // The characters of every cell, for sizing the next listing like this one.
  qsizetype textSize() const { return cells_->textSize(); }

  // Valid until the texts change.
  QStringView text(int row, int col) const { return cells_->at(row, col); }
  void setText(int row, int col, const QString& text);
  const QString& headerText(int col) const { return headers_[col]; }
  void setHeaderText(int col, const QString& text);
  Qt::Alignment alignment(int col) const;
  void setAlignment(int col, Qt::Alignment alignment);

  // The colours of a data row, or nullptr when the row has none of its own.
  struct ColorPair {
    QColor fore, back;
    QBrush foreBrush, backBrush;
  };
  const ColorPair* rowColors(int row) const;

  // Marks beside data rows (model rows), asked for when drawn or hovered; dropped whenever the
  // rows change, since they belong to one listing.
  using RowMarked = std::function<bool(int row)>;
  using RowMarkText = std::function<QString(int row)>;
  void setRowMarks(RowMarked marked, RowMarkText text);
  bool rowMarked(int row) const { return marked_ && marked_(row); }
  QString rowMarkText(int row) const { return rowMarked(row) ? markText_(row) : QString(); }
  void setRowColors(int row, const QColor& fore, const QColor& back);
  // While held, row colour changes are announced once, when the hold ends (a grid that does
  // not draw has nothing to update per row).
  void holdColorChanges(bool hold);
  // The colours of the fixed columns (button face).
  void setFixedColors(const QColor& fore, const QColor& back);
  const QBrush& fixedFore() const { return fixedFore_; }
  const QBrush& fixedBack() const { return fixedBack_; }

 private:
  using ColorIndex = std::uint16_t;  // 0: the row has no colours of its own
  static constexpr std::size_t kMaxColorPairs = 0xFFFF;

  ColorIndex colorIndexFor(const QColor& fore, const QColor& back);
  void dropUnusedColors();
  void resetColors();
  CellTexts& ownCells();
  static void releaseLater(std::shared_ptr<const CellTexts> cells);

  int fixedCols_ = 0;
  std::shared_ptr<const CellTexts> cells_ = std::make_shared<CellTexts>();
  QStringList headers_;
  std::vector<Qt::Alignment> alignments_;  // by position; may be longer than cols()
  std::vector<ColorIndex> rowColor_;
  std::vector<ColorPair> colors_;  // colors_[0] is unused (no colours)
  QBrush fixedFore_, fixedBack_;
  bool holdColorChanges_ = false;
  RowMarked marked_;
  RowMarkText markText_;
  bool colorsChangedWhileHeld_ = false;
};

}  // namespace platform
