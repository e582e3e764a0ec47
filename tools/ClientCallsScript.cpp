#include <QStringList>
#include <vector>

#include "hospitaldb/ScheduleStore.h"
#include "platform/OdbcConnection.h"
#include "platform/SqlQuote.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "suite/ConnectionSettings.h"
#include "suite/DoctorSearch.h"
#include "tools/Sentinels.h"
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
// The employee code the client sends (the login's employee where the server maps the login,
// else the OR nurse), another one, and the mark of this run in the test request's remarks.
const QString kUser = QStringLiteral("{USER}");
const QString kForged = QStringLiteral("{FORGED}");
const QString kMark = QStringLiteral("{MARK}");

const char* const kHeader =
    "-- Runs every statement text the client sends, as the client sends it, so that a site sees\n"
    "-- that its server answers the client. Run it with the client's own login, so that it has\n"
    "-- the role's grants and nothing more, its password in SQLCMDPASSWORD (where sqlcmd reads "
    "it;\n"
    "-- never -P, which every user of the machine sees among its processes), e.g.\n"
    "--   read -rs SQLCMDPASSWORD; export SQLCMDPASSWORD\n"
    "--   sqlcmd -b -I -S sqlhost -U orclient -i 06-check-client-calls.sql\n"
    "-- Each step prints its name and its rows. The first error of any step stops the script\n"
    "-- right after the step's name: the procedures refuse with THROW, which ends the batch,\n"
    "-- XACT_ABORT ends it at a run-time error, and every step ends it at any other error or at\n"
    "-- a statement that came out empty. The last line is printed only when every step ran.\n"
    "-- The test request it saves, edits, confirms and revokes is found in the listing of today "
    "by\n"
    "-- the mark of this run in its remarks, and rolled back at the end.\n"
    "-- It says which employee the server takes the login for, and whether it enforces that. "
    "Where\n"
    "-- the login is mapped, it saves as that employee; where the server enforces it, it last "
    "tries\n"
    "-- a save in another employee's name, which must be refused (and is rolled back as well).\n"
    "-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.\n"
    "\n"
    "SET NOCOUNT ON;\n"
    "SET XACT_ABORT ON;\n"
    "DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);\n"
    "DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);\n"
    "DECLARE @MARK nvarchar(36) = CONVERT(nvarchar(36), NEWID());\n"
    "DECLARE @ROOMID nvarchar(max), @ROOMNAME nvarchar(max), @DOCTOR nvarchar(max),\n"
    "        @NURSE nvarchar(max), @TRANSNUM nvarchar(max), @EMPLOYEE nvarchar(max),\n"
    "        @ENFORCED nvarchar(max), @USER nvarchar(max), @FORGED nvarchar(max),\n"
    "        @REFUSAL nvarchar(max),\n"
    "        @Sql nvarchar(max);\n"
    "DROP TABLE IF EXISTS #Login, #Listed;\n"
    "CREATE TABLE #Login (LoginName nvarchar(max), EmployeeID nvarchar(max), Enforced "
    "nvarchar(max));\n"
    "CREATE TABLE #Listed (%1 nvarchar(max));\n"
    "PRINT N'Login ' + SUSER_SNAME() + N', language ' + @@LANGUAGE;\n"
    "SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom\n"
    "    ORDER BY RoomID;\n"
    "SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;\n"
    "SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain\n"
    "    WHERE originaldepartment = N'29' ORDER BY employeeid;\n"
    "IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL\n"
    "    THROW 50000, N'The check needs a room, a doctor and an OR nurse (department 29).', 1;\n";

