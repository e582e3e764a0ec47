#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "session/ORSchedule.h"
#include "session/RequestListing.h"
#include "session/Statements.h"

namespace platform {
class Connection;
}

namespace session {

// Another workstation may change, confirm or revoke a request at any time: what acts on a
// request reads it as the server holds it now, through these.

// The requests of one date (as text) as the server lists them now, read to the end and closed,
// with their durations.
// `like`, a listing of about the same size, sizes the buffers.
std::shared_ptr<const RequestListing> ListRequests(platform::Connection& connection,
                                                   const QString& dateText,
                                                   const RequestListing* like = nullptr);

// The text under which the day of a request is listed: its operation date as "MM/DD/YYYY";
// empty when that cannot be read as a date.
QString ListedDayOf(const ORSchedule& request);

// The request with this transaction number as the server holds it now, with its duration,
// wherever its date now lies; none when no request has that number. Held: with an update lock,
// inside a transaction.
std::optional<ORSchedule> ReadRequest(platform::Connection& connection, qint64 transNum,
                                      ByNum lock = ByNum::Read);

// Each request of one date (as text) as the server lists it now, with its duration, one at a
// time, however many the date holds: unlike a listing, this has no row limit.
void ForEachRequest(platform::Connection& connection, const QString& dateText,
                    const std::function<void(const ORSchedule&)>& each);

}  // namespace session
