#pragma once

#include <QDateTime>

#include "session/ConnectionProvider.h"

namespace platform {
class Connection;
}

// Reads the database server's clock, to the second, and returns it; the value is kept in
// modGlobal::ServerDateTime as the one last read. The workstation's clock is never used for
// "now". Throws on a database failure; ServerDateTime then keeps its value.
QDateTime Get_ServerDate(
    const session::ConnectionProvider& connection = session::CurrentUserConnection());

namespace session {
// The server's clock read on this connection (inside a transaction, say), also kept as the one
// last read.
QDateTime ServerNow(platform::Connection& connection);
}  // namespace session
