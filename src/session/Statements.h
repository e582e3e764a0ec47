#pragma once

#include <QString>

namespace session {

struct ORSchedule;

// Every statement text the client sends, one builder each. Values go between single quotes
// through the one quoting helper, so that a name such as O'BRIEN arrives intact, and one with
// letters beyond ASCII (ЖУКОВА, PEÑA) goes as a Unicode literal N'...' so that the server keeps
// them; an ASCII value without an apostrophe gives the text word for word as the server's
// procedures expect it. Where a statement sends a value trimmed, its builder trims it.

// The server's clock, in the field TDate.
QString ServerClockSql();
// The requests of one date, the date as text.
QString ScheduleListSql(const QString& dateText);
// The operating rooms, in the field "Room Name".
QString RoomListSql();
// The name (RoomName) of the room with this code; the code is sent trimmed.
QString RoomNameSql(const QString& roomCode);
// The code (RoomID) of the room with this name; the name is sent trimmed.
QString RoomCodeSql(const QString& roomName);
// Stores a request: a new one when its transNum is empty, else a change of that request. The
// eighteen arguments are taken from the request as they are, untrimmed: the operation date
// and time as `request.operationDate` holds it, the room's code from `request.orRoomCode`,
// and who saves it and when.
QString SaveScheduleSql(const ORSchedule& request, const QString& savedBy, const QString& savedAt);
// Sets a request's status, "C" to confirm or "R" to revoke; the transaction number is sent
// trimmed, the employee code as it is.
QString UpdateScheduleSql(const QString& statusLetter, const QString& employeeCode,
                          const QString& transNum);
// The operating-room staff (department 29), code and display name, sorted by name.
QString AllOrStaffSql();
// The operating-room staff whose last name begins with the trimmed key or whose code is the
// key as typed.
QString OrStaffByKeySql(const QString& searchKey);
// The confirmed operations of the board.
QString ConfirmedListSql();
// The requests of any date whose patient's name begins with the text, or whose transaction
// number it is, newest first; the text is sent trimmed.
QString FindRequestsSql(const QString& searchText);
// One request by its transaction number, sent trimmed, in the columns of the request list.
QString ScheduleByNumSql(const QString& transNum);

}  // namespace session
