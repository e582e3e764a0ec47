#include "app/ServerDate.h"

#include "app/modGlobal.h"
#include "platform/Connection.h"
#include "platform/Format.h"

void Get_ServerDate() {
  auto records = modGlobal::SQLConnection()->Open(QStringLiteral("select getdate() as TDate"),
                                                  platform::CursorType::ForwardOnly,
                                                  platform::LockType::ReadOnly);
  QDateTime now = platform::ToDateTime(records->Field(QStringLiteral("TDate")));
  // Kept to the second: the pickers and every test against the present work in whole seconds.
  now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
  modGlobal::ServerDateTime = now;
  records->Close();
}
