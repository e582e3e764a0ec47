// The reference SQL Server scripts held against the client: what it sends, what it reads, and
// the embedded database it is built and tested on.
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/TsqlDate.h"
#include "platform/WallClock.h"
#include "session/Statements.h"
#include "suite/DoctorSearch.h"
#include "support/DatabaseFixture.h"
#include "tools/ScriptContract.h"
#include "tools/SqlServerScripts.h"

using hospitaldb::SqlToken;
using namespace testsupport;
using namespace tools;
using namespace Qt::StringLiterals;

namespace {

QString ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
  return QString::fromUtf8(file.readAll());
}

const QString kScriptFolder = QStringLiteral(ORSCHED_SOURCE_DIR "/database/sqlserver");

QString ScriptPath(const QString& name) {
  return kScriptFolder + u'/' + name;
}

// The scripts' texts, each with its file.
std::vector<std::pair<QString, QString>> AllScripts() {
  std::vector<std::pair<QString, QString>> texts;
  for (const QString& path : ReferenceScriptFiles(kScriptFolder))
    texts.emplace_back(path, ReadFile(path));
  return texts;
}

// Loads the INSERTs of the demo data script into an embedded database: values as written,
// DATEADD(second, s, DATEADD(day, d, @Today)) counted from `today`.
class DemoScriptLoader {
 public:
  DemoScriptLoader(const QString& script, const QDate& today)
      : t_(TokenizeScript(script)), today_(today) {}

  void loadInto(const QSqlDatabase& db) {
    for (at_ = 0; at_ < t_.size(); ++at_)
      if (isWord(u"INSERT")) insert(db);
  }

 private:
  bool isWord(QStringView word) const {
    return at_ < t_.size() && t_[at_].kind == SqlToken::Kind::Word &&
           t_[at_].text.compare(word, Qt::CaseInsensitive) == 0;
  }
  QString take() { return t_.at(at_++).text; }

  void insert(const QSqlDatabase& db) {
    at_ += 2;  // INSERT INTO
    QString table;
    while (t_.at(at_).text != u'(')
      table = take();  // the last part of SCHEDULE.dbo.tbOrRoom
    QStringList columns;
    for (++at_; t_.at(at_).text != u')'; ++at_)
      if (t_[at_].text != u',') columns << take(), --at_;
    ++at_;  // ')'
    QStringList marks(columns.size(), QStringLiteral("?"));
    QSqlQuery query =
        hospitaldb::PrepareQuery(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(table, columns.join(u','), marks.join(u',')));
    ++at_;  // VALUES
    while (t_.at(at_).text == u'(') {
      ++at_;
      for (int c = 0; c < columns.size(); ++c, ++at_)  // each value, then ',' or ')'
        query.addBindValue(value());
      hospitaldb::ExecQuery(query);
      if (t_.at(at_).text == u',') ++at_;
    }
  }

  qint64 number() {
    const bool negative = t_.at(at_).text == u'-';
    if (negative) ++at_;
    const qint64 n = take().toLongLong();
    return negative ? -n : n;
  }

  QVariant value() {
    // An empty literal is empty text, not null.
    if (t_.at(at_).kind == SqlToken::Kind::Literal) return QStringLiteral("") + take();
    if (isWord(u"NULL")) return ++at_, QVariant();
    if (!isWord(u"DATEADD")) return number();
    at_ += 4;  // DATEADD ( second ,
    const qint64 seconds = number();
    at_ += 5;  // , DATEADD ( day ,
    const qint64 days = number();
    at_ += 4;  // , @Today ) )
    const QDateTime when = platform::WallClock(today_.addDays(days), QTime(0, 0));
    return hospitaldb::StoredDateTimeText(when.addSecs(seconds));
  }

  std::vector<SqlToken> t_;
  QDate today_;
  size_t at_ = 0;
};

}  // namespace

class TestSqlServerScripts : public QObject {
  Q_OBJECT

 private slots:
  void scriptsKeepTheClientsContract() {
    const QStringList problems =
        ContractProblems(TsqlScripts::Read(ReferenceScriptFiles(kScriptFolder)));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
  }

