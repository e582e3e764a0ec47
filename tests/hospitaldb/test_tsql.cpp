// How the embedded database reads T-SQL: date texts, LIKE and '=' on text, and statement texts.
#include <QtTest>

#include "hospitaldb/StatementShape.h"
#include "hospitaldb/TsqlDate.h"
#include "hospitaldb/TsqlText.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"

using namespace hospitaldb;

class TestTsql : public QObject {
  Q_OBJECT

 private slots:
  void readsDatesMonthFirst_data();
  void readsDatesMonthFirst();
  void refusesWhatSqlServerRefuses_data();
  void refusesWhatSqlServerRefuses();
  void likeMatchesAsSqlServer_data();
  void likeMatchesAsSqlServer();
  void equalityIgnoresCaseAndTrailingBlanks();
  void literalsKeepDoubledApostrophes();
  void shapeIgnoresBlanksAndCase();
  void shapeChecksFixedLiteralsAndCounts();
  void unclosedLiteralFailsLikeSqlServer();
  void readsProcedureCalls();
};

void TestTsql::readsDatesMonthFirst_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QDateTime>("expected");
  const QDate dec8(2026, 12, 8);
  QTest::newRow("MM/DD/YYYY") << "12/08/2026" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("skipped in Santiago")
      << "9/7/2025 12:30:00 AM" << platform::WallClock(QDate(2025, 9, 7), QTime(0, 30));
  QTest::newRow("twice in New York")
      << "11/1/2026 01:30:00 AM" << platform::WallClock(QDate(2026, 11, 1), QTime(1, 30));
  QTest::newRow("M/D/YYYY") << "12/8/2026" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("month first, not day")
      << "1/2/2027" << platform::WallClock(QDate(2027, 1, 2), QTime(0, 0));
  QTest::newRow("with AM time") << "12/8/2026 09:30:00 AM"
                                << platform::WallClock(dec8, QTime(9, 30));
  QTest::newRow("with PM time") << "12/7/2026 10:48:54 PM"
                                << platform::WallClock(QDate(2026, 12, 7), QTime(22, 48, 54));
  QTest::newRow("12 AM is midnight")
      << "12/8/2026 12:15:00 AM" << platform::WallClock(dec8, QTime(0, 15));
  QTest::newRow("12 PM is noon") << "12/8/2026 12:15 PM"
                                 << platform::WallClock(dec8, QTime(12, 15));
  QTest::newRow("24-hour time") << "12/8/2026 17:05" << platform::WallClock(dec8, QTime(17, 5));
  QTest::newRow("hour and marker") << "12/8/2026 9 PM" << platform::WallClock(dec8, QTime(21, 0));
  QTest::newRow("milliseconds dropped")
      << "12/8/2026 08:00:01.997" << platform::WallClock(dec8, QTime(8, 0, 1));
  QTest::newRow("blanks around") << "  12/8/2026  08:00  "
                                 << platform::WallClock(dec8, QTime(8, 0));
  QTest::newRow("dashes") << "12-08-2026" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("two-digit year") << "12/8/26" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("two-digit year, last century")
      << "12/8/99" << platform::WallClock(QDate(1999, 12, 8), QTime(0, 0));
  QTest::newRow("ISO") << "2026-12-08" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("ISO with T") << "2026-12-08T14:00:00" << platform::WallClock(dec8, QTime(14, 0));
  QTest::newRow("compact") << "20261208" << platform::WallClock(dec8, QTime(0, 0));
  QTest::newRow("time alone") << "10:30" << platform::WallClock(QDate(1900, 1, 1), QTime(10, 30));
  QTest::newRow("empty") << "" << platform::WallClock(QDate(1900, 1, 1), QTime(0, 0));
  QTest::newRow("leap day") << "2/29/2028" << platform::WallClock(QDate(2028, 2, 29), QTime(0, 0));
}

void TestTsql::readsDatesMonthFirst() {
  QFETCH(QString, text);
  QFETCH(QDateTime, expected);
  const auto read = ReadTsqlDateTime(text);
  QVERIFY(read.has_value());
  QCOMPARE(*read, expected);
}

void TestTsql::refusesWhatSqlServerRefuses_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("day first") << "13/12/2026";
  QTest::newRow("no such day") << "2/30/2026";
  QTest::newRow("not leap") << "2/29/2027";
  QTest::newRow("words") << "tomorrow";
  QTest::newRow("hour 25") << "12/8/2026 25:00";
  QTest::newRow("13 PM") << "12/8/2026 13:00 PM";
  QTest::newRow("minute 60") << "12/8/2026 10:60";
  QTest::newRow("before 1753") << "1/1/1752";
  QTest::newRow("trailing junk") << "12/8/2026 10:00 XM";
  QTest::newRow("apostrophe") << "12/8/2026'";
}

void TestTsql::refusesWhatSqlServerRefuses() {
  QFETCH(QString, text);
  QVERIFY(!ReadTsqlDateTime(text).has_value());
}

