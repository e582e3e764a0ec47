#include "app/modGlobal.h"

#include "platform/Errors.h"

namespace modGlobal {

std::shared_ptr<platform::Connection> SQLConnection() {
  if (!CurrentUser)
    throw platform::ComponentError(QStringLiteral("The current-user component is not loaded."));
  return CurrentUser->SQLConnection();
}

}  // namespace modGlobal
