#include "platform/widgets/TablePrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "platform/Errors.h"
#include "platform/widgets/Fonts.h"

namespace platform {
namespace {

const QColor kHeadBack(224, 224, 224);
const QColor kLineColor(96, 96, 96);
const QColor kInk(0, 0, 0);

// Sizes in points, turned into device pixels by Layout.
constexpr qreal kCellPadding = 3;
constexpr qreal kGapUnderHeading = 8;
constexpr qreal kGapAboveFooter = 6;
constexpr qreal kLineWidth = 0.5;
// A column's longest word claims at most this share of the page, so that one long word does
// not starve the others.
constexpr qreal kWidestWordShare = 0.2;

struct Fonts {
  QFont title = DesignFont(QStringLiteral("Arial"), 14, true);
  QFont heading = DesignFont(QStringLiteral("Arial"), 10);
  QFont head = DesignFont(QStringLiteral("Arial"), 9, true);
  QFont cell = DesignFont(QStringLiteral("Arial"), 9);
  QFont footer = DesignFont(QStringLiteral("Arial"), 8);
};

// Lays a text out in lines no wider than `width`, breaking between words where it can and
// inside a word only when the word alone is wider.
class WrappedText {
 public:
  WrappedText(const QString& text, const QFont& font, QPaintDevice* device, qreal width)
      : layout_(text, font, device) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, height_));
      height_ += line.height();
    }
    layout_.endLayout();
  }
  qreal height() const { return height_; }
  void draw(QPainter& painter, const QPointF& topLeft) { layout_.draw(&painter, topLeft); }

 private:
  QTextLayout layout_;
  qreal height_ = 0;
};

qreal TextWidth(const QString& text, const QFont& font, QPaintDevice* device) {
  QTextLayout layout(text, font, device);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  return line.isValid() ? line.naturalTextWidth() : 0;
}

// Column heads are often words run together ("PatientName"): they may break between them.
QStringList JoinedParts(const QString& text) {
  QStringList parts(QString{});
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (i > 0 && text[i - 1].isLower() && text[i].isUpper()) parts.append(QString());
    parts.last().append(text[i]);
  }
  return parts;
}

