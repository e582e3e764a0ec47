#include "suite/KeyPress.h"

#include <QChar>

namespace suite {

QVariant KeyPressStandIn::AllUppers(qint16& keyAscii) {
  // Key codes are 16-bit signed; characters above 0x7FFF arrive negative.
  const char16_t code = static_cast<char16_t>(keyAscii);
  const QChar upper = QChar(code).toUpper();
  keyAscii = static_cast<qint16>(upper.unicode());
  return QVariant(static_cast<int>(keyAscii));
}

}  // namespace suite
