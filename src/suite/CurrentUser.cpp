#include "suite/CurrentUser.h"

#include <QDebug>

#include "platform/Connection.h"
#include "suite/ConnectionSettings.h"

namespace suite {

void CurrentUserStandIn::showmain() {
  connection_.reset();
  employeeCode_.clear();
  connectError_.clear();
  try {
    connection_ = OpenConfiguredConnection();
    employeeCode_ = SignedInEmployeeCode(*connection_);
  } catch (const platform::RuntimeError& error) {
    // A database that cannot be opened, or a sign-in refused: the client says why.
    connection_.reset();
    connectError_ = error.message();
    qWarning().noquote() << "The current user could not connect:" << connectError_;
  }
}

std::shared_ptr<platform::Connection> CurrentUserStandIn::SQLConnection() {
  if (!connection_)
    throw platform::ComponentError(QStringLiteral("The current user has no open connection."));
  return connection_;
}

}  // namespace suite
