#pragma once

#include <QColor>

#include "session/RequestStatus.h"

namespace requests {

using session::RequestStatus;

// The colour of a request's row, on the list, the printout and the legend.
QColor StatusColor(RequestStatus status);

}  // namespace requests