  // Each change breaks a client that reads by name and sends by position, or a site that runs
  // the scripts under the client's login or another language; the check names it.
  void aChangeTheClientWouldNotSurviveIsFound_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("named");
    QTest::newRow("a listing column renamed") << "        s.TransNum,\n"
                                              << "        s.TransNum AS TransNo,\n"
                                              << "sp_GetORSchedule returns";
    QTest::newRow("two listing columns swapped")
        << "        s.ConfirmedBy,\n        s.DateConfirmed,\n"
        << "        s.DateConfirmed,\n        s.ConfirmedBy,\n"
        << "sp_GetORSchedule returns";
    QTest::newRow("a found column renamed")
        << "IF @Number IS NOT NULL\n        SELECT TOP (201)\n            s.OperationDate,"
        << "IF @Number IS NOT NULL\n        SELECT TOP (201)\n            s.OperationDate AS Day,"
        << "sp_FindORSchedule returns";
    QTest::newRow("the room list's blank lost") << "AS [Room Name]"
                                                << "AS [RoomName]"
                                                << "sp_List_ORRooms returns";
    QTest::newRow("two save parameters swapped")
        << "     @SNurseCode nvarchar(max),\n     @SNurse2Code nvarchar(max),\n"
        << "     @SNurse2Code nvarchar(max),\n     @SNurseCode nvarchar(max),\n"
        << "Save_OR_Schedule takes";
    QTest::newRow("a parameter more")
        << "     @TransNum nvarchar(max))\nAS\nBEGIN\n    SET NOCOUNT ON;\n    DECLARE @Letter"
        << "     @TransNum nvarchar(max),\n     @Reason nvarchar(max))\nAS\nBEGIN\n"
           "    SET NOCOUNT ON;\n    DECLARE @Letter"
        << "sp_UpdateSchedules takes";
    QTest::newRow("an empty transaction number read as 0")
        << "     @TransNum nvarchar(max),\n     @AsstDocCode"
        << "     @TransNum int,\n     @AsstDocCode"
        << "@TransNum is int";
    QTest::newRow("row counts sent as results")
        << "    SET NOCOUNT ON;\n    SELECT RoomName"
        << "    SELECT RoomName"
        << "sp_List_ORRooms does not start with SET NOCOUNT ON";
    QTest::newRow("a second result")
        << "    WHERE RoomName = @RoomName\n    ORDER BY RoomSeq;\n"
        << "    WHERE RoomName = @RoomName\n    ORDER BY RoomSeq;\n    SELECT 1 AS Found;\n"
        << "sp_Get_ORRoom returns 2 results";
    QTest::newRow("a write that returns rows") << "            @EncodedBy, @SavedAt, N'P');\n"
                                               << "            @EncodedBy, @SavedAt, N'P');\n      "
                                                  "  SELECT SCOPE_IDENTITY() AS TransNum;\n"
                                               << "Save_OR_Schedule returns rows";
    QTest::newRow("a column the table lacks") << "        s.RoomNo AS Room,"
                                              << "        s.WardRoom AS Room,"
                                              << "reads WardRoom";
    QTest::newRow("a date kept as text") << "    OperationDate datetime NOT NULL,"
                                         << "    OperationDate nvarchar(30) NOT NULL,"
                                         << "OperationDate is a date to the client";
    QTest::newRow("a staff column dropped") << "    middlename nvarchar(60) NULL,\n"
                                            << ""
                                            << "tbpasswordmain has no column middlename";
    QTest::newRow("the doctor table renamed")
        << "CREATE TABLE dbo.tbDoctor ("
        << "CREATE TABLE dbo.tbDoctors ("
        << "SCHEDULE..tbDoctor, which the client selects from";
    QTest::newRow("the listing's index dropped")
        << ",\n    CONSTRAINT ixORScheduleOperationDate UNIQUE CLUSTERED (OperationDate, TransNum)"
        << ""
        << "tbORSchedule has no index on OperationDate";
    QTest::newRow("a procedure in the wrong database")
        << "USE SCHEDULE;\nGO\n\n-- First"
        << "USE [PASSWORD];\nGO\n\n-- First"
        << "SCHEDULE..sp_GetORSchedule is not a procedure";
    QTest::newRow("the site check reads a table the role cannot")
        << "SELECT @TRANSNUM = TransNum FROM #Listed"
        << "SELECT @TRANSNUM = TransNum FROM SCHEDULE.dbo.tbORSchedule"
        << "site check reads tbORSchedule.TransNum";
    QTest::newRow("a date read by the login's language")
        << "    SET DATEFORMAT mdy;\n    SELECT\n        s.PatientName"
        << "    SELECT\n        s.PatientName"
        << "sp_GetORSchedule reads a date text before SET DATEFORMAT mdy";
    QTest::newRow("a parameter as wide as its column") << "     @Remarks nvarchar(max),"
                                                       << "     @Remarks nvarchar(4000),"
                                                       << "@Remarks is no wider than a column";
    QTest::newRow("a refusal that lets the batch go on")
        << "        THROW 50005, @Unknown, 1;"
        << "        RAISERROR (N'Unknown status', 16, 1);"
        << "sp_UpdateSchedules refuses with RAISERROR";
    QTest::newRow("the whole staff table readable")
        << "GRANT SELECT (employeeid, lastname, firstname, middlename, originaldepartment)\n    ON"
        << "GRANT SELECT ON"
        << "may read the whole of PASSWORD..tbpasswordmain";
    QTest::newRow("a column the client never reads")
        << "GRANT SELECT (RoomID, RoomName) ON"
        << "GRANT SELECT (RoomID, RoomName, RoomSeq) ON"
        << "may read tbOrRoom.RoomSeq";
    QTest::newRow("a column the client reads not granted")
        << "(DoctorCode, LastName, FirstName, Specialty)"
        << "(DoctorCode, LastName, FirstName)"
        << "cannot read schedule.tbdoctor.specialty";
    QTest::newRow("a statement before a procedure in its batch")
        << "CREATE OR ALTER PROCEDURE dbo.sp_List_ORRooms"
        << "PRINT N'rooms';\nCREATE OR ALTER PROCEDURE dbo.sp_List_ORRooms"
        << "sp_List_ORRooms is not the first statement of its batch";
    QTest::newRow("a refusal numbered as the server's own") << "THROW 50001,"
                                                            << "THROW 49999,"
                                                            << "THROW 49999 takes a number";
    QTest::newRow("a refusal's message built by +")
        << "N'Conversion failed when converting date"
        << "N'Conversion failed ' + N'when converting date"
        << "THROW 50001 takes its message as one text or variable, not +";
    QTest::newRow("an error's message built by +") << "RAISERROR (@OldLevel,"
                                                   << "RAISERROR (N'Old' + @OldLevel,"
                                                   << "RAISERROR takes its message as one text";
    QTest::newRow("one number for two refusals") << "THROW 50005, @Unknown, 1;"
                                                 << "THROW 50002, @Unknown, 1;"
                                                 << "THROW 50002 is thrown for two refusals";
    QTest::newRow("a find branch with other columns")
        << "s.TransNum\n        FROM dbo.tbORSchedule AS s\n        LEFT JOIN dbo.tbOrRoom AS r ON "
           "r.RoomID = s.ORRoomID\n        WHERE LEN"
        << "s.TransNum AS Number\n        FROM dbo.tbORSchedule AS s\n        LEFT JOIN "
           "dbo.tbOrRoom AS r ON r.RoomID = s.ORRoomID\n        WHERE LEN"
        << "sp_FindORSchedule returns (OperationDate";
    QTest::newRow("who acted not looked at in one column")
        << ",\n                            (i.RevokedByCode, i.DateRevoked, d.RevokedByCode, "
           "d.DateRevoked))"
        << ")"
        << "its trigger lacks RevokedByCode";
    QTest::newRow("enforced by any row of the mapping")
        << "dbo.tbORSetting AS t\n                   WHERE t.SettingName = "
           "N'EnforceLoginEmployee' AND t.SettingValue = N'on')"
        << "dbo.tbORLogin AS t)"
        << "its trigger lacks tbORSetting, EnforceLoginEmployee";
    QTest::newRow("a day bound the optimizer cannot see")
        << "    WHERE s.OperationDate >= CONVERT(datetime, CONVERT(date, GETDATE()))"
        << "    WHERE s.OperationDate >= @Today"
        << "bounds OperationDate by the local variable @Today";
    QTest::newRow("the server's version checked after a change")
        << "SERVERPROPERTY(N'ProductVersion')"
        << "SERVERPROPERTY(N'Edition')"
        << "makes fnORSitesOwn before it checks the server's version";
    QTest::newRow("a planned stop raised as an error")
        << "    PRINT N'dbo.fnORSitesOwn is this site''s own: nothing is made.';"
        << "    RAISERROR (N'dbo.fnORSitesOwn is this site''s own.', 16, 1);"
        << "03-procedures.sql: a planned stop is raised as an error";
    QTest::newRow("NOEXEC left on") << "goes on as it was.\nSET NOEXEC OFF;"
                                    << "goes on as it was."
                                    << "03-procedures.sql may end with NOEXEC on";
    QTest::newRow("a login put into a text as given")
        << "LTRIM(RTRIM(@Login))"
        << "LTRIM(RTRIM(N'$(Login)'))"
        << "puts a sqlcmd value into the text '$(Login)'";
    QTest::newRow("an object made without its mark")
        << "EXEC dbo.sp_MarkORObject N'sp_FindORSchedule';"
        << ""
        << "makes sp_FindORSchedule without marking it";
    QTest::newRow("an object the adopt script leaves out")
        << " (N'sp_FindORSchedule'),"
        << ""
        << "08-adopt-objects.sql does not adopt sp_FindORSchedule";
  }
  void aChangeTheClientWouldNotSurviveIsFound() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, named);
    auto scripts = AllScripts();
    QString check = ClientCallsScript();
    qsizetype found = check.count(from);
    for (auto& [origin, text] : scripts)
      found += text.count(from), text.replace(from, to);
    QVERIFY2(found == 1, qPrintable(u"not once in the scripts: "_s + from));
    check.replace(from, to);
    const QStringList problems = ContractProblems(TsqlScripts::ReadTexts(scripts), check);
    QVERIFY2(problems.join(u'\n').contains(named), qPrintable(problems.join(u'\n')));
  }

  void readerNamesResultColumns_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("columns");  // of each result, joined by ","
    QTest::newRow("alias, reference, bracketed alias")
        << "SELECT s.A, B AS Bee, C AS [Sea View] FROM dbo.t AS s;"
        << QStringList{u"A,Bee,Sea View"_s};
    QTest::newRow("AS inside an expression")
        << "SELECT CAST(x AS int) AS N, ISNULL(r.Name, N'') AS Name FROM t r;"
        << QStringList{u"N,Name"_s};
    QTest::newRow("name = expression, TOP, DISTINCT")
        << "SELECT DISTINCT TOP (5) Code = x.Id FROM t x;" << QStringList{u"Code"_s};
    QTest::newRow("assignments, conditions and inserts return nothing")
        << "SELECT @x = 1 FROM t; IF EXISTS (SELECT 1 FROM t) BEGIN SET @y = (SELECT 2); END;"
           " INSERT INTO t (a) SELECT b FROM u;"
        << QStringList{};
    QTest::newRow("a result inside IF, and a union read once")
        << "IF @a = 1 BEGIN SELECT a FROM t UNION ALL SELECT b FROM u; END;" << QStringList{u"a"_s};
    QTest::newRow("comments and literals hide nothing")
        << "-- SELECT gone FROM t;\n/* SELECT gone */ SELECT N'--' AS Dash, 'it''s' AS Quote;"
        << QStringList{u"Dash,Quote"_s};
  }
  void readerNamesResultColumns() {
    QFETCH(QString, body);
    QFETCH(QStringList, columns);
    const TsqlScripts scripts = TsqlScripts::ReadText(
        u"USE DB;\nGO\nCREATE PROCEDURE dbo.p\n    @a nvarchar(5)\nAS\nBEGIN\n"_s + body +
        u"\nEND;\nGO\n"_s);
    const TsqlProcedure* p = scripts.procedure(u"db"_s, u"P"_s);
    QVERIFY(p);
    QStringList found;
    for (const TsqlSelect& select : p->results)
      found << select.ColumnNames().join(u',');
    QCOMPARE(found, columns);
  }

  // Loaded into an empty embedded database on the same day, the demo data script gives every
  // statement of the client the same answer as the embedded seed.
  void demoDataScriptHoldsTheEmbeddedSeed() {
    DatabaseFixture seeded;
    DatabaseFixture loaded(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    {
      hospitaldb::WriteTransaction transaction(loaded.database());
      DemoScriptLoader(ReadFile(ScriptPath(u"05-demo-data.sql"_s)),
                       DatabaseFixture::DefaultNow().date())
          .loadInto(loaded.database());
      transaction.Commit();
    }
    QStringList statements = {session::RoomListSql(), session::AllOrStaffSql(),
                              session::ConfirmedListSql(), suite::DoctorSearchSql(QString())};
    const QDate today = DatabaseFixture::DefaultNow().date();
    for (int day = -2; day <= 6; ++day)
      statements << session::ScheduleListSql(today.addDays(day).toString(u"MM/dd/yyyy"_s));
    for (const QString& sql : statements) {
      const auto expected = seeded.open(sql);
      QVERIFY2(!expected.rows.isEmpty() || sql.contains(u"sp_GetORSchedule"_s), qPrintable(sql));
      QVERIFY2(loaded.open(sql).rows == expected.rows,
               qPrintable(u"differs from the seed (make sqlserver-scripts): "_s + sql));
    }
    QCOMPARE(loaded.lastTransNum(), seeded.lastTransNum());
  }

  void clientCallsScriptIsTheBuildersOwn() {
    QVERIFY2(ReadFile(ScriptPath(u"06-check-client-calls.sql"_s)) == tools::ClientCallsScript(),
             "06-check-client-calls.sql is not what the client sends: make sqlserver-scripts");
  }
};

QTEST_GUILESS_MAIN(TestSqlServerScripts)
#include "test_sqlserver_scripts.moc"
