#include "session/ServerDate.h"

#include "platform/Connection.h"
#include "platform/Format.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace session {

QDateTime ServerNow(platform::Connection& connection) {
  auto records = connection.Open(ServerClockSql(), platform::CursorType::ForwardOnly,
                                 platform::LockType::ReadOnly);
  QDateTime now = platform::ToDateTime(records->Field(QStringLiteral("TDate")));
  // Kept to the second: the pickers and every test against the present work in whole seconds.
  now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
  records->Close();
  modGlobal::ServerDateTime = now;
  return now;
}

}  // namespace session

QDateTime Get_ServerDate(const session::ConnectionProvider& connection) {
  return session::ServerNow(*connection());
}
