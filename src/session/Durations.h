#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>

namespace platform {
class Connection;
}

namespace session {

// The expected durations of one date's requests, as the server keeps them beside the
// hospital's table, by transaction number, each with the operation's start as the server holds
// it, so that its end can be told without the date's listing. Read with one call beside the
// listing and joined to it by number; a request without a row has no known duration.
class DayDurations {
 public:
  struct Entry {
    QDateTime start;
    int minutes = 0;
  };

  void Add(qint64 transNum, const Entry& entry) { byNum_.insert(transNum, entry); }
  std::optional<int> MinutesOf(qint64 transNum) const;
  // The expected end as the lists show it (UntilText); empty where the duration is not known.
  QString UntilTextOf(qint64 transNum) const;

 private:
  QHash<qint64, Entry> byNum_;
};

// The durations of the requests of one date (as text) as the server holds them now.
DayDurations ReadDurations(platform::Connection& connection, const QString& dateText);

}  // namespace session
