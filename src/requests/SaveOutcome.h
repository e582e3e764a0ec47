#pragma once

#include <QSet>
#include <QString>
#include <optional>

#include "session/ORSchedule.h"

namespace platform {
class Connection;
}

namespace requests {

// A new request on its way to the server, with the requests its day listed just before it was
// sent. When the link breaks while it is sent, the server may or may not have stored it:
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

  const session::ORSchedule& request() const { return request_; }

 private:
  session::ORSchedule request_;
  QString savedBy_;
  QString day_;
  QSet<QString> listedBefore_;  // transaction numbers, trimmed
};

}  // namespace requests
