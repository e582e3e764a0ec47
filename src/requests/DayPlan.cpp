#include "requests/DayPlan.h"

#include <QHash>
#include <algorithm>

#include "platform/Format.h"
#include "requests/RequestStatus.h"
#include "session/RequestListing.h"

namespace requests {
namespace {

using C = session::RequestColumn;

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kEarliestShown = 7 * 60, kLatestShown = 19 * 60;

QString TimeOfDay(int minute) {
  const QTime time(minute % kMinutesPerDay / 60, minute % 60);
  const QString text = platform::Format(platform::WallClock(platform::ZeroDate(), time),
                                        QStringLiteral("h:mm AM/PM"));
  return minute < kMinutesPerDay ? text : text + QStringLiteral(" the next day");
}

QString Trimmed(const session::RequestListing& listing, int row, C::Column column) {
  return listing.Text(row, column).trimmed().toString();
}

}  // namespace

QString DayBlock::When() const {
  return endKnown ? QStringLiteral("%1 to %2").arg(TimeOfDay(start), TimeOfDay(end))
                  : QStringLiteral("%1, no known end").arg(TimeOfDay(start));
}

QStringList DayBlock::Described(const QStringList& clashTexts) const {
  QStringList lines = {When(), QStringLiteral("Patient: %1").arg(patient),
                       QStringLiteral("Procedure: %1").arg(procedure),
                       QStringLiteral("Surgeon: %1").arg(surgeon), session::LegendWord(status)};
  if (clashing && clashTexts.isEmpty())
    return lines << QStringLiteral("Clashes with another request");
  return lines + clashTexts;
}

DayPlan::DayPlan(const session::RequestListing& listing, const QStringList& roomNames,
                 const std::function<QString(const QString& code)>& nameOfCode)
    : rooms_(roomNames) {
  QHash<QString, int> roomOfCode;
  const auto columnOf = [&](const QString& code) {
    const auto known = roomOfCode.constFind(code);
    if (known != roomOfCode.cend()) return *known;
    const QString name = code.isEmpty() ? QString() : nameOfCode(code);
    int column = name.isEmpty() ? -1 : int(rooms_.indexOf(name));
    if (column < 0) {
      column = int(rooms_.size());
      rooms_ << (code.isEmpty() ? QStringLiteral("(no room)") : code);
    }
    return roomOfCode[code] = column;
  };
  int latestEnd = 0, earliestStart = kMinutesPerDay;
  for (int row = 0; row < listing.Rows(); ++row) {
    const QDateTime at = listing.OperationAt(row);
    if (!at.isValid()) continue;
    DayBlock block;
    block.row = row;
    block.transNum = listing.TransNum(row);
    block.room = columnOf(Trimmed(listing, row, C::kORRoomCode));
    block.start = at.time().hour() * 60 + at.time().minute();
    const std::optional<int> minutes = listing.Minutes(row);
    block.endKnown = minutes.has_value();
    block.end = block.start + (minutes ? *minutes : DayBlock::kUnknownEndMinutes);
    block.status = listing.Status(row);
    block.clashing = listing.clashes().Has(row);
    block.patient = Trimmed(listing, row, C::kPatientName);
    block.procedure = Trimmed(listing, row, C::kProcedure);
    block.surgeon = Trimmed(listing, row, C::kSurgeon);
    earliestStart = std::min(earliestStart, block.start);
    latestEnd = std::max(latestEnd, block.end);
    blocks_.push_back(block);
  }
  std::stable_sort(blocks_.begin(), blocks_.end(), [](const DayBlock& a, const DayBlock& b) {
    return a.room != b.room ? a.room < b.room : a.start < b.start;
  });
  first_ = std::min(kEarliestShown, earliestStart / 60 * 60);
  last_ = std::min(kMinutesPerDay, std::max(kLatestShown, (latestEnd + 59) / 60 * 60));
  PlaceInLanes();
}

// Within a room, each block takes the first lane free at its start; the blocks of a run that
// overlap one another share its width in as many lanes as the run needs.
void DayPlan::PlaceInLanes() {
  std::size_t runStart = 0;
  int runEnd = 0;
  std::vector<int> laneEnds;  // of the run, by lane
  const auto closeRun = [&](std::size_t end) {
    for (std::size_t k = runStart; k < end; ++k)
      blocks_[k].lanes = int(laneEnds.size());
    laneEnds.clear();
    runStart = end;
  };
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    DayBlock& block = blocks_[i];
    if (i > runStart && (block.room != blocks_[runStart].room || block.start >= runEnd))
      closeRun(i);
    runEnd = i == runStart ? block.end : std::max(runEnd, block.end);
    const auto free =
        std::find_if(laneEnds.begin(), laneEnds.end(), [&](int end) { return end <= block.start; });
    block.lane = int(free - laneEnds.begin());
    if (free == laneEnds.end())
      laneEnds.push_back(block.end);
    else
      *free = block.end;
  }
  closeRun(blocks_.size());
}

int DayPlan::IndexOf(qint64 transNum) const {
  for (std::size_t i = 0; i < blocks_.size(); ++i)
    if (blocks_[i].transNum == transNum) return int(i);
  return -1;
}

int DayPlan::Next(int from, int key) const {
  if (from < 0 || from >= int(blocks_.size())) return blocks_.empty() ? -1 : 0;
  const DayBlock& block = blocks_[from];
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    const int next = key == Qt::Key_Up ? from - 1 : from + 1;
    return next >= 0 && next < int(blocks_.size()) && blocks_[next].room == block.room ? next : -1;
  }
  if (key != Qt::Key_Left && key != Qt::Key_Right) return -1;
  const int step = key == Qt::Key_Left ? -1 : 1;
  for (int room = block.room + step; room >= 0 && room < int(rooms_.size()); room += step) {
    int nearest = -1;
    for (int i = 0; i < int(blocks_.size()); ++i)
      if (blocks_[i].room == room &&
          (nearest < 0 || std::abs(blocks_[i].start - block.start) <
                              std::abs(blocks_[nearest].start - block.start)))
        nearest = i;
    if (nearest >= 0) return nearest;
  }
  return -1;
}

}  // namespace requests
