#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/QueryRecordset.h"

class TestQueryRecordset : public QObject {
  Q_OBJECT

 private slots:
  void storedDatesReadAsTheDefaultText_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("morning") << "2026-12-08 09:05:07";
    QTest::newRow("afternoon") << "2026-12-08 13:05:07";
    QTest::newRow("midnight shows the date only") << "2026-12-08 00:00:00";
    QTest::newRow("half past midnight") << "2026-12-08 00:30:00";
    QTest::newRow("noon") << "2026-12-08 12:00:00";
    QTest::newRow("with T and milliseconds") << "2027-01-05T23:59:59.250";
    QTest::newRow("date alone") << "2027-01-05";
    QTest::newRow("zero date shows the time only") << "1899-12-30 10:48:54";
  }
  void storedDatesReadAsTheDefaultText() {
    QFETCH(QString, stored);
    const QDateTime value = platform::DateTimeFromIsoText(stored);
    QVERIFY(value.isValid());
    QCOMPARE(platform::DefaultTextFromIsoText(stored), platform::DefaultText(value));
  }

  void textsThatAreNotStoredDates_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << "";
    QTest::newRow("february 30") << "2026-02-30 10:00:00";
    QTest::newRow("hour 24") << "2026-12-08 24:00:00";
    QTest::newRow("month/day/year") << "12/08/2026";
    QTest::newRow("letters") << "2026-12-0x";
  }
  void textsThatAreNotStoredDates() {
    QFETCH(QString, stored);
    QVERIFY(!platform::DateTimeFromIsoText(stored).isValid());
    QVERIFY(platform::DefaultTextFromIsoText(stored).isNull());
  }

  void readsRowsFieldsAndDates() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rs"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    {
      QSqlQuery setup(db);
      QVERIFY(setup.exec(QStringLiteral("CREATE TABLE t (Name TEXT, Done TEXT, N INTEGER)")));
      QVERIFY(setup.exec(QStringLiteral(
          "INSERT INTO t VALUES ('O''BRIEN', '2026-12-08 13:05:07', 1), ('SMITH', NULL, 2)")));
      QSqlQuery query(db);
      query.setForwardOnly(true);
      QVERIFY(query.exec(QStringLiteral("SELECT Name, Done, N FROM t ORDER BY N")));
      platform::QueryRecordset records(std::move(query), {1});
      QCOMPARE(records.FieldNames(),
               (QStringList{QStringLiteral("Name"), QStringLiteral("Done"), QStringLiteral("N")}));
      QVERIFY(!records.AtEnd());
      QCOMPARE(records.Field(QStringLiteral("name")).toString(), QStringLiteral("O'BRIEN"));
      QCOMPARE(records.Field(QStringLiteral("Done")).toDateTime(),
               platform::WallClock(QDate(2026, 12, 8), QTime(13, 5, 7)));
      QCOMPARE(records.Text(1), QStringLiteral("12/8/2026 1:05:07 PM"));
      QVERIFY_THROWS_EXCEPTION(platform::DatabaseError, records.Field(QStringLiteral("Nope")));
      records.MoveNext();
      QVERIFY(records.Field(QStringLiteral("Done")).isNull());
      QCOMPARE(records.Text(1), QString());
      QCOMPARE(records.Text(2), QStringLiteral("2"));
      records.MoveNext();
      QVERIFY(records.AtEnd());
      QVERIFY_THROWS_EXCEPTION(platform::DatabaseError, records.Field(QStringLiteral("Name")));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("rs"));
  }
};

QTEST_GUILESS_MAIN(TestQueryRecordset)
#include "test_query_recordset.moc"
