#pragma once

#include <QString>
#include <memory>

namespace platform {
class Connection;
}

namespace suite {

// How the current-user stand-in finds its database: the ODBC connection string in
// $ORSCHED_ODBC when set (the hospital's SQL Server), else the embedded database, created and
// seeded on first use. Throws platform::DatabaseError when the database cannot be opened.
std::shared_ptr<platform::Connection> OpenConfiguredConnection();

// The statement that asks the server for its login and the employee the login is mapped to
// (SCHEDULE..tbORLogin): one row, LoginName and EmployeeID, null when it is mapped to none.
QString LoginEmployeeSql();

// The signed-in user's employee code. Where the server maps the connection's login to an
// employee, that employee: $ORSCHED_EMPLOYEE may only repeat it, and naming another throws
// platform::ComponentError with a message for the user. Elsewhere (no mapping, or a server
// without the mapping's procedure) $ORSCHED_EMPLOYEE, else the demo user's. A lost link
// throws platform::LinkError.
QString SignedInEmployeeCode(platform::Connection& connection);

}  // namespace suite
