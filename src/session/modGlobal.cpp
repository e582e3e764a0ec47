#include "session/modGlobal.h"

#include "platform/Errors.h"
#include "session/ConnectionProvider.h"

namespace modGlobal {

namespace {

suite::ICurrentUser& LoadedCurrentUser() {
  if (!CurrentUser)
    throw platform::ComponentError(QStringLiteral("The current-user component is not loaded."));
  return *CurrentUser;
}

}  // namespace

std::shared_ptr<platform::Connection> SQLConnection() {
  return LoadedCurrentUser().SQLConnection();
}

QString EmployeeCode() {
  return LoadedCurrentUser().employeecode();
}

void Unload() {
  CodeSearch.reset();
  CurrentUser.reset();  // the connection belongs to the current user and goes with it
  KeyFilter.reset();
  ServerDateTime = QDateTime();
  StaffCode.clear();
  StaffName.clear();
}

}  // namespace modGlobal

namespace session {

ConnectionProvider CurrentUserConnection() {
  return [] { return modGlobal::SQLConnection(); };
}

}  // namespace session
