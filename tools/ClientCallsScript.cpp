#include <QStringList>
#include <vector>

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
    "-- that its server answers the client. Run it with the client's own login, so that it has\n"
    "-- the role's grants and nothing more, e.g.\n"
    "--   sqlcmd -b -I -S sqlhost -U orclient -P ... -i 06-check-client-calls.sql\n"
    "-- Each step prints its name and its rows. The first error of any step stops the script\n"
    "-- right after the step's name: the procedures refuse with THROW, which ends the batch,\n"
    "-- XACT_ABORT ends it at a run-time error, and every step ends it at any other error or at\n"
    "-- a statement that came out empty. The last line is printed only when every step ran.\n"
    "-- The test request it saves, edits, confirms, revokes and reads is found by the number\n"
    "-- its save made in this session, and rolled back at the end.\n"
    "-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.\n"
    "\n"
    "SET NOCOUNT ON;\n"
    "SET XACT_ABORT ON;\n"
    "DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);\n"
    "DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);\n"
    "DECLARE @ROOMID nvarchar(20), @ROOMNAME nvarchar(100), @DOCTOR nvarchar(20),\n"
    "        @NURSE nvarchar(20), @TRANSNUM nvarchar(20), @Sql nvarchar(max);\n"
    "PRINT N'Login ' + SUSER_SNAME() + N', language ' + @@LANGUAGE;\n"
    "SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom\n"
    "    ORDER BY RoomID;\n"
    "SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;\n"
    "SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain\n"
    "    WHERE originaldepartment = N'29' ORDER BY employeeid;\n"
    "IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL\n"
    "    THROW 50000, N'The check needs a room, a doctor and an OR nurse (department 29).', 1;\n"
    "BEGIN TRANSACTION;\n";

// The request just saved, by the identity its insert made in this session (other workstations'
// saves do not change it), read without any right on the table.
const char* const kSavedNumber =
    "SET @TRANSNUM = CONVERT(nvarchar(20), @@IDENTITY);\n"
    "IF @TRANSNUM IS NULL\n"
    "    THROW 50000, N'The save made no transaction number.', 1;\n";

const char* const kFooter =
    "ROLLBACK TRANSACTION;\n"
    "PRINT N'Every statement of the client ran; the test request is gone.';\n"
    "GO\n";

// Puts a quoted value of the script in place of a marker, its apostrophes doubled.
QString Fill(const QString& marker) {
  const QString variable = u'@' + marker.mid(1, marker.size() - 2);
  return QStringLiteral("N'%1', REPLACE(%2, N'''', N'''''')").arg(marker, variable);
}

// A value still missing (NULL) leaves the whole statement NULL, which the step refuses.
QString Step(int number, const QString& title, const QString& sql) {
  QString expression = QStringLiteral("N'") + platform::SqlQuote(sql) + u'\'';
  for (const QString& marker : {kToday, kNow, kRoomId, kRoomName, kDoctor, kNurse, kTransNum})
    if (sql.contains(marker))
      expression = QStringLiteral("REPLACE(%1, %2)").arg(expression, Fill(marker));
  return QStringLiteral(
             "PRINT N'%1. %2';\n"
             "SET @Sql = %3;\n"
             "IF NULLIF(LTRIM(@Sql), N'') IS NULL\n"
             "    THROW 50000, N'The statement of this step came out empty.', 1;\n"
             "EXEC (@Sql);\n"
             "IF @@ERROR <> 0\n"
             "    THROW 50000, N'The statement of this step failed.', 1;\n")
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

struct CheckStep {
  QString title, sql;
};

// Every statement the client sends, in the check's order; the first `kStepsBeforeNumber` come
// before the saved request has a number.
constexpr int kStepsBeforeNumber = 9;

std::vector<CheckStep> CheckSteps() {
  using namespace session;
  ORSchedule request = CheckRequest();
  ORSchedule edited = request;
  edited.transNum = kTransNum;
  edited.remarks = QStringLiteral("EDITED BY THE SITE CHECK");
  return {
      {QStringLiteral("server clock"), ServerClockSql()},
      {QStringLiteral("operating rooms"), RoomListSql()},
      {QStringLiteral("requests of today"), ScheduleListSql(kToday)},
      {QStringLiteral("room name of a code"), RoomNameSql(kRoomId)},
      {QStringLiteral("room code of a name"), RoomCodeSql(kRoomName)},
      {QStringLiteral("all OR staff"), AllOrStaffSql()},
      {QStringLiteral("OR staff by key"), OrStaffByKeySql(QStringLiteral("A"))},
      {QStringLiteral("doctor search"), suite::DoctorSearchSql(QStringLiteral("A"))},
      {QStringLiteral("save a new request"), SaveScheduleSql(request, kNurse, kNow)},
      {QStringLiteral("save a change of it"), SaveScheduleSql(edited, kNurse, kNow)},
      {QStringLiteral("confirm it"), UpdateScheduleSql(QStringLiteral("C"), kNurse, kTransNum)},
      {QStringLiteral("requests of today, with it confirmed"), ScheduleListSql(kToday)},
      {QStringLiteral("the board listing"), ConfirmedListSql()},
      {QStringLiteral("revoke it"), UpdateScheduleSql(QStringLiteral("R"), kNurse, kTransNum)},
      {QStringLiteral("the request by its number"), ScheduleByNumSql(kTransNum)},
  };
}

}  // namespace

QString ClientCallsScript() {
  QString script = QString::fromLatin1(kHeader);
  int number = 0;
  for (const CheckStep& step : CheckSteps()) {
    if (number == kStepsBeforeNumber) script += QString::fromLatin1(kSavedNumber);
    script += Step(++number, step.title, step.sql);
  }
  return script + QString::fromLatin1(kFooter);
}

QStringList ClientStatementsToParse() {
  const std::pair<QString, QString> values[] = {
      {kToday, QStringLiteral("12/08/2026")}, {kNow, QStringLiteral("12/08/2026 09:15:00 AM")},
      {kRoomId, QStringLiteral("OR01")},      {kRoomName, QStringLiteral("O'NEILL WING")},
      {kDoctor, QStringLiteral("D1001")},     {kNurse, QStringLiteral("E1001")},
      {kTransNum, QStringLiteral("42")}};
  QStringList statements;
  for (CheckStep step : CheckSteps()) {
    for (const auto& [marker, value] : values)
      step.sql.replace(marker, platform::SqlQuote(value));
    const bool select = step.sql.startsWith(QLatin1String("select"), Qt::CaseInsensitive);
    statements << (select ? step.sql : QStringLiteral("EXEC ") + step.sql);
  }
  return statements;
}

}  // namespace tools
