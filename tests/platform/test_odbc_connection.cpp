// OdbcConnection and its recordset through the real driver manager and a real driver: unixODBC
// with the SQLite ODBC driver, as QODBC reaches SQL Server through unixODBC and FreeTDS.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>

#include "platform/Errors.h"
#include "platform/OdbcConnection.h"
#include "platform/WallClock.h"
#include "support/OdbcDrivers.h"

using platform::DatabaseError;
using platform::OdbcConnection;
using namespace Qt::StringLiterals;

class TestOdbcConnection : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testsupport::OdbcDrivers> drivers_;
  QTemporaryDir dir_;
  int files_ = 0;

  // A connection to a new, empty database file.
  std::unique_ptr<OdbcConnection> Connect() {
    const QString file = dir_.filePath(u"db%1.sqlite"_s.arg(++files_));
    return std::make_unique<OdbcConnection>(drivers_->Sqlite(file));
  }

 private slots:
  void initTestCase() {
    QVERIFY2(QFile::exists(testsupport::OdbcDrivers::SqliteDriverLibrary()),
             "the SQLite ODBC driver is not installed: run scripts/install-deps --tests");
    // The Debian SQLite ODBC driver has no wide-character functions, so unixODBC converts the
    // client's UTF-16 texts to the locale's character set for it (FreeTDS takes them as they
    // are). Under a UTF-8 locale that conversion loses nothing.
    QVERIFY(std::setlocale(LC_CTYPE, "C.UTF-8"));
    drivers_ = std::make_unique<testsupport::OdbcDrivers>();
  }

  // A value written with Execute comes back through Open as the client reads it: by field
  // name, as a value and as the text the grids show.
  void readsBackWhatWasWritten_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    const QDateTime afternoon = platform::WallClock(QDate(2026, 12, 8), QTime(13, 5, 7));
    QTest::newRow("text with an apostrophe")
        << "TEXT"
        << "'O''BRIEN, PAT'" << QVariant(u"O'BRIEN, PAT"_s) << "O'BRIEN, PAT";
    QTest::newRow("non-Latin text")
        << "TEXT"
        << "'ЖУКОВА, АННА 山田 Ñ'" << QVariant(u"ЖУКОВА, АННА 山田 Ñ"_s) << "ЖУКОВА, АННА 山田 Ñ";
    QTest::newRow("empty text") << "TEXT"
                                << "''" << QVariant(u""_s) << "";
    QTest::newRow("null text") << "TEXT"
                               << "NULL" << QVariant() << "";
    QTest::newRow("date and time")
        << "TIMESTAMP"
        << "'2026-12-08 13:05:07'" << QVariant(afternoon) << "12/8/2026 1:05:07 PM";
    QTest::newRow("midnight shows the date alone")
        << "TIMESTAMP"
        << "'2027-01-05 00:00:00'" << QVariant(platform::WallClock(QDate(2027, 1, 5), QTime(0, 0)))
        << "1/5/2027";
    QTest::newRow("null date") << "TIMESTAMP"
                               << "NULL" << QVariant() << "";
    QTest::newRow("number") << "INTEGER"
                            << "1042" << QVariant(1042) << "1042";
  }
  void readsBackWhatWasWritten() {
    QFETCH(QString, type);
    QFETCH(QString, literal);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    auto connection = Connect();
    connection->Execute(u"CREATE TABLE t (Id INTEGER, Kept %1)"_s.arg(type));
    connection->Execute(u"INSERT INTO t (Id, Kept) VALUES (1, %1)"_s.arg(literal));
    auto rows = connection->Open(u"SELECT Id, Kept AS [Read Back] FROM t"_s,
                                 platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    QVERIFY(!rows->AtEnd());
    const QVariant read = rows->Field(u"read back"_s);
    QCOMPARE(read.isNull(), value.isNull());
    if (!value.isNull()) QCOMPARE(read.toString(), value.toString());
    if (value.typeId() == QMetaType::QDateTime) QCOMPARE(read.toDateTime(), value.toDateTime());
    QCOMPARE(rows->Text(rows->FieldIndex(u"Read Back"_s)), text);
    rows->MoveNext();
    QVERIFY(rows->AtEnd());
    rows->Close();
  }

  void readsEveryRowInOrderAndThenEnds() {
    auto connection = Connect();
    connection->Execute(u"CREATE TABLE rooms (RoomID TEXT, RoomName TEXT)"_s);
    connection->Execute(
        u"INSERT INTO rooms VALUES ('OR01', 'OR 1'), ('OR02', 'OR 2'), "
        "('CATH', 'CATH LAB')"_s);
    auto rows = connection->Open(u"SELECT RoomName AS [Room Name] FROM rooms ORDER BY rowid"_s,
                                 platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    QCOMPARE(rows->FieldNames(), QStringList{u"Room Name"_s});
    QStringList names;
    for (; !rows->AtEnd(); rows->MoveNext())
      names << rows->Field(u"Room Name"_s).toString();
    QCOMPARE(names, (QStringList{u"OR 1"_s, u"OR 2"_s, u"CATH LAB"_s}));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rows->Field(u"Room Name"_s));
  }

  void anEmptyResultHasItsFieldsAndNoRow() {
    auto connection = Connect();
    connection->Execute(u"CREATE TABLE t (PatientName TEXT, TransNum INTEGER)"_s);
    auto rows = connection->Open(u"SELECT PatientName, TransNum FROM t"_s,
                                 platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    QVERIFY(rows->AtEnd());
    QCOMPARE(rows->FieldNames(), (QStringList{u"PatientName"_s, u"TransNum"_s}));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rows->Field(u"PatientName"_s));
  }

  // A statement the driver refuses throws its message; it is no lost link, so the session
  // goes on: a temporary table, which lives only as long as the session, is still there.
  void aRefusedStatementThrowsAndTheSessionGoesOn_data() {
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("named");
    QTest::newRow("read of a missing table") << true << "SELECT * FROM tbMissing"
                                             << "tbMissing";
    QTest::newRow("write of a missing table") << false << "DELETE FROM tbMissing"
                                              << "tbMissing";
    QTest::newRow("not a statement") << false << "SCHEDULE..sp_Nowhere 'x'"
                                     << "syntax error";
  }
  void aRefusedStatementThrowsAndTheSessionGoesOn() {
    QFETCH(bool, opened);
    QFETCH(QString, sql);
    QFETCH(QString, named);
    auto connection = Connect();
    connection->Execute(u"CREATE TEMP TABLE session_mark (n INTEGER)"_s);
    connection->Execute(u"INSERT INTO session_mark VALUES (7)"_s);
    try {
      if (opened)
        connection->Open(sql, platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
      else
        connection->Execute(sql);
      QFAIL("the driver took the statement");
    } catch (const DatabaseError& error) {
      QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    }
    auto mark = connection->Open(u"SELECT n FROM session_mark"_s, platform::CursorType::ForwardOnly,
                                 platform::LockType::ReadOnly);
    QCOMPARE(mark->Field(u"n"_s).toInt(), 7);
  }

  // Execute reads nothing back, also from a statement that returns rows, and leaves the
  // connection free for the next statement.
  void executeOfARowReturningStatementLeavesTheConnectionFree() {
    auto connection = Connect();
    connection->Execute(u"CREATE TABLE t (n INTEGER)"_s);
    connection->Execute(u"INSERT INTO t VALUES (1), (2)"_s);
    connection->Execute(u"SELECT n FROM t"_s);
    connection->Execute(u"UPDATE t SET n = n + 10"_s);
    auto rows = connection->Open(u"SELECT sum(n) AS Total FROM t"_s,
                                 platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    QCOMPARE(rows->Field(u"Total"_s).toInt(), 23);
  }

  void aMissingDatabaseFolderFailsToConnect() {
    const QString file = dir_.filePath(u"no such folder/db.sqlite"_s);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, OdbcConnection(drivers_->Sqlite(file)));
  }
};

QTEST_GUILESS_MAIN(TestOdbcConnection)
#include "test_odbc_connection.moc"
