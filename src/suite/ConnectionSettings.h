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

// The signed-in user's employee code: $ORSCHED_EMPLOYEE, else the demo user's.
QString ConfiguredEmployeeCode();

}  // namespace suite
