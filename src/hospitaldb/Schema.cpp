#include "hospitaldb/Schema.h"

#include "hospitaldb/SqlHelpers.h"

namespace hospitaldb {
namespace {

const char* const kStatements[] = {
    "CREATE TABLE IF NOT EXISTS tbOrRoom ("
    " RoomID TEXT NOT NULL PRIMARY KEY,"
    " RoomName TEXT)",

    "CREATE TABLE IF NOT EXISTS tbORSchedule ("
    " TransNum INTEGER PRIMARY KEY AUTOINCREMENT,"
    " PatientName TEXT NOT NULL DEFAULT '',"
    " ProcedureName TEXT NOT NULL DEFAULT '',"
    " RoomNo TEXT NOT NULL DEFAULT '',"
    " ORRoomID TEXT NOT NULL DEFAULT '',"
    " SurgeonCode TEXT NOT NULL DEFAULT '', Surgeon TEXT NOT NULL DEFAULT '',"
    " AnesCode TEXT NOT NULL DEFAULT '', Anesthesiologist TEXT NOT NULL DEFAULT '',"
    " OperationDate TEXT NOT NULL,"
    " Remarks TEXT NOT NULL DEFAULT '',"
    " CNurseCode TEXT NOT NULL DEFAULT '', CNurse TEXT NOT NULL DEFAULT '',"
    " SNurseCode TEXT NOT NULL DEFAULT '', SNurse TEXT NOT NULL DEFAULT '',"
    " SNurse2Code TEXT NOT NULL DEFAULT '', SNurse2 TEXT NOT NULL DEFAULT '',"
    " Surgeon1Code TEXT NOT NULL DEFAULT '', AsstSurgeon1 TEXT NOT NULL DEFAULT '',"
    " Surgeon2Code TEXT NOT NULL DEFAULT '', AsstSurgeon2 TEXT NOT NULL DEFAULT '',"
    " Anes2Code TEXT NOT NULL DEFAULT '', AsstAnesthesiologist TEXT NOT NULL DEFAULT '',"
    " AsstDocCode TEXT NOT NULL DEFAULT '', AsstDoctor TEXT NOT NULL DEFAULT '',"
    " EncodedBy TEXT NOT NULL DEFAULT '', DateEncoded TEXT,"
    " UpdatedBy TEXT, DateUpdated TEXT,"
    " Status TEXT NOT NULL DEFAULT 'P',"
    " ConfirmedByCode TEXT, ConfirmedBy TEXT, DateConfirmed TEXT,"
    " RevokedByCode TEXT, RevokedBy TEXT, DateRevoked TEXT)",

    "CREATE INDEX IF NOT EXISTS ixORScheduleOperationDate ON tbORSchedule (OperationDate)",

    // The project's own beside the hospital's table: the expected duration of a request whose
    // duration is known, by its transaction number.
    "CREATE TABLE IF NOT EXISTS tbORScheduleDuration ("
    " TransNum INTEGER NOT NULL PRIMARY KEY,"
    " Minutes INTEGER NOT NULL CHECK (Minutes BETWEEN 5 AND 1440))",

    "CREATE TABLE IF NOT EXISTS tbpasswordmain ("
    " employeeid TEXT,"
    " lastname TEXT, firstname TEXT, middlename TEXT,"
    " originaldepartment TEXT)",

    "CREATE INDEX IF NOT EXISTS ixPasswordMainDepartment"
    " ON tbpasswordmain (originaldepartment)",

    "CREATE TABLE IF NOT EXISTS tbDoctor ("
    " DoctorCode TEXT NOT NULL PRIMARY KEY,"
    " LastName TEXT NOT NULL DEFAULT '', FirstName TEXT NOT NULL DEFAULT '',"
    " MiddleName TEXT NOT NULL DEFAULT '', Specialty TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS tbORLogin ("
    " LoginName TEXT NOT NULL PRIMARY KEY,"
    " EmployeeID TEXT NOT NULL)",

    // The project's own settings, by name. "EnforceLoginEmployee" = "on" makes every save,
    // confirmation and revocation take only the employee tbORLogin maps the login to.
    "CREATE TABLE IF NOT EXISTS tbORSetting ("
    " SettingName TEXT NOT NULL PRIMARY KEY,"
    " SettingValue TEXT NOT NULL)",

    "CREATE TABLE IF NOT EXISTS tbServerInfo ("
    " OneRow INTEGER NOT NULL PRIMARY KEY CHECK (OneRow = 1),"
    " ClockOffsetSeconds INTEGER NOT NULL DEFAULT 0,"
    " DemoSeededOn TEXT)",

    "INSERT OR IGNORE INTO tbServerInfo (OneRow, ClockOffsetSeconds) VALUES (1, 0)",

    // A patient's requests across dates, found by the beginning of the name. The index uses
    // SQLite's own NOCASE, so that any SQLite tool can write the table; an earlier version's
    // index used a collation of the program's own, which no other tool has.
    "DROP INDEX IF EXISTS ixORSchedulePatientName",
    "CREATE INDEX IF NOT EXISTS ixORSchedulePatientNameNoCase"
    " ON tbORSchedule (PatientName COLLATE NOCASE)",
};

// Written to the file's user version once the statements above have run on it. Raise it
// whenever they change, so that files made by an earlier version get what is new.
constexpr int kSchemaVersion = 5;

}  // namespace

void CreateSchema(const QSqlDatabase& db) {
  // Every start but the first finds the schema in place: one read instead of a write
  // transaction that changes nothing, and that would wait for another program writing to the
  // file.
  if (ReadScalar(db, QStringLiteral("PRAGMA user_version")).toInt() == kSchemaVersion) return;
  WriteTransaction transaction(db);
  for (const char* statement : kStatements)
    ExecStatement(db, QString::fromLatin1(statement));
  ExecStatement(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
  transaction.Commit();
}

}  // namespace hospitaldb
