#pragma once

#include <functional>
#include <memory>

namespace platform {
class Connection;
}

namespace session {

// Where a class that talks to the database gets its connection. It is asked afresh at every
// access, as the program never keeps the connection itself. Tests hand in a recording or
// failing connection instead of the current user's.
using ConnectionProvider = std::function<std::shared_ptr<platform::Connection>()>;

// The current-user component's connection (modGlobal::SQLConnection), the program's default.
ConnectionProvider CurrentUserConnection();

}  // namespace session
