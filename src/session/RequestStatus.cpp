#include "session/RequestStatus.h"

namespace session {

RequestStatus StatusOf(QStringView statusText) {
  const QStringView status = statusText.trimmed();
  if (status == u"C") return RequestStatus::Confirmed;
  if (status == u"R") return RequestStatus::Revoked;
  return RequestStatus::Pending;
}

QString LegendWord(RequestStatus status) {
  switch (status) {
    case RequestStatus::Confirmed:
      return QStringLiteral("Confirmed");
    case RequestStatus::Revoked:
      return QStringLiteral("Revoked");
    case RequestStatus::Pending:
      break;
  }
  return QStringLiteral("Pending");
}

}  // namespace session
