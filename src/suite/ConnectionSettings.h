#pragma once

#include <QString>
#include <memory>

namespace platform {
class Connection;
}

namespace suite {

// The program's name as the server's sessions show it.
inline const QString kApplicationName = QStringLiteral("OR Scheduler");

// How the current-user stand-in finds its database: the ODBC connection string in
// $ORSCHED_ODBC when set (the hospital's SQL Server; the program's name is added as its APP
// unless it names one), else the embedded database, created and seeded on first use. Throws
// platform::DatabaseError when the database cannot be opened.
std::shared_ptr<platform::Connection> OpenConfiguredConnection();

// The statement that asks the server for its login and the employee the login is mapped to
// (SCHEDULE..tbORLogin): one row, LoginName and EmployeeID, null when it is mapped to none.
QString LoginEmployeeSql();

// The signed-in user's employee code. Where the server maps the connection's login to an
// employee, that employee: $ORSCHED_EMPLOYEE may only repeat it. Elsewhere (no mapping, or a
// server without the mapping's procedure) $ORSCHED_EMPLOYEE, else on the embedded database the
// demo user's. A sign-in that cannot be (another employee than the login's, no employee on a
// server, a server that enforces the mapping and maps the login to none) throws
// platform::ComponentError with a message for the user. A lost link throws
// platform::LinkError.
QString SignedInEmployeeCode(platform::Connection& connection);

}  // namespace suite
