#include "platform/CellTexts.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Compacting is a pass over every cell, so it waits until the text left behind by edits is
// both more than the live text and more than a few pages.
constexpr qsizetype kLeastWasteCompacted = 4096;

}  // namespace

QStringView CellTexts::at(int row, int col) const {
  const qsizetype start = rowStart_[row];
  if (start < 0) {
    const WideRow& wide = wide_[-start - 1];
    const qsizetype begin = col > 0 ? wide.ends[col - 1] : 0;
    return QStringView(text_.constData() + wide.start + begin, wide.ends[col] - begin);
  }
  const Narrow* ends = ends_.data() + std::size_t(row) * cols_;
  const qsizetype begin = col > 0 ? ends[col - 1] : 0;
  return QStringView(text_.constData() + start + begin, ends[col] - begin);
}

void CellTexts::set(int row, int col, QStringView text) {
  // The row is put together apart first: `text` may be a view into this buffer, which the
  // appending below can move.
  QString rowText;
  std::vector<qsizetype> ends(cols_);
  for (int c = 0; c < cols_; ++c) {
    rowText.append(c == col ? text : at(row, c));
    ends[c] = rowText.size();
  }
  rewriteRow(row, rowText, ends);
  compactIfWasteful();
}

void CellTexts::startRow() {
  rowStart_.push_back(text_.size());
}

void CellTexts::appendCell(QStringView text) {
  text_.append(text);
  if (!isWide(rows() - 1)) {
    const qsizetype length = text_.size() - rowStart_.back();
    if (length <= kNarrowLimit) {
      ends_.push_back(Narrow(length));
      return;
    }
    widenLastRow();
  }
  WideRow& wide = wide_[-rowStart_.back() - 1];
  wide.ends.push_back(text_.size() - wide.start);
  ends_.push_back(0);  // keeps the narrow ends of later rows at their places
}

// The ends the row has so far move to a wide row; its narrow ends stay as unused places.
void CellTexts::widenLastRow() {
  const std::size_t first = std::size_t(rows() - 1) * cols_;
  wide_.push_back({rowStart_.back(), std::vector<qsizetype>(ends_.begin() + first, ends_.end())});
  rowStart_.back() = -qsizetype(wide_.size());
}

void CellTexts::reserve(int rows, qsizetype chars) {
  rowStart_.reserve(rows);
  ends_.reserve(std::size_t(rows) * cols_);
  text_.reserve(chars);
}

void CellTexts::squeeze() {
  // Room never written to costs address space only, so only a great excess is given back.
  if (text_.size() < text_.capacity() / 2) text_.squeeze();
  if (ends_.size() < ends_.capacity() / 2) ends_.shrink_to_fit();
  if (rowStart_.size() < rowStart_.capacity() / 2) rowStart_.shrink_to_fit();
}

void CellTexts::resize(int rows, int cols) {
  if (cols != cols_) {
    *this = reshaped(rows, cols);
    return;
  }
  if (rows < this->rows()) {
    for (int r = rows; r < this->rows(); ++r)
      deadChars_ += rowLength(r);
    rowStart_.resize(rows);
    ends_.resize(std::size_t(rows) * cols_);
    compactIfWasteful();
    return;
  }
  while (this->rows() < rows) {
    startRow();
    ends_.resize(ends_.size() + cols_, 0);
  }
}

void CellTexts::clearTexts() {
  text_.clear();
  wide_.clear();
  deadChars_ = 0;
  std::fill(rowStart_.begin(), rowStart_.end(), 0);
  std::fill(ends_.begin(), ends_.end(), 0);
}

qsizetype CellTexts::rowLength(int row) const {
  if (cols_ == 0) return 0;
  if (isWide(row)) return wide_[-rowStart_[row] - 1].ends.back();
  return ends_[std::size_t(row) * cols_ + cols_ - 1];
}

// Writes the row's text at the end of the buffer and points the row at it; what it held before
// is left behind.
void CellTexts::rewriteRow(int row, QStringView text, const std::vector<qsizetype>& ends) {
  deadChars_ += rowLength(row);
  const qsizetype start = text_.size();
  text_.append(text);
  const bool wasWide = isWide(row);
  if (text.size() <= kNarrowLimit) {
    if (wasWide) wide_[-rowStart_[row] - 1] = {};  // an unused place until the next compaction
    rowStart_[row] = start;
    std::transform(ends.begin(), ends.end(), ends_.begin() + std::size_t(row) * cols_,
                   [](qsizetype end) { return Narrow(end); });
    return;
  }
  if (wasWide) {
    wide_[-rowStart_[row] - 1] = {start, ends};
    return;
  }
  wide_.push_back({start, ends});
  rowStart_[row] = -qsizetype(wide_.size());
}

void CellTexts::compactIfWasteful() {
  if (deadChars_ > kLeastWasteCompacted && deadChars_ > textSize()) *this = reshaped(rows(), cols_);
}

CellTexts CellTexts::reshaped(int rows, int cols) const {
  CellTexts result(cols);
  const int keptRows = std::min(rows, this->rows());
  const int keptCols = std::min(cols, cols_);
  result.reserve(rows, textSize());
  for (int r = 0; r < rows; ++r) {
    result.startRow();
    for (int c = 0; c < cols; ++c)
      result.appendCell(r < keptRows && c < keptCols ? at(r, c) : QStringView());
  }
  result.squeeze();
  return result;
}

}  // namespace platform
