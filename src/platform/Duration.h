#pragma once

#include <QString>

namespace platform {

// A length of time in whole minutes as the program shows it: hours, a colon and two digits of
// minutes ("0:45", "1:30", "24:00").
QString DurationText(int minutes);

}  // namespace platform
