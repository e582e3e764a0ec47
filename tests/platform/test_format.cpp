#include <QTest>

#include "platform/Errors.h"
#include "platform/Format.h"

using platform::Format;

class TestFormat : public QObject {
  Q_OBJECT

 private slots:
  void patterns_data() {
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const QDate day(2026, 12, 8);
    const QDateTime morning = platform::WallClock(day, QTime(9, 5, 7));
    const QDateTime afternoon = platform::WallClock(day, QTime(13, 5, 7));
    QTest::newRow("date") << morning << "MM/DD/YYYY"
                          << "12/08/2026";
    QTest::newRow("date, lower case") << morning << "mm/dd/yyyy"
                                      << "12/08/2026";
    QTest::newRow("12-hour morning") << morning << "hh:mm:ss AM/PM"
                                     << "09:05:07 AM";
    QTest::newRow("12-hour afternoon") << afternoon << "hh:mm:ss AM/PM"
                                       << "01:05:07 PM";
    QTest::newRow("midnight") << platform::WallClock(day, QTime(0, 0, 1)) << "hh:mm:ss AM/PM"
                              << "12:00:01 AM";
    QTest::newRow("noon") << platform::WallClock(day, QTime(12, 0, 0)) << "hh:mm:ss AM/PM"
                          << "12:00:00 PM";
    QTest::newRow("upper-case minutes after hour") << afternoon << "HH:MM:SS"
                                                   << "13:05:07";
    QTest::newRow("24-hour") << afternoon << "hh:mm:ss"
                             << "13:05:07";
    QTest::newRow("date and 24-hour time") << afternoon << "MM/DD/YYYY hh:mm:ss"
                                           << "12/08/2026 13:05:07";
    QTest::newRow("month after a date token stays month") << afternoon << "dd/mm"
                                                          << "08/12";
    QTest::newRow("short tokens") << platform::WallClock(QDate(2027, 1, 2), QTime(3, 4, 5))
                                  << "m/d/yyyy h:m:s"
                                  << "1/2/2027 3:4:5";
    QTest::newRow("lower-case marker") << afternoon << "h:nn am/pm"
                                       << "1:05 pm";
    QTest::newRow("long date") << afternoon << "Long Date"
                               << "Tuesday, December 8, 2026";
    QTest::newRow("named, any case") << afternoon << "long date"
                                     << "Tuesday, December 8, 2026";
  }
  void patterns() {
    QFETCH(QDateTime, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, pattern), expected);
    QCOMPARE(Format(QVariant(value), pattern), expected);
  }

  void textValuesAreReadAsDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default text") << "12/8/2026 1:05:07 PM"
                                  << "MM/DD/YYYY hh:mm:ss"
                                  << "12/08/2026 13:05:07";
    QTest::newRow("iso") << "2026-12-08 13:05:07"
                         << "HH:MM:SS"
                         << "13:05:07";
    QTest::newRow("blanks around") << "  12/8/2026  "
                                   << "MM/DD/YYYY"
                                   << "12/08/2026";
    QTest::newRow("empty stays empty") << ""
                                       << "MM/DD/YYYY"
                                       << "";
    QTest::newRow("not a date stays as it is") << "PENDING"
                                               << "MM/DD/YYYY"
                                               << "PENDING";
  }
  void textValuesAreReadAsDates() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Format(QVariant(text), pattern), expected);
  }

  void nullFormatsEmpty() { QCOMPARE(Format(QVariant(), QStringLiteral("MM/DD/YYYY")), QString()); }

  void defaultTexts() {
    const QDate day(2026, 12, 8);
    QCOMPARE(platform::DefaultText(platform::WallClock(day, QTime(0, 0))),
             QStringLiteral("12/8/2026"));
    QCOMPARE(platform::DefaultText(platform::WallClock(day, QTime(10, 48, 54))),
             QStringLiteral("12/8/2026 10:48:54 AM"));
    QCOMPARE(platform::DefaultText(platform::WallClock(platform::ZeroDate(), QTime(22, 0, 5))),
             QStringLiteral("10:00:05 PM"));
    QCOMPARE(platform::DefaultText(QVariant(day)), QStringLiteral("12/8/2026"));
    QCOMPARE(platform::DefaultText(QVariant()), QString());
    QCOMPARE(platform::DefaultText(QVariant(true)), QStringLiteral("True"));
    QCOMPARE(platform::DefaultText(QVariant(42)), QStringLiteral("42"));
  }

  void readingDatesAndTimes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    const QDate day(2026, 12, 8);
    QTest::newRow("MM/DD/YYYY") << "12/08/2026" << platform::WallClock(day, QTime(0, 0));
    QTest::newRow("M/D/YYYY") << "12/8/2026" << platform::WallClock(day, QTime(0, 0));
    QTest::newRow("default date and time")
        << "12/8/2026 10:48:54 AM" << platform::WallClock(day, QTime(10, 48, 54));
    QTest::newRow("half past midnight")
        << "12/8/2026 12:30 AM" << platform::WallClock(day, QTime(0, 30));
    QTest::newRow("pm") << "12/8/2026 12:30:00 PM" << platform::WallClock(day, QTime(12, 30));
    QTest::newRow("24-hour") << "12/08/2026 23:59:59"
                             << platform::WallClock(day, QTime(23, 59, 59));
    QTest::newRow("iso with T") << "2026-12-08T10:48:54"
                                << platform::WallClock(day, QTime(10, 48, 54));
    QTest::newRow("iso date") << "2026-12-08" << platform::WallClock(day, QTime(0, 0));
    QTest::newRow("skipped in Santiago")
        << "9/7/2025 12:30:00 AM" << platform::WallClock(QDate(2025, 9, 7), QTime(0, 30));
    QTest::newRow("skipped in New York")
        << "3/8/2026 2:30:00 AM" << platform::WallClock(QDate(2026, 3, 8), QTime(2, 30));
    QTest::newRow("time alone") << "10:48:54 PM"
                                << platform::WallClock(platform::ZeroDate(), QTime(22, 48, 54));
    QTest::newRow("two-digit year")
        << "1/2/27" << platform::WallClock(QDate(2027, 1, 2), QTime(0, 0));
    QTest::newRow("fraction of a second, short marker")
        << "1/2/2026  10:30:15.250 p" << platform::WallClock(QDate(2026, 1, 2), QTime(22, 30, 15));
    QTest::newRow("marker without a blank")
        << "9:05AM" << platform::WallClock(platform::ZeroDate(), QTime(9, 5));
  }
  void readingDatesAndTimes() {
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    QCOMPARE(platform::ToDateTime(text), expected);
  }

  void refusesWhatIsNotADate_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("words") << "tomorrow";
    QTest::newRow("month 13") << "13/01/2026";
    QTest::newRow("day 31 of November") << "11/31/2026";
    QTest::newRow("hour 13 with a marker") << "12/8/2026 13:00 PM";
    QTest::newRow("trailing junk") << "12/8/2026 x";
    QTest::newRow("hour 0 with a marker") << "0:30 PM";
    QTest::newRow("minute 60") << "12/8/2026 9:60";
    QTest::newRow("five-digit year") << "1/2/20245";
    QTest::newRow("unknown marker") << "9:05 XM";
  }
  void refusesWhatIsNotADate() {
    QFETCH(QString, text);
    QVERIFY(!platform::TryToDateTime(text).isValid());
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, platform::ToDateTime(text));
  }

  void defaultTextReadsBack() {
    for (const QDateTime& value : {platform::WallClock(QDate(2026, 12, 31), QTime(23, 59, 59)),
                                   platform::WallClock(QDate(2027, 1, 1), QTime(0, 0, 1)),
                                   platform::WallClock(QDate(2026, 2, 28), QTime(12, 0, 0))})
      QCOMPARE(platform::ToDateTime(platform::DefaultText(value)), value);
  }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "test_format.moc"
