#include "platform/Duration.h"

namespace platform {

QString DurationText(int minutes) {
  return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace platform
