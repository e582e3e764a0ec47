#pragma once

#include <QDateTime>
#include <QString>
#include <memory>

#include "suite/CodeSearch.h"
#include "suite/CurrentUser.h"
#include "suite/KeyPress.h"

namespace platform {
class Connection;
}

// The program-wide state that start-up fills and every part of the program reads.
namespace modGlobal {

inline std::shared_ptr<suite::ICurrentUser> CurrentUser;
inline std::shared_ptr<suite::ICodeSearch> CodeSearch;
inline std::shared_ptr<suite::IKeyPress> KeyFilter;

// The database server's date and time as last read by Get_ServerDate; it does not advance
// between two reads.
inline QDateTime ServerDateTime;

// The staff search window's result.
inline QString StaffCode;
inline QString StaffName;

// The connection, read afresh from the current-user component at every database access.
// Throws platform::ComponentError when the component is not loaded.
std::shared_ptr<platform::Connection> SQLConnection();

// The signed-in user's employee code, read afresh from the current-user component. Throws
// platform::ComponentError when the component is not loaded.
QString EmployeeCode();

// What unloading the main window does to the program-wide state: releases the components in
// the order CodeSearch, CurrentUser, KeyFilter, and forgets the server time and the last staff
// pick, so that nothing of one session is read by the next.
void Unload();

}  // namespace modGlobal
