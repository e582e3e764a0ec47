// The embedded server itself: its file, its clock, its connections and its demo data.
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include "hospitaldb/ClientStatements.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"
#include "support/DatabaseFixture.h"

using testsupport::DatabaseFixture;
using namespace Qt::StringLiterals;

namespace {

QList<QVariantList> TableRows(const QSqlDatabase& db, const QString& sql) {
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.exec(sql)) return {};
  QList<QVariantList> rows;
  while (query.next()) {
    QVariantList row;
    for (int i = 0; i < query.record().count(); ++i)
      row << query.value(i);
    rows << row;
  }
  return rows;
}

int Count(const QSqlDatabase& db, const QString& sqlWhere) {
  return TableRows(db, u"SELECT count(*) FROM "_s + sqlWhere).value(0).value(0).toInt();
}

QDateTime ServerDate(platform::Connection& connection) {
  auto rows = connection.Open(u"select getdate() as TDate"_s);
  return rows->Field(u"TDate"_s).toDateTime();
}

}  // namespace

class TestServer : public QObject {
  Q_OBJECT

 private slots:
  void clockRunsFromTheTimeItWasSet();
  void clockOffsetIsKeptInTheFile();
  void serversOnOneFileShareItsData();
  void connectionOutlivesItsServer();
  void unusableFilesFail_data();
  void unusableFilesFail();
  void defaultPathFollowsTheEnvironment();
  void seedingIsDeterministicAndOnce();
  void demoDataHasWhatTheDemoNeeds();
  void demoDataFollowsTheServerDate();
  void addRequestsFillsOneDate();
  void theSqliteShellWritesTheFile_data();
  void theSqliteShellWritesTheFile();
};

void TestServer::clockRunsFromTheTimeItWasSet() {
  const QDateTime otherDay = platform::WallClock(QDate(2030, 2, 28), QTime(23, 59, 58));
  DatabaseFixture db(otherDay, DatabaseFixture::Seed::Empty);
  const QDateTime now = db.server().Now();
  QVERIFY(otherDay.secsTo(now) >= 0 && otherDay.secsTo(now) < 60);
  QCOMPARE(now.time().msec(), 0);
  QVERIFY(QDateTime::currentDateTime().daysTo(now) != 0);
  QTRY_COMPARE_WITH_TIMEOUT(db.server().Now().date(), QDate(2030, 3, 1), 5000);
}

void TestServer::clockOffsetIsKeptInTheFile() {
  DatabaseFixture db(platform::WallClock(QDate(2027, 6, 1), QTime(12, 0)),
                     DatabaseFixture::Seed::Empty);
  hospitaldb::EmbeddedServer second(db.environment().databasePath());
  QVERIFY(qAbs(second.Now().secsTo(db.server().Now())) <= 1);
  second.SetNow(platform::WallClock(QDate(2025, 1, 1), QTime(0, 0)));
  QCOMPARE(ServerDate(*db.connection()).date(), QDate(2025, 1, 1));
}

void TestServer::serversOnOneFileShareItsData() {
  DatabaseFixture db;
  auto second = std::make_unique<hospitaldb::EmbeddedServer>(db.environment().databasePath());
  QVERIFY(second->IsSeeded());
  auto connection = second->Connect();
  connection->Execute(u"Schedule..sp_UpdateSchedules 'R','E1001', '1'"_s);
  QCOMPARE(db.request(1).value(u"Status"_s).toString(), u"R"_s);
  // A recordset left open on one server does not keep the other from writing; the reader
  // sees the change once it has finished.
  auto open = db.connection()->Open(u"SCHEDULE..sp_GetORSchedule '12/08/2026'"_s);
  connection->Execute(u"Schedule..sp_UpdateSchedules 'C','E1001', '1'"_s);
  QVERIFY(!open->AtEnd());
  open->Close();
  QCOMPARE(db.request(1).value(u"Status"_s).toString(), u"C"_s);
}

void TestServer::connectionOutlivesItsServer() {
  testsupport::TestEnvironment environment;
  std::shared_ptr<platform::Connection> connection;
  std::unique_ptr<platform::Recordset> rooms;
  {
    hospitaldb::EmbeddedServer server(environment.databasePath());
    server.SeedDemoData();
    connection = server.Connect();
    rooms = connection->Open(u"SCHEDULE..sp_List_ORRooms"_s);
  }
  QVERIFY(ServerDate(*connection).isValid());
  QCOMPARE(rooms->Field(u"Room Name"_s).toString(), u"OR 1"_s);
}

void TestServer::unusableFilesFail_data() {
  QTest::addColumn<QString>("content");
  QTest::newRow("not a database") << "This is a text file, not a database.";
  QTest::newRow("a folder") << QString();
}

