#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace platform {

// The texts of a table of cells, row by row, in a few allocations however long the table: the
// characters of every cell in one UTF-16 buffer, each row's cells one after another, and per
// cell only where its text ends, counted from the start of its row in 16 bits. A cell costs its
// characters plus two bytes, a row eight bytes more. A row whose text is too long for 16-bit
// ends (over 65,535 characters) keeps full-width ends of its own.
//
// A long listing held as one QString per cell cost about 50 bytes a cell and scattered the
// texts over the heap; here a listing is read straight into its buffer and passes over a whole
// column walk through memory in order.
//
// Edits are rare (a header, a test, a cleared grid): an edited row is written anew at the end
// of the buffer, and the buffer is compacted once the text left behind outgrows the live text.
// Views handed out stay valid until the texts next change.
class CellTexts {
 public:
  CellTexts() = default;
  // An empty table of `cols` columns to which rows are appended.
  explicit CellTexts(int cols) : cols_(cols) {}

  int rows() const { return int(rowStart_.size()); }
  int cols() const { return cols_; }

  QStringView at(int row, int col) const;
  void set(int row, int col, QStringView text);

  // Appending a table row by row: startRow(), then exactly cols() cells.
  void startRow();
  void appendCell(QStringView text);

  // Room for `rows` rows and `chars` characters, for a table about as long as the last one.
  void reserve(int rows, qsizetype chars);
  // Gives back room reserved beyond what the table holds when it is much more than that.
  void squeeze();
  // The characters of every cell, as last laid out (without text left behind by edits).
  qsizetype textSize() const { return text_.size() - deadChars_; }

  // Keeps every cell by row and column position; new cells are empty.
  void resize(int rows, int cols);
  // Empties every cell; the shape stays.
  void clearTexts();

 private:
  using Narrow = std::uint16_t;
  static constexpr qsizetype kNarrowLimit = 0xFFFF;

  // A row whose ends do not fit in 16 bits. rowStart_ holds -(its index + 1) in wide_.
  struct WideRow {
    qsizetype start = 0;
    std::vector<qsizetype> ends;
  };

  bool isWide(int row) const { return rowStart_[row] < 0; }
  qsizetype rowLength(int row) const;
  void widenLastRow();
  void appendRow(QStringView text, const std::vector<qsizetype>& ends);
  void rewriteRow(int row, QStringView text, const std::vector<qsizetype>& ends);
  void compactIfWasteful();
  CellTexts reshaped(int rows, int cols) const;

  int cols_ = 0;
  QString text_;
  std::vector<qsizetype> rowStart_;  // where each row's text starts in text_, or a wide row
  std::vector<Narrow> ends_;         // rows x cols, row-major; unused for wide rows
  std::vector<WideRow> wide_;
  qsizetype deadChars_ = 0;  // text of rows that were written anew or dropped
};

}  // namespace platform