// Which employee the server takes the login for, whether it enforces that, and so the code the
// client sends. A login the server takes nothing from cannot run the check.
const char* const kMode =
    "SELECT @EMPLOYEE = EmployeeID, @ENFORCED = Enforced FROM #Login;\n"
    "SET @USER = ISNULL(@EMPLOYEE, @NURSE);\n"
    "SET @FORGED = CASE WHEN @USER = N'X' THEN N'Y' ELSE N'X' END;\n"
    "IF @ENFORCED = N'1' AND @EMPLOYEE IS NULL\n"
    "    THROW 50000, N'The server enforces who acted, and this login is mapped to no employee: "
    "it may not save, confirm or revoke, and the client refuses to start with it. Map it "
    "(07-map-login.sql), or run the check with a mapped login.', 1;\n"
    "IF @EMPLOYEE IS NULL\n"
    "    PRINT N'Mode: one login for many. This login is mapped to no employee "
    "(SCHEDULE..tbORLogin)'\n"
    "        + N': the client sends the code its workstation is set to, and the server stores it "
    "'\n"
    "        + N'as sent.';\n"
    "ELSE IF @ENFORCED = N'1'\n"
    "    PRINT N'Mode: each login its employee, enforced. This login is employee ' + @EMPLOYEE\n"
    "        + N', the only code the server takes from it, whichever procedure writes.';\n"
    "ELSE\n"
    "    PRINT N'Mode: each login its employee, not enforced. This login is employee ' + "
    "@EMPLOYEE\n"
    "        + N', the code the client sends; the server would store another code a program '\n"
    "        + N'sent, until 07-map-login.sql switches the enforcement on.';\n"
    "BEGIN TRANSACTION;\n";

// The request just saved, found by this run's mark in the listing: without any right on the
// table, and whatever an insert trigger does to the session's identity values.
const char* const kSavedNumber =
    "SELECT @TRANSNUM = TransNum FROM #Listed WHERE Remarks = N'SAVED BY THE SITE CHECK ' + "
    "@MARK;\n"
    "IF @TRANSNUM IS NULL\n"
    "    THROW 50000, N'The saved request is not listed on today''s date.', 1;\n";

// Where the server enforces who acted, it must refuse a save in another employee's name with one
// of its own refusals (50000 or above). The save runs in a transaction of its own that is rolled
// back either way, inside a batch of its own that catches the refusal.
const char* const kForgedSave =
    "IF @ENFORCED <> N'1'\n"
    "    PRINT N'Not tried: the server does not enforce who acted.';\n"
    "ELSE\n"
    "BEGIN\n"
    "    SET @Sql = %1;\n"
    "    EXEC sp_executesql N'BEGIN TRANSACTION;\n"
    "        BEGIN TRY EXEC (@Sql); END TRY\n"
    "        BEGIN CATCH SET @Refusal = CONCAT(ERROR_NUMBER(), N'': '', ERROR_MESSAGE()); END "
    "CATCH;\n"
    "        IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;',\n"
    "        N'@Sql nvarchar(max), @Refusal nvarchar(max) OUTPUT', @Sql, @REFUSAL OUTPUT;\n"
    "    IF @REFUSAL IS NULL OR @REFUSAL NOT LIKE N'5____: %'\n"
    "    BEGIN\n"
    "        SET @REFUSAL = CONCAT(N'A save in another employee''s name was not refused: ',\n"
    "            ISNULL(@REFUSAL, N'it was taken (and rolled back)'), N'.');\n"
    "        THROW 50000, @REFUSAL, 1;\n"
    "    END;\n"
    "    PRINT N'Refused, as it must be: ' + @REFUSAL;\n"
    "END;\n";

const char* const kFooter =
    "PRINT N'Every statement of the client ran; the test request is gone.';\n"
    "GO\n";

// Puts a quoted value of the script in place of a marker, its apostrophes doubled.
QString Fill(const QString& marker) {
  const QString variable = u'@' + marker.mid(1, marker.size() - 2);
  return QStringLiteral("N'%1', REPLACE(%2, N'''', N'''''')").arg(marker, variable);
}

// The statement as a T-SQL expression with the script's values in place of the markers. A
// value still missing (NULL) leaves the whole statement NULL, which the step refuses.
QString Filled(const QString& sql) {
  QString expression = QStringLiteral("N'") + platform::SqlQuote(sql) + u'\'';
  for (const QString& marker :
       {kToday, kNow, kRoomId, kRoomName, kDoctor, kNurse, kTransNum, kUser, kForged, kMark})
    if (sql.contains(marker))
      expression = QStringLiteral("REPLACE(%1, %2)").arg(expression, Fill(marker));
  return expression;
}