qreal LongestWordWidth(const QString& text, bool joinedWordsBreak, const QFont& font,
                       QPaintDevice* device) {
  qreal widest = 0;
  for (const QString& part : joinedWordsBreak ? JoinedParts(text) : QStringList{text})
    for (const QString& word : part.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      widest = std::max(widest, TextWidth(word, font, device));
  return widest;
}

// Lines of a column head no wider than `width`, broken between run-together words first.
QString BreakJoinedWords(const QString& text, const QFont& font, QPaintDevice* device,
                         qreal width) {
  if (TextWidth(text, font, device) <= width) return text;
  QString lines, line;
  for (const QString& part : JoinedParts(text)) {
    if (!line.isEmpty() && TextWidth(line + part, font, device) > width) {
      lines += line + QChar(QChar::LineSeparator);
      line.clear();
    }
    line += part;
  }
  return lines + line;
}

// When the columns' minimums do not fit side by side, the widest give way: they are cut to the
// one width that makes them fit, and their words break inside; narrower columns keep theirs.
QList<qreal> FitMinimums(QList<qreal> minimums, qreal available) {
  if (minimums.isEmpty()) return minimums;
  qreal low = 0, high = *std::max_element(minimums.begin(), minimums.end());
  const auto total = [&](qreal cap) {
    qreal sum = 0;
    for (qreal minimum : minimums)
      sum += std::min(minimum, cap);
    return sum;
  };
  if (total(high) <= available) return minimums;
  for (int i = 0; i < 40; ++i) {
    const qreal cap = (low + high) / 2;
    (total(cap) > available ? high : low) = cap;
  }
  for (qreal& minimum : minimums)
    minimum = std::min(minimum, low);
  return minimums;
}

// Shares `available` among columns in proportion to their weights, giving no column less than
// its minimum: a column whose share falls short gets its minimum and the rest is shared again.
QList<qreal> ShareWidths(const QList<qreal>& weights, const QList<qreal>& wantedMinimums,
                         qreal available) {
  const qsizetype n = weights.size();
  const QList<qreal> minimums = FitMinimums(wantedMinimums, available);
  QList<qreal> widths(n);
  QList<bool> atMinimum(n, false);
  for (bool settled = false; !settled;) {
    qreal left = available, weight = 0;
    qsizetype free = 0;
    for (qsizetype i = 0; i < n; ++i) {
      if (atMinimum[i]) {
        left -= minimums[i];
      } else {
        weight += weights[i];
        ++free;
      }
    }
    settled = true;
    for (qsizetype i = 0; i < n; ++i) {
      if (atMinimum[i]) {
        widths[i] = minimums[i];
        continue;
      }
      widths[i] = weight > 0 ? left * weights[i] / weight : left / qreal(free);
      if (widths[i] < minimums[i]) {
        atMinimum[i] = true;
        settled = false;
      }
    }
  }
  return widths;
}

// Where everything goes: column widths, row heights and which rows fill each page, in the
// device's pixels.
class Layout {
 public:
  Layout(const PrintedTable& printout, QPagedPaintDevice& device)
      : printout_(printout), device_(device) {
    pixelsPerPoint_ = device.logicalDpiY() / 72.0;
    page_ = QRectF(0, 0, device.width(), device.height());
    padding_ = kCellPadding * pixelsPerPoint_;
    ShapeColumns();
    for (qsizetype c = 0; c < columnWidths_.size(); ++c)
      headTexts_.append(BreakJoinedWords(printout.table.header[c], fonts_.head, &device,
                                         columnWidths_[c] - 2 * padding_));
    headHeight_ = RowHeight(headTexts_, fonts_.head);
    for (const QStringList& row : printout.table.rows)
      rowHeights_.append(RowHeight(row, fonts_.cell));
    ShapeHeading();
    Paginate();
  }

  int pageCount() const { return int(pages_.size()); }
  void DrawPage(QPainter& painter, int page);

 private:
  void ShapeColumns();
  void ShapeHeading();
  void Paginate();
  qreal RowHeight(const QStringList& cells, const QFont& font) const;
  qreal DrawLine(QPainter& painter, const QString& text, const QFont& font, qreal top);
  void DrawRow(QPainter& painter, const QStringList& cells, const QFont& font, qreal top,
               qreal height, const QColor& back);
  void DrawFooter(QPainter& painter, int page);

  const PrintedTable& printout_;
  QPagedPaintDevice& device_;
  Fonts fonts_;
  qreal pixelsPerPoint_ = 1;
  qreal padding_ = 0;
  QRectF page_;
  QList<qreal> columnWidths_;
  QStringList headTexts_;  // the column heads with their line breaks
  qreal headHeight_ = 0;
  QList<qreal> rowHeights_;
  qreal headingHeight_ = 0;  // title and heading lines with the gap under them
  qreal footerHeight_ = 0;
  QList<QPair<int, int>> pages_;  // first row and row count of each page
};

void Layout::ShapeColumns() {
  const TextTable& table = printout_.table;
  const qsizetype columns = table.header.size();
  const qreal widestWord = page_.width() * kWidestWordShare;
  QList<qreal> weights(columns, 1), minimums(columns, 0);
  for (qsizetype c = 0; c < columns; ++c) {
    if (c < printout_.columnWidths.size()) weights[c] = std::max(0, printout_.columnWidths[c]);
    qreal longest = LongestWordWidth(table.header[c], true, fonts_.head, &device_);
    for (const QStringList& row : table.rows)
      longest = std::max(longest, LongestWordWidth(row.value(c), false, fonts_.cell, &device_));
    minimums[c] = std::min(longest, widestWord) + 2 * padding_;
  }
  columnWidths_ = ShareWidths(weights, minimums, page_.width());
}

qreal Layout::RowHeight(const QStringList& cells, const QFont& font) const {
  qreal tallest = QFontMetricsF(font, &device_).height();
  for (qsizetype c = 0; c < columnWidths_.size(); ++c) {
    const WrappedText text(cells.value(c), font, &device_, columnWidths_[c] - 2 * padding_);
    tallest = std::max(tallest, text.height());
  }
  return tallest + 2 * padding_;
}

void Layout::ShapeHeading() {
  headingHeight_ = WrappedText(printout_.title, fonts_.title, &device_, page_.width()).height();
  for (const QString& line : printout_.headingLines)
    headingHeight_ += WrappedText(line, fonts_.heading, &device_, page_.width()).height();
  headingHeight_ += kGapUnderHeading * pixelsPerPoint_;
  footerHeight_ =
      QFontMetricsF(fonts_.footer, &device_).height() + kGapAboveFooter * pixelsPerPoint_;
}

// As many whole rows on each page as fit under the heading and the column heads; a row taller
// than that gets a page of its own and is cut at its foot.
void Layout::Paginate() {
  const qreal body = page_.height() - headingHeight_ - headHeight_ - footerHeight_;
  for (qreal& height : rowHeights_)
    height = std::min(height, body);
  int first = 0;
  while (first < rowHeights_.size() || pages_.isEmpty()) {
    int count = 0;
    qreal used = 0;
    while (first + count < rowHeights_.size() &&
           (count == 0 || used + rowHeights_[first + count] <= body))
      used += rowHeights_[first + count++];
    pages_.append({first, count});
    first += count;
  }
}

qreal Layout::DrawLine(QPainter& painter, const QString& text, const QFont& font, qreal top) {
  WrappedText line(text, font, &device_, page_.width());
  line.draw(painter, QPointF(page_.left(), top));
  return top + line.height();
}

void Layout::DrawRow(QPainter& painter, const QStringList& cells, const QFont& font, qreal top,
                     qreal height, const QColor& back) {
  qreal left = page_.left();
  painter.setClipRect(QRectF(page_.left(), top, page_.width(), height));
  for (qsizetype c = 0; c < columnWidths_.size(); ++c) {
    const QRectF cell(left, top, columnWidths_[c], height);
    if (back.isValid()) painter.fillRect(cell, back);
    WrappedText text(cells.value(c), font, &device_, cell.width() - 2 * padding_);
    painter.setPen(kInk);
    text.draw(painter, cell.topLeft() + QPointF(padding_, padding_));
    painter.setPen(QPen(kLineColor, kLineWidth * pixelsPerPoint_));
    painter.drawRect(cell);
    left += columnWidths_[c];
  }
  painter.setClipping(false);
}

void Layout::DrawFooter(QPainter& painter, int page) {
  const QString text = QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount());
  painter.setFont(fonts_.footer);
  const qreal height = QFontMetricsF(fonts_.footer, &device_).height();
  painter.drawText(QRectF(page_.left(), page_.bottom() - height, page_.width(), height),
                   Qt::AlignRight | Qt::AlignBottom, text);
}

