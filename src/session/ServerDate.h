#pragma once

#include "session/ConnectionProvider.h"

// Reads the database server's clock into modGlobal::ServerDateTime. The workstation's clock is
// never used for "now". Throws on a database failure; ServerDateTime then keeps its value.
void Get_ServerDate(
    const session::ConnectionProvider& connection = session::CurrentUserConnection());
