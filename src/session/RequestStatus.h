#pragma once

#include <QString>
#include <QStringView>

namespace session {

// The status of a request, from the server's status letter: "C" confirmed, "R" revoked,
// anything else pending. Compared after trimming, case-sensitively. Held in one byte, as a
// listing keeps one per request.
enum class RequestStatus : char { Pending = 'P', Confirmed = 'C', Revoked = 'R' };

RequestStatus StatusOf(QStringView statusText);
QString LegendWord(RequestStatus status);

}  // namespace session