// A step whose rows go `into` a temporary table of the script (and are shown from there): the
// statement is run as INSERT ... EXEC, itself run as a batch of its own.
QString Step(int number, const QString& title, const QString& sql, const QString& into) {
  const QString run = into.isEmpty()
                          ? QStringLiteral("EXEC (@Sql);\n")
                          : QStringLiteral("EXEC (N'INSERT INTO %1 EXEC ' + @Sql);\n").arg(into);
  const QString show = into.isEmpty() ? QString() : QStringLiteral("SELECT * FROM %1;\n").arg(into);
  return QStringLiteral(
             "PRINT N'%1. %2';\n"
             "SET @Sql = %3;\n"
             "IF NULLIF(LTRIM(@Sql), N'') IS NULL\n"
             "    THROW 50000, N'The statement of this step came out empty.', 1;\n"
             "%4"
             "IF @@ERROR <> 0\n"
             "    THROW 50000, N'The statement of this step failed.', 1;\n"
             "%5")
      .arg(number)
      .arg(platform::SqlQuote(title), Filled(sql), run, show);
}

// The markers in place of the typed values the client's builders were given.
QString Marked(QString sql) {
  sql = Sentinel::Replaced(sql, Sentinel::kWhenText, kToday + QStringLiteral(" 11:30:00 PM"));
  sql = Sentinel::Replaced(sql, Sentinel::kSavedAtText, kNow);
  return Sentinel::Replaced(sql, Sentinel::kTransNumText, kTransNum);
}

session::ORSchedule CheckRequest() {
  using namespace session;
  ORSchedule r;
  r.patientName = QStringLiteral("CLIENT CHECK, ROLLED BACK");
  r.orRoomCode = kRoomId;
  r.staff[kSurgeon].code = r.staff[kAnes].code = kDoctor;
  r.operationAt = Sentinel::When();
  r.remarks = QStringLiteral("SAVED BY THE SITE CHECK ") + kMark;
  r.staff[kCNurse].code = r.staff[kSNurse].code = kNurse;
  r.procedure = QStringLiteral("SITE CHECK");
  r.patientRoom = QStringLiteral("301-A");
  return r;
}

// A step of the check: its rows kept `into` a temporary table, and script text run `after` it.
// A statement of the client's transaction is run as the script's own text, not as a batch of
// its own: a transaction begun inside EXEC would have to end there.
struct CheckStep {
  QString title, sql, into = QString();
  const char* after = "";
  bool direct = false;
};

QString DirectStep(int number, const QString& title, const QString& sql) {
  return QStringLiteral("PRINT N'%1. %2';\n%3;\n").arg(number).arg(platform::SqlQuote(title), sql);
}

