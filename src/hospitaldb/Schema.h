#pragma once

#include <QSqlDatabase>

namespace hospitaldb {

// Creates the tables and indexes the server needs when they are missing, and the one row of
// the server-information table. Safe to run on every open; a file it has already set up is
// only read. The schema uses nothing of the program's own (no collation, no function), so
// that the sqlite3 shell and any other SQLite tool can read and write every table.
//
//   tbOrRoom        operating rooms (RoomID, RoomName), listed in the order they were added
//   tbORSchedule    one row per operation request; the names of staff are stored beside their
//                   codes as resolved when the request was saved, so that the listing of a
//                   date is one scan of the OperationDate index
//   tbORScheduleDuration  the expected duration of a request, where it is known (the project's
//                   own, beside the hospital's table)
//   tbpasswordmain  the hospital's staff (department '29' is the operating room)
//   tbDoctor        the doctors the code search lists
//   tbORLogin       which employee each login is; tbORSetting, whether that is enforced
//   tbServerInfo    one row: the clock offset in seconds and the date the demo data was made
void CreateSchema(const QSqlDatabase& db);

}  // namespace hospitaldb
