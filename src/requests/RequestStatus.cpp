#include "requests/RequestStatus.h"

namespace requests {

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

}  // namespace requests
