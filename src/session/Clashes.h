#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

#include "session/ORSchedule.h"

namespace session {

// Double bookings among the requests of one listing. Requests carry a start but no duration,
// so the clash the data can prove is two requests that start at the same minute and share the
// operating room, or share a person (by staff code, in any role). Revoked requests neither
// clash nor are clashed with; an empty code or room is no one.
class Clashes {
 public:
  // Reads a cell of data row `row` (0-based) of the listing. The views must stay valid while
  // the Clashes object is asked about the listing.
  using CellReader = std::function<QStringView(int row, RequestColumn::Column column)>;
  // The minute at which the request of a data row starts, counted from the first day of the
  // calendar; kNoStart for one that takes no part (revoked, or without a start).
  using StartReader = std::function<qint64(int row)>;
  static constexpr qint64 kNoStart = -1;

  Clashes(int rows, CellReader cell, StartReader start);

  bool Has(int row) const { return clashing_[row]; }
  bool Any() const { return any_; }
  // Each clash of the row in plain words, e.g. "Same OR room (OR03) at 7:00 AM as SISON,
  // GENEVIEVE K." or "ZAMORA ,TERESITA (surgeon) also on CRUZ, ANA at 7:00 AM". Worked out
  // when asked, from the cells.
  QStringList Describe(int row) const;

 private:
  struct Group {
    int begin, end;  // a run of byStart_
  };
  void FindInGroup(const Group& group);

  CellReader cell_;
  StartReader start_;
  std::vector<int> byStart_;  // rows with a start, by start and then by row
  std::vector<bool> clashing_;
  bool any_ = false;
};

}  // namespace session