void TestServer::unusableFilesFail() {
  QFETCH(QString, content);
  testsupport::TestEnvironment environment;
  const QString path = environment.path(u"unusable"_s);
  if (content.isNull()) {
    QVERIFY(QDir().mkpath(path));
  } else {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content.toUtf8().repeated(200));
  }
  QVERIFY_THROWS_EXCEPTION(platform::DatabaseError, hospitaldb::EmbeddedServer{path});
}

void TestServer::defaultPathFollowsTheEnvironment() {
  testsupport::TestEnvironment environment;
  QCOMPARE(hospitaldb::DefaultDatabasePath(), environment.databasePath());
  QStandardPaths::setTestModeEnabled(true);
  qunsetenv("ORSCHED_DATABASE");
  const QString path = hospitaldb::DefaultDatabasePath();
  QVERIFY(path.endsWith(u"/orscheduler.sqlite"_s));
  QVERIFY(QFileInfo(path).absoluteDir().exists());
  QStandardPaths::setTestModeEnabled(false);
}

void TestServer::seedingIsDeterministicAndOnce() {
  const QString everything = u"SELECT * FROM tbORSchedule ORDER BY TransNum"_s;
  DatabaseFixture first, second;
  const auto requests = TableRows(first.database(), everything);
  QCOMPARE(TableRows(second.database(), everything), requests);
  for (const char* table : {"tbOrRoom", "tbDoctor", "tbpasswordmain"}) {
    const QString sql = u"SELECT * FROM "_s + QLatin1String(table);
    QCOMPARE(TableRows(second.database(), sql), TableRows(first.database(), sql));
  }
  QVERIFY(first.server().IsSeeded());
  first.server().SeedDemoData();
  QCOMPARE(TableRows(first.database(), everything), requests);

  testsupport::TestEnvironment environment;
  hospitaldb::EmbeddedServer fresh(environment.databasePath());
  QVERIFY(!fresh.IsSeeded());
  QCOMPARE(Count(fresh.Database(), u"tbORSchedule"_s), 0);
  DatabaseFixture empty(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
  empty.server().SeedDemoData();  // as the program's start-up does
  QCOMPARE(Count(empty.database(), u"tbORSchedule"_s), 0);
}

void TestServer::demoDataHasWhatTheDemoNeeds() {
  DatabaseFixture db;
  const QSqlDatabase sql = db.database();
  const QDate today = DatabaseFixture::DefaultNow().date();
  QVERIFY(Count(sql, u"tbOrRoom"_s) >= 8);
  QVERIFY(Count(sql, u"tbDoctor"_s) >= 40);
  QVERIFY(Count(sql, u"tbpasswordmain WHERE originaldepartment = '29'"_s) >= 30);
  QVERIFY(Count(sql, u"tbpasswordmain WHERE originaldepartment <> '29'"_s) >= 5);
  QCOMPARE(Count(sql, u"tbpasswordmain WHERE originaldepartment = '29' AND employeeid = '"_s +
                          hospitaldb::DemoEmployeeCode() + u"'"_s),
           1);
  QVERIFY(Count(sql, u"tbpasswordmain WHERE lastname LIKE '%''%'"_s) >= 1);
  QVERIFY(Count(sql, u"tbDoctor WHERE LastName LIKE '%''%'"_s) >= 1);
  QVERIFY(Count(sql, u"tbORSchedule WHERE PatientName LIKE '%''%'"_s) >= 1);

  QVERIFY(Count(sql, u"tbORSchedule"_s) >= 60);
  for (int day : {-1, 0, 1, 2})
    QVERIFY(db.countRequests(today.addDays(day)) > 0);
  for (const char* status : {"P", "C", "R"})
    QVERIFY(Count(sql, u"tbORSchedule WHERE Status = '"_s + QLatin1String(status) + u"'"_s) >= 3);
  QVERIFY(Count(sql, u"tbORSchedule WHERE length(ProcedureName) < 26"_s) > 0);
  QVERIFY(Count(sql, u"tbORSchedule WHERE length(ProcedureName) BETWEEN 26 AND 39"_s) > 0);
  QVERIFY(Count(sql, u"tbORSchedule WHERE length(ProcedureName) >= 40"_s) > 0);
  // Who decided, and when: always before the server's now.
  QCOMPARE(Count(sql,
                 u"tbORSchedule WHERE Status = 'C' AND (ConfirmedBy IS NULL OR ConfirmedBy = ''"
                 " OR DateConfirmed IS NULL OR DateConfirmed > '2026-12-08 10:00:00')"_s),
           0);
  QCOMPARE(Count(sql,
                 u"tbORSchedule WHERE Status = 'R' AND (RevokedBy IS NULL OR RevokedBy = ''"
                 " OR DateRevoked IS NULL OR DateRevoked > '2026-12-08 10:00:00')"_s),
           0);
  QCOMPARE(Count(sql, u"tbORSchedule WHERE Status = 'P' AND DateConfirmed IS NOT NULL"_s), 0);
  // A pending request at half past every hour but the last, today.
  for (int hour = 0; hour <= 22; ++hour)
    QVERIFY2(Count(sql, u"tbORSchedule WHERE Status = 'P' AND OperationDate = '2026-12-08 "_s +
                            QStringLiteral("%1:30:00'").arg(hour, 2, 10, QLatin1Char('0'))) >= 1,
             qPrintable(QString::number(hour)));
  QCOMPARE(Count(sql,
                 u"tbORSchedule WHERE Surgeon = '' OR Anesthesiologist = '' OR SNurse = ''"
                 " OR CNurse = ''"_s),
           0);
}

void TestServer::demoDataFollowsTheServerDate() {
  const QDateTime later = platform::WallClock(QDate(2027, 3, 1), QTime(22, 15));
  DatabaseFixture early, late(later);
  const QDate today = DatabaseFixture::DefaultNow().date();
  for (int day = -1; day <= 5; ++day)
    QCOMPARE(late.countRequests(later.date().addDays(day)),
             early.countRequests(today.addDays(day)));
}

void TestServer::addRequestsFillsOneDate() {
  DatabaseFixture db;
  const QDate date(2026, 12, 24);
  const int before = db.countRequests(date);
  db.server().AddRequests(date, 32766);
  QCOMPARE(db.countRequests(date), before + 32766);
  const auto listed = db.open(u"SCHEDULE..sp_GetORSchedule '12/24/2026'"_s);
  QCOMPARE(listed.rows.size(), before + 32766);
  QCOMPARE(listed.rows.first()[8].toDateTime(), platform::WallClock(date, QTime(0, 0)));
  QCOMPARE(listed.rows.last()[8].toDateTime(), platform::WallClock(date, QTime(23, 59)));
  QCOMPARE(listed.rows.last()[26].toString(), u"P"_s);
  QVERIFY(!listed.rows.last()[5].toString().isEmpty());
}

// The file is plain SQLite: on a fresh one the sqlite3 shell adds a room, a doctor, an OR nurse
// and a request in its own letters' case, and the program lists them and finds the request.
void TestServer::theSqliteShellWritesTheFile_data() {
  QTest::addColumn<QString>("patient");  // as the shell writes it
  QTest::addColumn<QString>("typed");    // into the find
  QTest::newRow("small letters") << u"dela cruz, juan"_s << u"DELA C"_s;
  QTest::newRow("small letters beyond ASCII") << u"жукова, анна"_s << u"ЖУК"_s;
}

void TestServer::theSqliteShellWritesTheFile() {
  QFETCH(QString, patient);
  QFETCH(QString, typed);
  DatabaseFixture db(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
  QProcess shell;
  shell.start(
      u"sqlite3"_s,
      {db.server().Path(),
       u"INSERT INTO tbOrRoom VALUES ('OR09', 'OR 9');"
       "INSERT INTO tbDoctor (DoctorCode, LastName, FirstName) VALUES ('D9', 'AYALA', 'LI');"
       "INSERT INTO tbpasswordmain VALUES ('E9', 'ABAD', 'RIA', 'M', '29');"
       "INSERT INTO tbORSchedule (PatientName, ORRoomID, OperationDate)"
       " VALUES ('%1', 'OR09', '2026-12-08 09:30:00');"_s.arg(patient)});
  QVERIFY(shell.waitForFinished());
  QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
  namespace C = hospitaldb::ClientStatement;
  const auto Cell = [&](const QString& sql, int column) {
    return db.open(sql).rows.value(0).value(column).toString();
  };
  QCOMPARE(Cell(QString::fromLatin1(C::kRoomList), 0), u"OR 9"_s);
  QCOMPARE(Cell(hospitaldb::FillShape(C::kDoctorSearch, {u"'A%'"_s, u"''"_s}), 0), u"D9"_s);
  QCOMPARE(Cell(QString::fromLatin1(C::kAllOrStaff), 0), u"E9"_s);
  QCOMPARE(Cell(hospitaldb::FillShape(C::kScheduleList, {u"'12/08/2026'"_s}), 0), patient);
  QCOMPARE(Cell(hospitaldb::FillShape(C::kFindSchedules, {u'\'' + typed + u'\''}), 1), patient);
}

QTEST_GUILESS_MAIN(TestServer)
#include "test_server.moc"
