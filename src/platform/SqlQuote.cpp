#include "platform/SqlQuote.h"

#include <algorithm>

namespace platform {

QString SqlQuote(const QString& value) {
  QString quoted = value;
  quoted.replace(QLatin1Char('\''), QLatin1String("''"));
  return quoted;
}

QString SqlLiteral(const QString& value) {
  const bool ascii =
      std::all_of(value.cbegin(), value.cend(), [](QChar ch) { return ch.unicode() < 0x80; });
  return (ascii ? QStringLiteral("'") : QStringLiteral("N'")) + SqlQuote(value) + u'\'';
}

}  // namespace platform
