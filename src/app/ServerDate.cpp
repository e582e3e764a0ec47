#include "app/ServerDate.h"

#include "app/modGlobal.h"
#include "platform/Connection.h"
#include "platform/Format.h"

void Get_ServerDate() {
  auto records = modGlobal::SQLConnection()->Open(QStringLiteral("select getdate() as TDate"),
                                                  platform::CursorType::ForwardOnly,
                                                  platform::LockType::ReadOnly);
  const QDateTime now = platform::ToDateTime(records->Field(QStringLiteral("TDate")));
  modGlobal::ServerDateTime = now;
  records->Close();
}
