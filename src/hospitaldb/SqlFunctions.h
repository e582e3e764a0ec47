#pragma once

#include <QSqlDatabase>

namespace hospitaldb {

// Registers on the connection's SQLite handle what the statements need to behave as SQL
// Server does:
//   COLLATE TSQL              case-insensitive, trailing blanks not significant ('=', ORDER BY,
//                             DISTINCT)
//   tsql_like(value, pattern) T-SQL LIKE; null when either side is null
//   board_time(datetime text) the time of day as "hh:mm AM/PM" ("08:30 AM")
// Throws platform::DatabaseError when the driver does not expose an SQLite handle.
void RegisterTsqlFunctions(const QSqlDatabase& db);

// Whether the connection is inside a transaction.
bool InTransaction(const QSqlDatabase& db);

}  // namespace hospitaldb
