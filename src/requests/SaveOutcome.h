#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "session/ConnectionProvider.h"
#include "session/ORSchedule.h"

namespace platform {
class Connection;
}

namespace requests {

// A new request on its way to the server, with the requests its day listed just before it was
// sent. When the answer to its commit is lost, the server may or may not have stored it:
// listing the day again tells, so that the user is neither told a stored request failed nor
// led to store it twice.
class SentRequest {
 public:
  // Lists `day` (the request's day as "MM/DD/YYYY") before the request is sent by the employee
  // `savedBy`.
  SentRequest(platform::Connection& connection, session::ORSchedule request, QString savedBy,
              QString day);

  // Lists the day again: the request as stored (a request not listed before that holds every
  // field sent, saved by the same employee), or none when the server did not store it. Throws
  // when the server cannot be asked, and then nothing is known yet.
  std::optional<session::ORSchedule> FindStored(platform::Connection& connection) const;
  // Inside the transaction that saved it, before its duration is set: its transaction number,
  // found as FindStored finds it, but for the duration. Throws when it is not there.
  qint64 NumberSaved(platform::Connection& connection) const;

  const session::ORSchedule& request() const { return request_; }

 private:
  std::optional<session::ORSchedule> Find(platform::Connection& connection,
                                          const session::ORSchedule& sent) const;

  session::ORSchedule request_;
  QString savedBy_;
  QString day_;
  QSet<qint64> listedBefore_;
};

// What became of a write whose commit's answer was lost.
enum class Fate { Stored, NotStored, Unknown };

// This desk's own changes of saved requests (an edit, a confirmation, a revocation) whose
// commit's answer was lost: each is read back by its number as soon as the server answers.
// Found as sent, it is this desk's own change, never another workstation's; otherwise the user
// is told. One not yet known outlives Cancel, New and loads until it is settled.
class OwnWrites {
 public:
  explicit OwnWrites(session::ConnectionProvider connection = session::CurrentUserConnection());

  // Told of each request as this desk stored it (`statusOnly`: its confirmation or revocation),
  // so that what the form loaded of it follows.
  void OnOwnChange(std::function<void(const session::ORSchedule& stored, bool statusOnly)> noted) {
    noted_ = std::move(noted);
  }
  void Stored(const session::ORSchedule& stored, bool statusOnly) const;

  // A change of a saved request as sent (`sent`), or (`statusOnly`) its status set to
  // sent.status at or after `since` by the server's clock.
  struct Unsure {
    session::ORSchedule sent;
    bool statusOnly = false;
    QDateTime since;
  };
  // Reads it back at once. Unknown while the server does not answer: it is kept for Settle.
  Fate LookUp(const Unsure& write);
  // Reads back every write kept, tells the user what became of each, and forgets it. False,
  // having said so, while the server cannot tell yet: the caller then sends nothing.
  bool Settle();

  // "The change to the schedule of patient ...", and the like, for the messages.
  static QString Described(const Unsure& write);

 private:
  session::ConnectionProvider connection_;
  std::function<void(const session::ORSchedule&, bool)> noted_;
  std::map<qint64, Unsure> unsure_;  // by transaction number
};

// Tells the user, under "Notification!".
void Notify(const QString& text, int icon);

}  // namespace requests
