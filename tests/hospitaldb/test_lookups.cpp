// The server clock, the room statements, the OR staff search and texts the server does not know.
#include <QtTest>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/SqlQuote.h"
#include "platform/WallClock.h"
#include "support/DatabaseFixture.h"

using testsupport::DatabaseFixture;
using namespace Qt::StringLiterals;

namespace {

const QString kAllStaff =
    u"select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' +isnull(firstname,'') + ' ' + "
    "isnull(middlename,'') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where "
    "originaldepartment = '29' order by [OR STAFF]"_s;

// The search as the staff window builds it for a non-empty key.
QString StaffSearch(const QString& key) {
  return u"select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' +isnull(firstname,'') + "
         "' ' + isnull(middlename,'') AS [OR STAFF] from PASSWORD..tbpasswordmain AS "
         "tbpasswordmain where originaldepartment = '29'  and (lastname like '"_s +
         platform::SqlQuote(key.trimmed()) + u"%' or employeeid = '"_s + platform::SqlQuote(key) +
         u"') order by [OR STAFF]"_s;
}

QStringList Codes(const QString& codes) {
  return codes.split(u' ');
}

QStringList Column(const DatabaseFixture::Result& result, int column) {
  QStringList values;
  for (const QVariantList& row : result.rows)
    values << row[column].toString();
  return values;
}

QString FailureOf(DatabaseFixture& db, const QString& sql) {
  try {
    db.connection()->Open(sql);
  } catch (const platform::DatabaseError& error) {
    return error.message();
  }
  return QString();
}

}  // namespace

class TestLookups : public QObject {
  Q_OBJECT

 private slots:
  void serverDateIsTheServerClock();
  void roomByCode_data();
  void roomByCode();
  void roomCodeByName_data();
  void roomCodeByName();
  void roomListKeepsEveryRoomInOrder();
  void allOrStaffSortedByName();
  void staffSearchByKey_data();
  void staffSearchByKey();
  void staffSearchIsDistinctAsSqlServer();
  void unknownTextsFailLikeSqlServer_data();
  void unknownTextsFailLikeSqlServer();
};

void TestLookups::serverDateIsTheServerClock() {
  const QDateTime elsewhere = platform::WallClock(QDate(2031, 1, 15), QTime(7, 45, 10));
  DatabaseFixture db(elsewhere, DatabaseFixture::Seed::Empty);
  const auto result = db.open(u"select getdate() as TDate"_s);
  QCOMPARE(result.fields, QStringList{u"TDate"_s});
  QCOMPARE(result.rows.size(), 1);
  const QVariant tdate = result.rows[0][0];
  QCOMPARE(tdate.typeId(), QMetaType::QDateTime);
  QVERIFY(elsewhere.secsTo(tdate.toDateTime()) >= 0);
  QVERIFY(elsewhere.secsTo(tdate.toDateTime()) < 60);
  QCOMPARE(tdate.toDateTime().time().msec(), 0);
}

void TestLookups::roomByCode_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("name");
  QTest::newRow("code") << "OR01"
                        << "OR 1";
  QTest::newRow("other case, trailing blank") << "cath "
                                              << "CATH LAB";
  QTest::newRow("unknown") << "OR99" << QString();
  QTest::newRow("empty") << "" << QString();
}

void TestLookups::roomByCode() {
  QFETCH(QString, code);
  QFETCH(QString, name);
  DatabaseFixture db;
  const auto result = db.open(
      u"select RoomID, RoomName from schedule..tbOrRoom where roomid = '"_s + code + u"'"_s);
  QCOMPARE(result.fields, QStringList({u"RoomID"_s, u"RoomName"_s}));
  QCOMPARE(Column(result, 1), name.isNull() ? QStringList() : QStringList{name});
}

void TestLookups::roomCodeByName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("code");
  QTest::newRow("numbered") << "OR 1"
                            << "OR01";
  QTest::newRow("named, lower case") << "endoscopy suite"
                                     << "ENDO";
  QTest::newRow("apostrophe") << "ST. JUDE'S OR"
                              << "JUDE";
  QTest::newRow("unknown") << "OR 99" << QString();
}

void TestLookups::roomCodeByName() {
  QFETCH(QString, name);
  QFETCH(QString, code);
  DatabaseFixture db;
  db.exec(u"INSERT INTO tbOrRoom VALUES ('JUDE', 'ST. JUDE''S OR')"_s);
  const auto result = db.open(u"SCHEDULE..sp_Get_ORRoom '"_s + platform::SqlQuote(name) + u"'"_s);
  QCOMPARE(result.fields, QStringList{u"RoomID"_s});
  QCOMPARE(Column(result, 0), code.isNull() ? QStringList() : QStringList{code});
}

void TestLookups::roomListKeepsEveryRoomInOrder() {
  DatabaseFixture db;
  const QStringList seeded = Column(db.open(u"SCHEDULE..sp_List_ORRooms"_s), 0);
  QVERIFY(seeded.size() >= 8);
  QCOMPARE(seeded.first(), u"OR 1"_s);
  QCOMPARE(Column(db.open(u"exec  SCHEDULE..sp_List_ORRooms"_s), 0), seeded);
  QVERIFY(seeded.contains(u"CATH LAB"_s));

  db.exec(u"INSERT INTO tbOrRoom VALUES ('OR01B', 'OR 1'), ('NONAME', '')"_s);
  const auto result = db.open(u"SCHEDULE..sp_List_ORRooms"_s);
  QCOMPARE(result.fields, QStringList{u"Room Name"_s});
  QCOMPARE(Column(result, 0), seeded + QStringList({u"OR 1"_s, QString()}));
}

