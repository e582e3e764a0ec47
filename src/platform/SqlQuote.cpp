#include "platform/SqlQuote.h"

namespace platform {

QString SqlQuote(const QString& value) {
  QString quoted = value;
  quoted.replace(QLatin1Char('\''), QLatin1String("''"));
  return quoted;
}

}  // namespace platform
