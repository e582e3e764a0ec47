#pragma once

#include <QVariant>
#include <QtGlobal>
#include <limits>
#include <utility>
#include <vector>

namespace platform {

// A column of optional 64-bit numbers, one per row of a table, kept compactly for tables of many
// thousand rows. A dense column holds four bytes a row: the distance from its first value, as
// the dates of one listed day or the transaction numbers of one day lie close together; a value
// further away goes to a short list beside. A sparse column, for values most rows lack, holds
// only that list.
class NumberColumn {
 public:
  static constexpr qint64 kNone = std::numeric_limits<qint64>::min();
  enum class Kind { Dense, Sparse };

  explicit NumberColumn(Kind kind = Kind::Dense) : kind_(kind) {}

  int rows() const { return rows_; }
  void reserve(int rows);
  void append(qint64 value);  // kNone for none
  qint64 at(int row) const;
  void set(int row, qint64 value);
  // Gives back room reserved beyond what the column holds.
  void squeeze();

 private:
  static constexpr qint32 kNoneNear = std::numeric_limits<qint32>::min();
  static constexpr qint32 kFarNear = kNoneNear + 1;

  qint32 nearOf(qint64 value) const;

  Kind kind_;
  int rows_ = 0;
  qint64 base_ = kNone;
  std::vector<qint32> near_;                 // dense: the distance from base_, or a mark
  std::vector<std::pair<int, qint64>> far_;  // by row
};

// A number as a database gave it: an integer, or text holding one between blanks;
// NumberColumn::kNone for a null or anything else.
qint64 NumberOf(const QVariant& value);

}  // namespace platform
