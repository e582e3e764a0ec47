#include <QStringList>

#include "platform/SqlQuote.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "suite/DoctorSearch.h"
#include "tools/SqlServerScripts.h"

namespace tools {
namespace {

// Values the script fills in when it runs: the server's day and time as the client writes
// them, and a room, a doctor and an OR nurse of the site's own tables.
const QString kToday = QStringLiteral("{TODAY}");
const QString kNow = QStringLiteral("{NOW}");
const QString kRoomId = QStringLiteral("{ROOMID}");
const QString kRoomName = QStringLiteral("{ROOMNAME}");
const QString kDoctor = QStringLiteral("{DOCTOR}");
const QString kNurse = QStringLiteral("{NURSE}");
const QString kTransNum = QStringLiteral("{TRANSNUM}");

const char* const kHeader =
    "-- Runs every statement text the client sends, as the client sends it, so that a site sees\n"
    "-- that its server answers the client. Run it with the client's own login, e.g.\n"
    "--   sqlcmd -S sqlhost -U orclient -P ... -i 06-check-client-calls.sql\n"
    "-- Each step prints its name and its rows; any error stops the script and names the step.\n"
    "-- The test request it saves, edits, confirms and revokes is rolled back at the end.\n"
    "-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.\n"
    "\n"
    "SET NOCOUNT ON;\n"
    "SET XACT_ABORT ON;\n"
    "DECLARE @Language sysname = @@LANGUAGE;\n"
    "IF (SELECT dateformat FROM sys.syslanguages WHERE name = @Language) <> N'mdy'\n"
    "BEGIN\n"
    "    RAISERROR (N'Dates are read by the language %s, not as month/day/year: use us_english.',\n"
    "               16, 1, @Language);\n"
    "    RETURN;\n"
    "END;\n"
    "DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);\n"
    "DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);\n"
    "DECLARE @ROOMID nvarchar(20), @ROOMNAME nvarchar(100), @DOCTOR nvarchar(20),\n"
    "        @NURSE nvarchar(20), @TRANSNUM nvarchar(20), @Sql nvarchar(max);\n"
    "SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom\n"
    "    ORDER BY RoomSeq;\n"
    "SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;\n"
    "SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain\n"
    "    WHERE originaldepartment = N'29' ORDER BY employeeid;\n"
    "IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL\n"
    "BEGIN\n"
    "    RAISERROR (N'The check needs a room, a doctor and an OR nurse (department 29).', 16, 1);\n"
    "    RETURN;\n"
    "END;\n"
    "BEGIN TRANSACTION;\n";

// Puts a quoted value of the script in place of a marker, its apostrophes doubled.
QString Fill(const QString& marker) {
  const QString variable = u'@' + marker.mid(1, marker.size() - 2);
  return QStringLiteral("N'%1', REPLACE(%2, N'''', N'''''')").arg(marker, variable);
}

QString Step(int number, const QString& title, const QString& sql) {
  QString expression = QStringLiteral("N'") + platform::SqlQuote(sql) + u'\'';
  for (const QString& marker : {kToday, kNow, kRoomId, kRoomName, kDoctor, kNurse, kTransNum})
    if (sql.contains(marker))
      expression = QStringLiteral("REPLACE(%1, %2)").arg(expression, Fill(marker));
  return QStringLiteral("PRINT N'%1. %2';\nSET @Sql = %3;\nEXEC (@Sql);\n")
      .arg(number)
      .arg(platform::SqlQuote(title), expression);
}

session::ORSchedule CheckRequest() {
  session::ORSchedule r;
  r.patientName = QStringLiteral("CLIENT CHECK, ROLLED BACK");
  r.orRoomCode = kRoomId;
  r.surgeonCode = r.anesCode = kDoctor;
  r.operationDate = kToday + QStringLiteral(" 11:30:00 PM");
  r.remarks = QStringLiteral("SAVED BY THE SITE CHECK");
  r.cNurseCode = r.sNurseCode = kNurse;
  r.procedure = QStringLiteral("SITE CHECK");
  r.patientRoom = QStringLiteral("301-A");
  return r;
}

}  // namespace

QString ClientCallsScript() {
  using namespace session;
  session::ORSchedule request = CheckRequest();
  session::ORSchedule edited = request;
  edited.transNum = kTransNum;
  edited.remarks = QStringLiteral("EDITED BY THE SITE CHECK");
  const QString steps[][2] = {
      {QStringLiteral("server clock"), ServerClockSql()},
      {QStringLiteral("operating rooms"), RoomListSql()},
      {QStringLiteral("requests of today"), ScheduleListSql(kToday)},
      {QStringLiteral("room name of a code"), RoomNameSql(kRoomId)},
      {QStringLiteral("room code of a name"), RoomCodeSql(kRoomName)},
      {QStringLiteral("all OR staff"), AllOrStaffSql()},
      {QStringLiteral("OR staff by key"), OrStaffByKeySql(QStringLiteral("A"))},
      {QStringLiteral("doctor search"), suite::DoctorSearchSql(QStringLiteral("A"))},
      {QStringLiteral("save a new request"), SaveScheduleSql(request, kNurse, kNow)},
  };
  const QString laterSteps[][2] = {
      {QStringLiteral("save a change of it"), SaveScheduleSql(edited, kNurse, kNow)},
      {QStringLiteral("confirm it"), UpdateScheduleSql(QStringLiteral("C"), kNurse, kTransNum)},
      {QStringLiteral("requests of today, with it confirmed"), ScheduleListSql(kToday)},
      {QStringLiteral("the board listing"), ConfirmedListSql()},
      {QStringLiteral("revoke it"), UpdateScheduleSql(QStringLiteral("R"), kNurse, kTransNum)},
  };
  QString script = QString::fromLatin1(kHeader);
  int number = 0;
  for (const auto& [title, sql] : steps)
    script += Step(++number, title, sql);
  script += QStringLiteral(
      "SELECT @TRANSNUM = CONVERT(nvarchar(20), MAX(TransNum)) FROM SCHEDULE.dbo.tbORSchedule;\n");
  for (const auto& [title, sql] : laterSteps)
    script += Step(++number, title, sql);
  return script + QStringLiteral(
                      "ROLLBACK TRANSACTION;\n"
                      "PRINT N'Every statement of the client ran; the test request is gone.';\n"
                      "GO\n");
}

}  // namespace tools
