#include "requests/DayPainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <algorithm>

#include "platform/Format.h"
#include "requests/DayPlan.h"
#include "requests/RequestStatus.h"

namespace requests {
namespace {

const QColor kHourLine(192, 192, 192);
const QColor kHalfHourLine(228, 228, 228);
const QColor kBlockEdge(96, 96, 96);
const QColor kClashEdge(192, 0, 0);
const QColor kNowLine(220, 0, 0);
constexpr int kClashEdgeWidth = 3;

QString HourText(int minute) {
  return platform::Format(platform::WallClock(platform::ZeroDate(), QTime(minute / 60 % 24, 0)),
                          QStringLiteral("h AM/PM"));
}

// Where a block's texts lie, a line each, as many as it holds whole.
QRect TextArea(const QRect& rect) {
  return rect.adjusted(3, 1, -3, -1);
}

// On two lines where it fits them, else cut short on one.
void DrawRoomName(QPainter& painter, const QRect& rect, const QString& name) {
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect wrapped = metrics.boundingRect(rect, Qt::TextWordWrap, name);
  if (wrapped.width() <= rect.width() && wrapped.height() <= rect.height())
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, name);
  else
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignBottom,
                     metrics.elidedText(name, Qt::ElideRight, rect.width()));
}

}  // namespace

DayGeometry::DayGeometry(const DayPlan& plan, const QRect& area, int lineHeight)
    : plan_(plan), lineHeight_(lineHeight) {
  // Two lines for a room's name, and room for "12 PM" beside the hours.
  body_ = area.adjusted(lineHeight * 4, lineHeight * 2 + lineHeight / 2, 0, 0);
  columnWidth_ = double(body_.width()) / std::max<qsizetype>(1, plan.Rooms().size());
}

QRect DayGeometry::RoomHeading(int room) const {
  const int left = body_.left() + int(room * columnWidth_);
  const int right = body_.left() + int((room + 1) * columnWidth_);
  return QRect(left, body_.top() - lineHeight_ * 2 - lineHeight_ / 2, right - left,
               lineHeight_ * 2);
}

QRect DayGeometry::HourLabel(int minute) const {
  return QRect(body_.left() - lineHeight_ * 4, Y(minute) - lineHeight_ / 2,
               lineHeight_ * 4 - lineHeight_ / 3, lineHeight_);
}

int DayGeometry::Y(int minute) const {
  const int span = std::max(1, plan_.LastMinute() - plan_.FirstMinute());
  return body_.top() + int(qint64(minute - plan_.FirstMinute()) * body_.height() / span);
}

QRect DayGeometry::Block(const DayBlock& block) const {
  const double laneWidth = columnWidth_ / block.lanes;
  const int left = body_.left() + int(block.room * columnWidth_ + block.lane * laneWidth);
  const int right = body_.left() + int(block.room * columnWidth_ + (block.lane + 1) * laneWidth);
  const int top = Y(block.start);
  const int bottom = Y(std::min(block.end, plan_.LastMinute()));
  return QRect(left + 1, top, std::max(1, right - left - 2), std::max(4, bottom - top));
}

void PaintDayGrid(QPainter& painter, const DayPlan& plan, const DayGeometry& geometry,
                  std::optional<int> now) {
  const QRect& body = geometry.Body();
  painter.save();
  painter.fillRect(body, Qt::white);
  painter.setPen(Qt::black);  // for the texts: the lines are filled, which costs the least
  for (int minute = plan.FirstMinute(); minute <= plan.LastMinute(); minute += 30) {
    const bool hour = minute % 60 == 0;
    painter.fillRect(QRect(body.left(), geometry.Y(minute), body.width(), 1),
                     hour ? kHourLine : kHalfHourLine);
    if (!hour || minute == plan.LastMinute()) continue;
    painter.drawText(geometry.HourLabel(minute), Qt::AlignRight | Qt::AlignVCenter,
                     HourText(minute));
  }
  for (int room = 0; room < plan.Rooms().size(); ++room) {
    const QRect heading = geometry.RoomHeading(room);
    painter.fillRect(QRect(heading.left(), heading.top(), 1, body.bottom() - heading.top() + 1),
                     kHourLine);
    DrawRoomName(painter, heading.adjusted(2, 0, -2, 0), plan.Rooms()[room]);
  }
  painter.fillRect(QRect(body.right(), body.top(), 1, body.height()), kHourLine);
  if (now && *now >= plan.FirstMinute() && *now <= plan.LastMinute()) {
    painter.setPen(QPen(kNowLine, 2));
    painter.drawLine(body.left(), geometry.Y(*now), body.right(), geometry.Y(*now));
  }
  painter.restore();
}

std::vector<QStaticText> BlockLines(const QFontMetrics& metrics, const QSize& size,
                                    const DayBlock& block, int lineHeight) {
  const QRect inside = TextArea(QRect(QPoint(0, 0), size));
  std::vector<QStaticText> lines;
  int top = inside.top();
  for (const QString& text : {block.patient, block.procedure, block.surgeon}) {
    if (top + lineHeight > inside.bottom() + 1) break;
    QStaticText& line =
        lines.emplace_back(metrics.elidedText(text, Qt::ElideRight, inside.width()));
    line.setTextFormat(Qt::PlainText);  // a name is never markup
    top += lineHeight;
  }
  return lines;
}

void PaintBlock(QPainter& painter, const QRect& rect, const DayBlock& block,
                const std::vector<QStaticText>& lines, int lineHeight, bool focused) {
  painter.save();
  painter.fillRect(rect, StatusColor(block.status));
  const QRect inside = TextArea(rect);
  painter.setClipRect(inside);
  painter.setPen(Qt::black);
  for (std::size_t i = 0; i < lines.size(); ++i)
    painter.drawStaticText(inside.left(), inside.top() + int(i) * lineHeight, lines[i]);
  painter.setClipping(false);
  // The edges are filled, not stroked: a day has many of them, and fills cost the least.
  const QColor edge = block.clashing ? kClashEdge : kBlockEdge;
  const int width = block.clashing ? kClashEdgeWidth : 1;
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), edge);
  painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), edge);
  painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), edge);
  if (block.endKnown) {
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), edge);
  } else {  // no known end: the lower edge is broken
    painter.setPen(QPen(edge, width, Qt::DashLine, Qt::FlatCap));
    const int y = rect.bottom() - width / 2;
    painter.drawLine(rect.left(), y, rect.right(), y);
  }
  if (focused) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect.adjusted(kClashEdgeWidth, kClashEdgeWidth, -kClashEdgeWidth - 1,
                                   -kClashEdgeWidth - 1));
  }
  painter.restore();
}

}  // namespace requests
