#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "session/RequestStatus.h"

namespace session {

struct ORSchedule;

// Every statement text the client sends, one builder each. Values go between single quotes
// through the one quoting helper, so that a name such as O'BRIEN arrives intact, and one with
// letters beyond ASCII (ЖУКОВА, PEÑA) goes as a Unicode literal N'...' so that the server keeps
// them; an ASCII value without an apostrophe gives the text word for word as the server's
// procedures expect it. Where a statement sends a value trimmed, its builder trims it. Typed
// values (dates, numbers, a status) are made into text here, where the statement is built.

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
// Stores a request: a new one when it has no transaction number, else a change of that request.
// The eighteen arguments are taken from the request as they are, untrimmed, staff by code; the
// operation as its date, month/day/year, and its time "hh:mm:ss AM/PM"; who saves it, and when
// by the server's clock (the platform's default text; none: empty).
QString SaveScheduleSql(const ORSchedule& request, const QString& savedBy,
                        const QDateTime& savedAt);
// Confirms (Confirmed) or revokes (Revoked) a request: "C" or "R", the employee code as it is.
QString UpdateScheduleSql(RequestStatus status, const QString& employeeCode, qint64 transNum);
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
// One request by its transaction number, in the columns of the request list. Held: inside a
// transaction, the row is read with an update lock and held until the transaction ends, so that
// another desk's check of it waits for this desk's commit.
enum class ByNum { Read, Held };
QString ScheduleByNumSql(qint64 transNum, ByNum lock = ByNum::Read);
// The expected durations of the requests of one date, the date as text: TransNum,
// OperationDate and Minutes, one row per request whose duration is known.
QString ScheduleDurationsSql(const QString& dateText);
// Sets the expected duration of a request, in minutes, or (none) clears it.
QString SetDurationSql(qint64 transNum, std::optional<int> minutes);
// A transaction on the connection, its commit, and the rollback sent after any failure inside
// it (which does nothing where the server has already ended the transaction).
QString BeginTransactionSql();
QString CommitTransactionSql();
QString RollbackTransactionSql();

}  // namespace session
