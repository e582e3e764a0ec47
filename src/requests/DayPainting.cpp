#include "requests/DayPainting.h"

#include <QFontMetrics>
#include <QPainter>
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
  for (int minute = plan.FirstMinute(); minute <= plan.LastMinute(); minute += 30) {
    const bool hour = minute % 60 == 0;
    painter.setPen(hour ? kHourLine : kHalfHourLine);
    painter.drawLine(body.left(), geometry.Y(minute), body.right(), geometry.Y(minute));
    if (!hour || minute == plan.LastMinute()) continue;
    painter.setPen(Qt::black);
    painter.drawText(geometry.HourLabel(minute), Qt::AlignRight | Qt::AlignVCenter,
                     HourText(minute));
  }
  for (int room = 0; room < plan.Rooms().size(); ++room) {
    const QRect heading = geometry.RoomHeading(room);
    painter.setPen(kHourLine);
    painter.drawLine(heading.left(), heading.top(), heading.left(), body.bottom());
    painter.setPen(Qt::black);
    DrawRoomName(painter, heading.adjusted(2, 0, -2, 0), plan.Rooms()[room]);
  }
  painter.setPen(kHourLine);
  painter.drawLine(body.right(), body.top(), body.right(), body.bottom());
  if (now && *now >= plan.FirstMinute() && *now <= plan.LastMinute()) {
    painter.setPen(QPen(kNowLine, 2));
    painter.drawLine(body.left(), geometry.Y(*now), body.right(), geometry.Y(*now));
  }
  painter.restore();
}

void PaintBlock(QPainter& painter, const QRect& rect, const DayBlock& block, int lineHeight,
                bool focused) {
  painter.save();
  painter.fillRect(rect, StatusColor(block.status));
  // The texts, a line each, as many as the block holds whole.
  const QRect inside = rect.adjusted(3, 1, -3, -1);
  painter.setClipRect(inside);
  painter.setPen(Qt::black);
  const QFontMetrics metrics = painter.fontMetrics();
  int top = inside.top();
  for (const QString& text : {block.patient, block.procedure, block.surgeon}) {
    if (top + lineHeight > inside.bottom() + 1) break;
    painter.drawText(QRect(inside.left(), top, inside.width(), lineHeight), Qt::AlignLeft,
                     metrics.elidedText(text, Qt::ElideRight, inside.width()));
    top += lineHeight;
  }
  painter.setClipping(false);
  painter.setBrush(Qt::NoBrush);
  const QRect edge = rect.adjusted(0, 0, -1, -1);
  if (block.clashing) {
    painter.setPen(QPen(kClashEdge, kClashEdgeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
  } else {
    painter.setPen(kBlockEdge);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.drawLine(edge.topRight(), edge.bottomRight());
  }
  // No known end: the lower edge is broken.
  painter.setPen(QPen(block.clashing ? kClashEdge : kBlockEdge, block.clashing ? 2 : 1,
                      block.endKnown ? Qt::SolidLine : Qt::DashLine));
  painter.drawLine(edge.bottomLeft(), edge.bottomRight());
  if (focused) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect.adjusted(kClashEdgeWidth, kClashEdgeWidth, -kClashEdgeWidth - 1,
                                   -kClashEdgeWidth - 1));
  }
  painter.restore();
}

}  // namespace requests
