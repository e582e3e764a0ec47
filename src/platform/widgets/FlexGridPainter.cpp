#include "platform/widgets/FlexGridPainter.h"

#include <QPainter>
#include <algorithm>

#include "platform/widgets/FlexGridModel.h"

namespace platform {

namespace {

const int kTextMargin = 2;  // pixels between a cell's edge and its text
// Layouts kept: several windows full of distinct texts, at about a kilobyte each.
constexpr int kLayoutsKept = 1024;

// A small amber triangle with an exclamation mark, centred in `cell` when it fits.
void DrawWarningSign(QPainter* painter, const QRect& cell) {
  const int side = std::min({cell.width() - 2, cell.height() - 2, 14});
  if (side < 8) return;
  const QRectF box(cell.center().x() - side / 2.0 + 0.5, cell.center().y() - side / 2.0 + 0.5, side,
                   side);
  const QPolygonF triangle{{box.center().x(), box.top()}, box.bottomRight(), box.bottomLeft()};
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(QPen(QColor(150, 90, 0), 1));
  painter->setBrush(QColor(255, 190, 0));
  painter->drawPolygon(triangle);
  painter->setPen(QPen(Qt::black, side / 7.0, Qt::SolidLine, Qt::RoundCap));
  const qreal x = box.center().x();
  painter->drawLine(QPointF(x, box.top() + side * 0.38), QPointF(x, box.top() + side * 0.68));
  painter->drawPoint(QPointF(x, box.top() + side * 0.84));
  painter->restore();
}

}  // namespace

size_t qHash(const FlexGridPainter::LayoutKey& key, size_t seed) {
  return qHashMulti(seed, key.text, key.width, key.alignment);
}

FlexGridPainter::FlexGridPainter(const FlexGridModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), layouts_(kLayoutsKept) {}

void FlexGridPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const int row = index.row();
  const int col = index.column();
  const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                             : QPalette::Inactive;
  QColor textColor = option.palette.color(group, QPalette::Text);
  if (col < model_.fixedCols()) {
    painter->fillRect(option.rect, model_.fixedBack());
    textColor = model_.fixedFore().color();
    if (col == 0 && model_.rowMarked(row)) DrawWarningSign(painter, option.rect);
  } else if (showsSelection_ && (option.state & QStyle::State_Selected)) {
    painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    textColor = option.palette.color(group, QPalette::HighlightedText);
  } else if (const FlexGridModel::ColorPair* colors = model_.rowColors(row)) {
    painter->fillRect(option.rect, colors->backBrush);
    textColor = colors->fore;
  } else if (option.state & QStyle::State_Selected) {
    // The style has painted the selection beneath; a grid that shows none covers it.
    painter->fillRect(option.rect, option.palette.brush(group, QPalette::Base));
  }
  const QStringView text = model_.text(row, col);
  if (text.isEmpty()) return;
  // A locked grid keeps its rows' colours, which mean something, and greys their texts.
  if (group == QPalette::Disabled && col >= model_.fixedCols())
    textColor = option.palette.color(group, QPalette::Text);
  const QRect area = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
  const Qt::Alignment alignment = model_.alignment(col);
  painter->setFont(option.font);
  painter->setPen(textColor);
  if (option.features & QStyleOptionViewItem::WrapText)
    drawWrapped(painter, area, alignment, option.font, text);
  else
    // Drawn from the grid's own buffer, without a copy: the buffer outlives the paint.
    painter->drawText(area, int(alignment) | Qt::TextSingleLine,
                      QString::fromRawData(text.constData(), text.size()));
}

// Text taller than its cell starts at the top, so that its first lines stay readable (centring
// it would cut off the first line as well as the last).
void FlexGridPainter::drawWrapped(QPainter* painter, const QRect& area, Qt::Alignment alignment,
                                  const QFont& font, QStringView text) const {
  const LaidOutText& laid = laidOut(painter->device(), area.width(), alignment, font, text);
  qreal top = area.top();
  if (laid.height < area.height()) {
    if (alignment & Qt::AlignVCenter) top += (area.height() - laid.height) / 2;
    if (alignment & Qt::AlignBottom) top += area.height() - laid.height;
  }
  const bool overflows = laid.height > area.height() || laid.widest > area.width();
  if (overflows) {
    painter->save();
    painter->setClipRect(area, Qt::IntersectClip);
  }
  laid.layout.draw(painter, QPointF(area.left(), top));
  if (overflows) painter->restore();
}

QSizeF FlexGridPainter::textSize(QStringView text, int width, Qt::Alignment alignment,
                                 const QFont& font, const QPaintDevice* device,
                                 bool wrapped) const {
  if (wrapped) {
    const LaidOutText& laid = laidOut(device, width, alignment, font, text);
    return {laid.widest, laid.height};
  }
  const QFontMetricsF metrics(font, device);
  return {metrics.horizontalAdvance(QString::fromRawData(text.constData(), text.size())),
          metrics.height()};
}

int FlexGridPainter::textMargin() {
  return kTextMargin;
}

const FlexGridPainter::LaidOutText& FlexGridPainter::laidOut(const QPaintDevice* device, int width,
                                                             Qt::Alignment alignment,
                                                             const QFont& font,
                                                             QStringView text) const {
  const int dpi = device->logicalDpiY();
  if (font != layoutFont_ || dpi != layoutDpi_) {
    layouts_.clear();
    layoutFont_ = font;
    layoutDpi_ = dpi;
  }
  const int horizontal = int(alignment & Qt::AlignHorizontal_Mask);
  const LayoutKey lookup{QString::fromRawData(text.constData(), text.size()), width, horizontal};
  if (const LaidOutText* kept = layouts_.object(lookup)) return *kept;

  auto* laid = new LaidOutText(text.toString(), font, device);
  QTextLayout& layout = laid->layout;
  layout.setCacheEnabled(true);  // else drawing shapes the text again
  QTextOption textOption{Qt::Alignment(horizontal)};
  // At blanks; a word wider than the cell (a long room name on a large board) where it must.
  textOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(textOption);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, laid->height));
    laid->height += line.height();
    laid->widest = std::max(laid->widest, line.naturalTextWidth());
  }
  layout.endLayout();
  layouts_.insert({layout.text(), width, horizontal}, laid);
  return *laid;
}

}  // namespace platform