// Every statement the client sends, in the check's order. Its change is confirmed as the client
// does, in a transaction of its own with the row held, inside the check's transaction; the
// client's rollback ends them all.
std::vector<CheckStep> CheckSteps() {
  using namespace session;
  const ORSchedule request = CheckRequest();
  ORSchedule edited = request;
  edited.transNum = Sentinel::kTransNum;
  edited.remarks = QStringLiteral("EDITED BY THE SITE CHECK");
  const QDateTime now = Sentinel::SavedAt();
  const qint64 number = Sentinel::kTransNum;
  return {
      {QStringLiteral("the login's employee"), suite::LoginEmployeeSql(), QStringLiteral("#Login"),
       kMode},
      {QStringLiteral("server clock"), ServerClockSql()},
      {QStringLiteral("operating rooms"), RoomListSql()},
      {QStringLiteral("requests of today"), ScheduleListSql(kToday)},
      {QStringLiteral("room name of a code"), RoomNameSql(kRoomId)},
      {QStringLiteral("room code of a name"), RoomCodeSql(kRoomName)},
      {QStringLiteral("all OR staff"), AllOrStaffSql()},
      {QStringLiteral("OR staff by key"), OrStaffByKeySql(QStringLiteral("A"))},
      {QStringLiteral("doctor search"), suite::DoctorSearchSql(QStringLiteral("A"))},
      {QStringLiteral("save a new request"), Marked(SaveScheduleSql(request, kUser, now))},
      {QStringLiteral("requests of today, with it saved"), ScheduleListSql(kToday),
       QStringLiteral("#Listed"), kSavedNumber},
      {QStringLiteral("save a change of it"), Marked(SaveScheduleSql(edited, kUser, now))},
      {QStringLiteral("set its expected duration"), Marked(SetDurationSql(number, 90))},
      {QStringLiteral("durations of today, with its duration"), ScheduleDurationsSql(kToday)},
      {QStringLiteral("open a check"), BeginTransactionSql(), QString(), "", true},
      {QStringLiteral("the request by its number, held for the check"),
       Marked(ScheduleByNumSql(number, ByNum::Held))},
      {QStringLiteral("confirm it"),
       Marked(UpdateScheduleSql(RequestStatus::Confirmed, kUser, number))},
      {QStringLiteral("commit the check"), CommitTransactionSql(), QString(), "", true},
      {QStringLiteral("requests of today, with it confirmed"), ScheduleListSql(kToday)},
      {QStringLiteral("the board listing"), ConfirmedListSql()},
      {QStringLiteral("revoke it"),
       Marked(UpdateScheduleSql(RequestStatus::Revoked, kUser, number))},
      {QStringLiteral("find it by its number"), FindRequestsSql(kTransNum)},
      {QStringLiteral("find it by its patient"), FindRequestsSql(QStringLiteral("CLIENT CHECK"))},
      {QStringLiteral("the request by its number"), Marked(ScheduleByNumSql(number))},
      {QStringLiteral("clear its expected duration"), Marked(SetDurationSql(number, std::nullopt))},
      {QStringLiteral("roll it all back, as after a failed check"), RollbackTransactionSql(),
       QString(), "", true},
  };
}

QString ForgedSaveSql() {
  return Marked(session::SaveScheduleSql(CheckRequest(), kForged, Sentinel::SavedAt()));
}

}  // namespace

QString ClientCallsScript() {
  const QString listed =
      hospitaldb::ScheduleListingFields().join(QStringLiteral(" nvarchar(max), "));
  QString script = QString::fromLatin1(kHeader).arg(listed);
  int number = 0;
  for (const CheckStep& step : CheckSteps())
    script += (step.direct ? DirectStep(++number, step.title, step.sql)
                           : Step(++number, step.title, step.sql, step.into)) +
              QString::fromLatin1(step.after);
  script +=
      QStringLiteral("PRINT N'%1. a save in another employee''s name, which must be refused';\n")
          .arg(++number);
  script += QString::fromLatin1(kForgedSave).arg(Filled(ForgedSaveSql()));
  return script + QString::fromLatin1(kFooter);
}

QStringList ClientStatementsToParse() {
  const std::pair<QString, QString> values[] = {
      {kToday, QStringLiteral("12/08/2026")}, {kNow, QStringLiteral("12/08/2026 09:15:00 AM")},
      {kRoomId, QStringLiteral("OR01")},      {kRoomName, QStringLiteral("O'NEILL WING")},
      {kDoctor, QStringLiteral("D1001")},     {kNurse, QStringLiteral("E1001")},
      {kTransNum, QStringLiteral("42")},      {kUser, QStringLiteral("E1001")},
      {kForged, QStringLiteral("X")},         {kMark, QStringLiteral("8E0F")}};
  QStringList statements{QString::fromLatin1(platform::OdbcConnection::kSessionSettings)};
  std::vector<CheckStep> steps = CheckSteps();
  steps.push_back({QStringLiteral("forged"), ForgedSaveSql()});
  for (CheckStep step : steps) {
    for (const auto& [marker, value] : values)
      step.sql.replace(marker, platform::SqlQuote(value));
    const bool select = step.sql.startsWith(QLatin1String("select"), Qt::CaseInsensitive);
    statements << (select || step.direct ? step.sql : QStringLiteral("EXEC ") + step.sql);
  }
  return statements;
}

}  // namespace tools
