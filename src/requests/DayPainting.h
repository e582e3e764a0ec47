#pragma once

#include <QRect>
#include <QStaticText>
#include <optional>
#include <vector>

class QFontMetrics;
class QPainter;

namespace requests {

class DayPlan;
struct DayBlock;

// Where the parts of the day by room lie in an area, a window's or a printed page's: the room
// names across the top, the hours running down on the left, and each block by its room and its
// time. `lineHeight` is the height of a line of the area's type.
class DayGeometry {
 public:
  DayGeometry(const DayPlan& plan, const QRect& area, int lineHeight);

  int LineHeight() const { return lineHeight_; }
  // Right of the hours, below the room names.
  const QRect& Body() const { return body_; }
  QRect RoomHeading(int room) const;
  QRect HourLabel(int minute) const;
  QRect Block(const DayBlock& block) const;
  // The height of a minute of the day in the area; FirstMinute() is the body's top.
  int Y(int minute) const;

 private:
  const DayPlan& plan_;
  int lineHeight_;
  QRect body_;
  double columnWidth_;
};

// The room names, the hour lines and, where `now` is given (in minutes from the day's midnight),
// the line of the server's time. The blocks are painted each by PaintBlock, over it.
void PaintDayGrid(QPainter& painter, const DayPlan& plan, const DayGeometry& geometry,
                  std::optional<int> now);

// As many of a block's patient, procedure and surgeon as a block of `size` holds whole lines of,
// each cut short to its width: laid out once, to be painted by PaintBlock as often as needed.
std::vector<QStaticText> BlockLines(const QFontMetrics& metrics, const QSize& size,
                                    const DayBlock& block, int lineHeight);

// A block on its status colour, outlined where it clashes, showing its `lines` (of BlockLines
// for its rect's size); without a known end, its lower edge is broken. `focused`: the block the
// keys are on.
void PaintBlock(QPainter& painter, const QRect& rect, const DayBlock& block,
                const std::vector<QStaticText>& lines, int lineHeight, bool focused);

}  // namespace requests
