#pragma once

#include "suite/CurrentUser.h"

namespace suite {

// The current-user stand-in as the program runs it: a refused sign-in is said in a message
// box, before the client's "Connection Failed".
class CurrentUserWindowStandIn : public CurrentUserStandIn {
 protected:
  void TellRefusal(const QString& why) override;
};

}  // namespace suite
