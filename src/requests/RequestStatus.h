#pragma once

#include <QColor>
#include <QString>

namespace requests {

// The status of a request, from the status column of the list: "C" confirmed, "R" revoked,
// anything else pending. Compared after trimming, case-sensitively.
enum class RequestStatus { Pending, Confirmed, Revoked };

RequestStatus StatusOf(QStringView statusText);
QColor StatusColor(RequestStatus status);
QString LegendWord(RequestStatus status);

}  // namespace requests