void TestLookups::allOrStaffSortedByName() {
  DatabaseFixture db;
  const auto result = db.open(kAllStaff);
  QCOMPARE(result.fields, QStringList({u"CODE"_s, u"OR STAFF"_s}));
  QVERIFY(result.rows.size() >= 30);
  const QStringList names = Column(result, 1);
  for (qsizetype i = 1; i < names.size(); ++i)
    QVERIFY2(names[i - 1].compare(names[i], Qt::CaseInsensitive) <= 0, qPrintable(names[i]));
  // Only department 29: SANTOS, ROBERTO works elsewhere.
  QVERIFY(!names.contains(u"SANTOS ,ROBERTO REYES"_s));
  QVERIFY(names.contains(u"SANTOS ,MARIA CLARA REYES"_s));
  QVERIFY(names.contains(u"ZABALA ,WILMA "_s));  // no middle name: ends in a blank
  QCOMPARE(Column(result, 0).count(u"E1001"_s), 1);
}

void TestLookups::staffSearchByKey_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QStringList>("codes");
  QTest::newRow("last-name prefix") << "SAN" << Codes(u"E1009 E1007 E1008 E1001"_s);
  QTest::newRow("lower case") << "san" << Codes(u"E1009 E1007 E1008 E1001"_s);
  QTest::newRow("blank sorts first") << "DE" << Codes(u"E1006 E1004 E1003 E1005"_s);
  QTest::newRow("apostrophe") << "O'B" << Codes(u"E1002"_s);
  QTest::newRow("employee code") << "E1005" << Codes(u"E1005"_s);
  QTest::newRow("code, trailing blank, lower case") << "e1005 " << Codes(u"E1005"_s);
  QTest::newRow("code, leading blank") << " E1005" << QStringList();
  QTest::newRow("wildcard in key") << "D_ZON" << Codes(u"E1013"_s);
  QTest::newRow("no one") << "ZZZ" << QStringList();
}

void TestLookups::staffSearchByKey() {
  QFETCH(QString, key);
  QFETCH(QStringList, codes);
  DatabaseFixture db;
  const auto result = db.open(StaffSearch(key));
  QCOMPARE(result.fields, QStringList({u"CODE"_s, u"OR STAFF"_s}));
  QCOMPARE(Column(result, 0), codes);
}

void TestLookups::staffSearchIsDistinctAsSqlServer() {
  DatabaseFixture db;
  const int everyone = db.open(kAllStaff).rows.size();
  // Blanks only: every OR staff member with a last name, plus one without.
  db.exec(u"INSERT INTO tbpasswordmain VALUES ('E9001', NULL, 'NOLAST', NULL, '29')"_s);
  QCOMPARE(db.open(StaffSearch(u"   "_s)).rows.size(), everyone);
  QCOMPARE(db.open(kAllStaff).rows.size(), everyone + 1);
  QVERIFY(Column(db.open(kAllStaff), 1).contains(u" ,NOLAST "_s));

  // The same employee twice, once in another case: one row, as SQL Server's DISTINCT gives.
  db.exec(u"INSERT INTO tbpasswordmain SELECT * FROM tbpasswordmain WHERE employeeid = 'E1002'"_s);
  db.exec(
      u"INSERT INTO tbpasswordmain VALUES ('e1002', 'O''BRIEN', 'KATHLEEN', 'MURPHY', '29 ')"_s);
  QCOMPARE(Column(db.open(StaffSearch(u"O'BRIEN"_s)), 1),
           QStringList{u"O'BRIEN ,KATHLEEN MURPHY"_s});
}

void TestLookups::unknownTextsFailLikeSqlServer_data() {
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QString>("message");
  QTest::newRow("unknown procedure") << "SCHEDULE..sp_Unknown '1'"
                                     << "Could not find stored procedure 'SCHEDULE..sp_Unknown'.";
  QTest::newRow("other database") << "OTHER..sp_GetORSchedule '1/1/2026'"
                                  << "Could not find stored procedure 'OTHER..sp_GetORSchedule'.";
  QTest::newRow("missing argument")
      << "SCHEDULE..sp_GetORSchedule"
      << "Procedure or function 'sp_GetORSchedule' expects parameter 1, which was not supplied.";
  QTest::newRow("EXEC, extra argument")
      << "EXEC SCHEDULE..sp_GetORSchedule '1/1/2026', 'x'"
      << "Procedure or function sp_GetORSchedule has too many arguments specified.";
  QTest::newRow("statement after the call")
      << "SCHEDULE..sp_GetORSchedule '12/8/2026'; drop table tbOrRoom --"
      << "Procedure sp_GetORSchedule takes only quoted values as its arguments.";
  QTest::newRow("apostrophe not doubled")
      << "SCHEDULE..sp_Get_ORRoom 'ST. JUDE'S OR'"
      << "Unclosed quotation mark after the character string ''.";
  QTest::newRow("unknown select")
      << "select *  from tbORSchedule"
      << "The embedded database does not know the statement \"select * from tbORSchedule\".";
  QTest::newRow("staff of another department")
      << QString(kAllStaff).replace(u"'29'"_s, u"'30'"_s)
      << u"The embedded database does not know the statement \""_s +
             QString(kAllStaff).replace(u"'29'"_s, u"'30'"_s) + u"\"."_s;
}

void TestLookups::unknownTextsFailLikeSqlServer() {
  QFETCH(QString, sql);
  QFETCH(QString, message);
  DatabaseFixture db;
  QCOMPARE(FailureOf(db, sql), message);
  QVERIFY(!db.open(u"SCHEDULE..sp_List_ORRooms"_s).rows.isEmpty());
}

QTEST_GUILESS_MAIN(TestLookups)
#include "test_lookups.moc"
