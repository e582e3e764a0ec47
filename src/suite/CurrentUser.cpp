#include "suite/CurrentUser.h"

#include <QDebug>

#include "platform/Connection.h"
#include "platform/widgets/MsgBox.h"
#include "suite/ConnectionSettings.h"

namespace suite {

void CurrentUserStandIn::showmain() {
  connection_.reset();
  employeeCode_.clear();
  connectError_.clear();
  try {
    connection_ = OpenConfiguredConnection();
    employeeCode_ = SignedInEmployeeCode(*connection_);
  } catch (const platform::ComponentError& error) {
    // The sign-in itself is refused: say why, before the client's "Connection Failed".
    connection_.reset();
    connectError_ = error.message();
    platform::MsgBox(connectError_, platform::vbOKOnly | platform::vbCritical);
  } catch (const platform::RuntimeError& error) {
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
