#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "session/RequestStatus.h"

namespace session {
class RequestListing;
}

namespace requests {

// One request of the day as a block in its room's column, from its start to its end in minutes
// from the day's midnight. A request whose duration is unknown is a short block with no known
// end. Blocks that overlap in one room stand side by side, each in a lane of its own.
struct DayBlock {
  static constexpr int kUnknownEndMinutes = 20;  // the height of a block without a known end

  int row = 0;  // of the listing
  std::optional<qint64> transNum;
  int room = 0;  // its column
  int lane = 0, lanes = 1;
  int start = 0, end = 0;
  bool endKnown = false;
  bool clashing = false;
  session::RequestStatus status = session::RequestStatus::Pending;
  QString patient, procedure, surgeon;

  // "7:00 AM to 9:00 AM", "7:00 AM, no known end": worded when asked for, as few blocks are.
  QString When() const;

  // Everything about it, one part a line: its tooltip, and (joined) its accessible name. Its
  // clashes in the clash sign's words, where given (worked out when shown, as the sign's are).
  QStringList Described(const QStringList& clashTexts = {}) const;
};

// The requests of one listed day, room by room: a column per operating room in the order the
// room list holds them, then one per room code of the listing that no listed room has (headed
// by the code), and the hours the blocks take, running down.
class DayPlan {
 public:
  // `nameOfCode` gives the room name of a request's room code; empty where no room has it.
  DayPlan(const session::RequestListing& listing, const QStringList& roomNames,
          const std::function<QString(const QString& code)>& nameOfCode);

  const QStringList& Rooms() const { return rooms_; }
  // By room, then by start.
  const std::vector<DayBlock>& Blocks() const { return blocks_; }
  // The minutes shown: whole hours from the first start to the last end, at least 7 AM to 7 PM,
  // within the day.
  int FirstMinute() const { return first_; }
  int LastMinute() const { return last_; }

  // The block of this request, -1 where it has none.
  int IndexOf(qint64 transNum) const;
  // The block an arrow key leads to from `block`: up and down the earlier and the later one in
  // its room; left and right the one nearest its start in the next room that has one. -1 where
  // there is none.
  int Next(int block, int key) const;

 private:
  void PlaceInLanes();

  QStringList rooms_;
  std::vector<DayBlock> blocks_;
  int first_ = 0, last_ = 0;
};

}  // namespace requests