void TestTsql::likeMatchesAsSqlServer_data() {
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<bool>("matches");
  QTest::newRow("prefix") << "SANTOS"
                          << "SAN%" << true;
  QTest::newRow("prefix, other case") << "Santos"
                                      << "sAN%" << true;
  QTest::newRow("not prefix") << "DE SANTOS"
                              << "SAN%" << false;
  QTest::newRow("all") << "ANY"
                       << "%" << true;
  QTest::newRow("empty value, all") << ""
                                    << "%" << true;
  QTest::newRow("empty value, prefix") << ""
                                       << "A%" << false;
  QTest::newRow("apostrophe") << "O'BRIEN"
                              << "O'B%" << true;
  QTest::newRow("underscore is one character") << "DIZON"
                                               << "D_ZON" << true;
  QTest::newRow("underscore needs a character") << "DZON"
                                                << "D_ZON" << false;
  QTest::newRow("set") << "DIZON"
                       << "D[AEI]%" << true;
  QTest::newRow("not in set") << "DOZON"
                              << "D[AEI]%" << false;
  QTest::newRow("range") << "MERCADO"
                         << "[K-N]%" << true;
  QTest::newRow("negated set") << "MERCADO"
                               << "[^K-N]%" << false;
  QTest::newRow("unclosed bracket is literal") << "A[B"
                                               << "A[B" << true;
  QTest::newRow("inner percent") << "DELA CRUZ"
                                 << "DE%CRUZ" << true;
  QTest::newRow("trailing blanks not significant") << "CRUZ  "
                                                   << "CRUZ" << true;
  QTest::newRow("leading blanks significant") << " CRUZ"
                                              << "CRUZ%" << false;
  QTest::newRow("exact, longer value") << "CRUZES"
                                       << "CRUZ" << false;
}

void TestTsql::likeMatchesAsSqlServer() {
  QFETCH(QString, value);
  QFETCH(QString, pattern);
  QFETCH(bool, matches);
  QCOMPARE(TsqlLike(value, pattern), matches);
}

void TestTsql::equalityIgnoresCaseAndTrailingBlanks() {
  QVERIFY(TsqlEquals(u"e1001", u"E1001"));
  QVERIFY(TsqlEquals(u"E1001  ", u"E1001"));
  QVERIFY(!TsqlEquals(u" E1001", u"E1001"));
  QVERIFY(TsqlEquals(u"   ", u""));
  QVERIFY(TsqlCompare(u"abad", u"BAUTISTA") < 0);
}

void TestTsql::literalsKeepDoubledApostrophes() {
  const auto tokens = TokenizeSql(QStringLiteral("x 'O''BRIEN', '''', ''"));
  QCOMPARE(tokens.size(), size_t(6));
  QCOMPARE(tokens[1].kind, SqlToken::Kind::Literal);
  QCOMPARE(tokens[1].text, QStringLiteral("O'BRIEN"));
  QCOMPARE(tokens[3].text, QStringLiteral("'"));
  QCOMPARE(tokens[5].text, QString());
}

void TestTsql::shapeIgnoresBlanksAndCase() {
  const auto shape = TokenizeSql(QStringLiteral("Schedule..sp_UpdateSchedules ?,?, ?"));
  const auto values = MatchShape(
      TokenizeSql(QStringLiteral("  schedule..SP_UPDATESCHEDULES\t'C' ,\n'E1',  '12'")), shape);
  QVERIFY(values.has_value());
  QCOMPARE(*values, QStringList({QStringLiteral("C"), QStringLiteral("E1"), QStringLiteral("12")}));
}

void TestTsql::shapeChecksFixedLiteralsAndCounts() {
  const auto shape = TokenizeSql(QStringLiteral("select x where dept = '29' and name like ?"));
  QVERIFY(MatchShape(TokenizeSql(QStringLiteral("select x where dept = '29' and name like 'A%'")),
                     shape));
  QVERIFY(!MatchShape(TokenizeSql(QStringLiteral("select x where dept = '30' and name like 'A%'")),
                      shape));
  QVERIFY(!MatchShape(TokenizeSql(QStringLiteral("select x where dept = '29' and name like A")),
                      shape));
  QVERIFY(!MatchShape(TokenizeSql(QStringLiteral("select x where dept = '29'")), shape));
}

void TestTsql::unclosedLiteralFailsLikeSqlServer() {
  try {
    TokenizeSql(QStringLiteral("SCHEDULE..sp_GetORSchedule 'O'BRIEN'"));
    QFAIL("an unclosed literal was accepted");
  } catch (const platform::DatabaseError& error) {
    QCOMPARE(error.message(),
             QStringLiteral("Unclosed quotation mark after the character string ''."));
  }
}

void TestTsql::readsProcedureCalls() {
  const auto call = ReadProcedureCall(TokenizeSql(QStringLiteral("DB..sp_Foo 'a', 'b'")));
  QVERIFY(call.has_value());
  QCOMPARE(call->name, QStringLiteral("DB..sp_Foo"));
  QCOMPARE(call->baseName, QStringLiteral("sp_Foo"));
  QCOMPARE(call->argumentCount, 2);
  QVERIFY(call->argumentsAreLiterals);
  QVERIFY(!ReadProcedureCall(TokenizeSql(QStringLiteral("select getdate() as TDate"))));
}

QTEST_GUILESS_MAIN(TestTsql)
#include "test_tsql.moc"
