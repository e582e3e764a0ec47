#include "suite/widgets/CurrentUserWindow.h"

#include "platform/widgets/MsgBox.h"

namespace suite {

void CurrentUserWindowStandIn::TellRefusal(const QString& why) {
  platform::MsgBox(why, platform::vbOKOnly | platform::vbCritical);
}

}  // namespace suite
