#pragma once

#include <QVariant>

#include "suite/Component.h"

namespace suite {

inline const QString kKeyPressProgId = QStringLiteral("Typegate.KeyPress");

// The keystroke component: maps a typed key code.
class IKeyPress : public Component {
 public:
  // Returns the new key code; callers take the result, not what is left in the argument.
  virtual QVariant AllUppers(qint16& keyAscii) = 0;
};

// The stand-in: letters come back in upper case (any script that has case), every other key,
// Enter (13) included, unchanged.
class KeyPressStandIn : public IKeyPress {
 public:
  QVariant AllUppers(qint16& keyAscii) override;
};

}  // namespace suite
