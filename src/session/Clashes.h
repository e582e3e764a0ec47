#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

#include "session/ORSchedule.h"

namespace session {

// Double bookings among the requests of one listing: two requests clash when their spans
// overlap and they share the operating room, or a person (by staff code, in any role). A span
// runs from the start up to its end, the start plus the duration; a request whose duration is
// unknown takes its start minute alone. Revoked requests neither clash nor are clashed with; an
// empty code or room is no one.
class Clashes {
 public:
  // Reads a cell of data row `row` (0-based) of the listing. The views must stay valid while
  // the Clashes object is asked about the listing.
  using CellReader = std::function<QStringView(int row, RequestColumn::Column column)>;
  static constexpr qint64 kNoStart = -1;
  // The minutes a request takes part in clashes for, counted from the first day of the
  // calendar: from `start` up to, not including, `end`. `endKnown` when its duration is known,
  // else it is its start minute alone. A start of kNoStart takes no part (revoked, or without a
  // start).
  struct Span {
    qint64 start = kNoStart, end = kNoStart;
    bool endKnown = false;
  };
  using SpanReader = std::function<Span(int row)>;

  Clashes(int rows, CellReader cell, SpanReader span);

  bool Has(int row) const { return clashing_[row]; }
  bool Any() const { return any_; }
  // Each clash of the row in plain words, naming the overlap, e.g. "OR03 from 7:00 AM to
  // 9:00 AM overlaps SISON, GENEVIEVE K. at 8:30 AM" or "ZAMORA ,TERESITA (surgeon) at 7:00 AM
  // is also on CRUZ, ANA from 6:30 AM to 8:00 AM". Worked out when asked, from the cells.
  QStringList Describe(int row) const;

 private:
  void Sweep();

  CellReader cell_;
  SpanReader span_;
  std::vector<int> byStart_;  // rows with a start, by start and then by row
  qint64 longest_ = 0;        // the longest span, in minutes
  std::vector<bool> clashing_;
  bool any_ = false;
};

}  // namespace session
