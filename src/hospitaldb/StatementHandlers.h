#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/Connection.h"

class QSqlDatabase;
class QSqlQuery;

namespace hospitaldb {

struct ServerState;
using StatePtr = std::shared_ptr<ServerState>;

// Runs one statement text of the client on the embedded database: recognises it by its shape,
// binds its quoted values as parameters and returns its rows, or nullptr for a statement that
// returns none. Throws platform::DatabaseError for an unknown text or a failure, with the
// message SQL Server would give where there is one.
std::unique_ptr<platform::Recordset> RunStatement(const StatePtr& state, const QString& sql);

// The handlers, one per statement the client sends. `values` are the statement's quoted
// values in order.
using StatementHandler = std::unique_ptr<platform::Recordset> (*)(const StatePtr& state,
                                                                  const QStringList& values);
std::unique_ptr<platform::Recordset> ServerDate(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> RoomById(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> RoomIdByName(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> ListRooms(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> AllOrStaff(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> OrStaffByKey(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> ListSchedules(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> SaveSchedule(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> UpdateScheduleStatus(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> ConfirmedToday(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> SearchDoctors(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> LoginEmployee(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> FindSchedules(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> ScheduleByNum(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> ListDurations(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> SetDuration(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> BeginTransaction(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> CommitTransaction(const StatePtr&, const QStringList&);
std::unique_ptr<platform::Recordset> RollbackTransaction(const StatePtr&, const QStringList&);

// What SQL Server does under the client's XACT_ABORT ON when a statement fails inside a
// transaction: the whole transaction is rolled back.
void AbortTransaction(const StatePtr& state);

// The rows of an executed query. The recordset keeps the server state alive as long as it
// exists, so that the Qt SQL connection outlives every query on it.
std::unique_ptr<platform::Recordset> MakeRecordset(const StatePtr& state, QSqlQuery&& query,
                                                   std::vector<int> dateColumns = {});
// A recordset without fields or rows (what a write returns when it is opened).
std::unique_ptr<platform::Recordset> EmptyRecordset(const StatePtr& state);

// Whether the server takes saves, confirmations and revocations only under the employee its
// login is mapped to: the setting EnforceLoginEmployee of tbORSetting is "on".
bool EnforcesLoginEmployee(const QSqlDatabase& db);

// Messages of the procedures themselves.
QString UnknownTransactionError(const QString& transNum);
QString NotANumberError(const QString& value);
QString DurationError(const QString& value);

}  // namespace hospitaldb
