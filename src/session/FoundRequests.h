#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "session/RequestStatus.h"

namespace platform {
class Connection;
}

namespace session {

// The most requests a find lists. The server sends one more when more requests match.
constexpr int kMostFound = 200;

// A request as a find lists it: enough to recognise it and to list its date.
struct FoundRequest {
  QDateTime operationDate;  // invalid when the server's value is no date
  QString patientName, procedure, orRoom, surgeon;
  RequestStatus status;
  std::optional<qint64> transNum;
};

struct FoundRequests {
  std::vector<FoundRequest> requests;  // newest first, at most kMostFound
  bool more = false;                   // more requests match than are listed
};

// Whether a find is worth sending: a transaction number, or two characters of a name at least.
bool IsSearchable(const QString& text);

// The requests of any date whose patient's name begins with `text`, or whose transaction number
// it is, as the server finds them now. Throws on a database failure.
FoundRequests FindRequests(platform::Connection& connection, const QString& text);

}  // namespace session
