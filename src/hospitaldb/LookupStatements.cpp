// The statements that read rooms, staff, doctors and the clock.
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/StatementHandlers.h"
#include "hospitaldb/TsqlDate.h"

namespace hospitaldb {
namespace {

std::unique_ptr<platform::Recordset> Select(const StatePtr& state, const QString& sql,
                                            const QStringList& values,
                                            std::vector<int> dateColumns = {}) {
  QSqlQuery query = PrepareQuery(state->database(), sql);
  for (const QString& value : values)
    query.addBindValue(value);
  ExecQuery(query);
  return MakeRecordset(state, std::move(query), std::move(dateColumns));
}

// The staff search's display name, built as the client's statement builds it, and compared,
// made distinct and ordered as SQL Server does under a case-insensitive collation.
const char* const kOrStaffSelect =
    "SELECT DISTINCT employeeid COLLATE TSQL AS CODE,"
    " (ifnull(lastname, '') || ' ,' || ifnull(firstname, '') || ' ' || ifnull(middlename, ''))"
    "   COLLATE TSQL AS \"OR STAFF\""
    " FROM tbpasswordmain WHERE originaldepartment = '29' COLLATE TSQL";

}  // namespace

std::unique_ptr<platform::Recordset> ServerDate(const StatePtr& state, const QStringList&) {
  return Select(state, QStringLiteral("SELECT ? AS TDate"), {StoredDateTimeText(state->now())},
                {0});
}

std::unique_ptr<platform::Recordset> RoomById(const StatePtr& state, const QStringList& values) {
  return Select(state,
                QStringLiteral("SELECT RoomID, RoomName FROM tbOrRoom"
                               " WHERE RoomID = ? COLLATE TSQL ORDER BY rowid"),
                values);
}

std::unique_ptr<platform::Recordset> RoomIdByName(const StatePtr& state,
                                                  const QStringList& values) {
  return Select(state,
                QStringLiteral("SELECT RoomID FROM tbOrRoom"
                               " WHERE RoomName = ? COLLATE TSQL ORDER BY rowid"),
                values);
}

std::unique_ptr<platform::Recordset> ListRooms(const StatePtr& state, const QStringList&) {
  return Select(
      state, QStringLiteral("SELECT RoomName AS \"Room Name\" FROM tbOrRoom ORDER BY rowid"), {});
}

std::unique_ptr<platform::Recordset> AllOrStaff(const StatePtr& state, const QStringList&) {
  return Select(state, QString::fromLatin1(kOrStaffSelect) + QStringLiteral(" ORDER BY 2, 1"), {});
}

// values: the last-name pattern ("KEY%") and the employee code.
std::unique_ptr<platform::Recordset> OrStaffByKey(const StatePtr& state,
                                                  const QStringList& values) {
  return Select(state,
                QString::fromLatin1(kOrStaffSelect) +
                    QStringLiteral(" AND (tsql_like(lastname, ?) OR employeeid = ? COLLATE TSQL)"
                                   " ORDER BY 2, 1"),
                values);
}

// values: the last-name pattern ("KEY%") and the doctor's code.
std::unique_ptr<platform::Recordset> SearchDoctors(const StatePtr& state,
                                                   const QStringList& values) {
  return Select(state,
                QStringLiteral("SELECT DoctorCode AS CODE, LastName AS \"LAST NAME\","
                               " FirstName AS \"FIRST NAME\", Specialty AS SPECIALTY"
                               " FROM tbDoctor"
                               " WHERE tsql_like(LastName, ?) OR DoctorCode = ? COLLATE TSQL"
                               " ORDER BY LastName COLLATE TSQL, FirstName COLLATE TSQL"),
                values);
}

// One row: the login, the employee it is mapped to (null when it is mapped to none) and
// whether the server takes work only under that employee.
std::unique_ptr<platform::Recordset> LoginEmployee(const StatePtr& state, const QStringList&) {
  QSqlQuery query = PrepareQuery(state->database(),
                                 QStringLiteral("SELECT ? AS LoginName, (SELECT EmployeeID FROM"
                                                " tbORLogin WHERE LoginName = ? COLLATE TSQL)"
                                                " AS EmployeeID, ? AS Enforced"));
  query.addBindValue(state->login);
  query.addBindValue(state->login);
  query.addBindValue(EnforcesLoginEmployee(state->database()) ? 1 : 0);
  ExecQuery(query);
  return MakeRecordset(state, std::move(query));
}

bool EnforcesLoginEmployee(const QSqlDatabase& db) {
  return ReadScalar(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM tbORSetting"
                                       " WHERE SettingName = 'EnforceLoginEmployee' COLLATE TSQL"
                                       " AND SettingValue = 'on' COLLATE TSQL)"))
      .toBool();
}

}  // namespace hospitaldb
