#include "requests/RequestStatus.h"

namespace requests {

RequestStatus StatusOf(QStringView statusText) {
  const QStringView status = statusText.trimmed();
  if (status == u"C") return RequestStatus::Confirmed;
  if (status == u"R") return RequestStatus::Revoked;
  return RequestStatus::Pending;
}

QColor StatusColor(RequestStatus status) {
  switch (status) {
    case RequestStatus::Confirmed:
      return QColor(255, 255, 192);
    case RequestStatus::Revoked:
      return QColor(255, 192, 192);
    case RequestStatus::Pending:
      break;
  }
  return QColor(192, 192, 255);
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

}  // namespace requests