void Layout::DrawPage(QPainter& painter, int page) {
  painter.setPen(kInk);
  qreal top = DrawLine(painter, printout_.title, fonts_.title, page_.top());
  for (const QString& line : printout_.headingLines)
    top = DrawLine(painter, line, fonts_.heading, top);
  top = page_.top() + headingHeight_;
  DrawRow(painter, headTexts_, fonts_.head, top, headHeight_, kHeadBack);
  top += headHeight_;
  const auto [first, count] = pages_[page];
  for (int r = first; r < first + count; ++r) {
    DrawRow(painter, printout_.table.rows[r], fonts_.cell, top, rowHeights_[r],
            printout_.rowColors.value(r));
    top += rowHeights_[r];
  }
  painter.setPen(kInk);
  DrawFooter(painter, page);
}

}  // namespace

void PrintTable(const PrintedTable& printout, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device))
    throw RuntimeError(QStringLiteral("The printout could not be started."));
  Layout layout(printout, device);
  for (int page = 0; page < layout.pageCount(); ++page) {
    if (page > 0 && !device.newPage())
      throw RuntimeError(QStringLiteral("The printout could not start page %1.").arg(page + 1));
    layout.DrawPage(painter, page);
  }
  if (!painter.end()) throw RuntimeError(QStringLiteral("The printout could not be finished."));
}

}  // namespace platform
