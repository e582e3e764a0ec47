#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"

using namespace platform;
using Mode = DTPicker::Mode;

namespace {

QDateTime OnZeroDate(int hour, int minute, int second = 0) {
  return platform::WallClock(ZeroDate(), QTime(hour, minute, second));
}

QDateTime Midnight(int year, int month, int day) {
  return platform::WallClock(QDate(year, month, day), QTime(0, 0));
}

// A window holding the pickers under test, shown and active so that keys reach them.
struct Form {
  QWidget window;
  DTPicker date{Mode::Date};
  DTPicker time{Mode::Time};
  QLineEdit after;

  Form() {
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(&date);
    layout->addWidget(&time);
    layout->addWidget(&after);
    window.show();
    window.activateWindow();
  }
  bool focus(QWidget* widget) {
    widget->setFocus();
    return QTest::qWaitFor([widget] { return widget->hasFocus(); });
  }
};

}  // namespace

class TestDTPicker : public QObject {
  Q_OBJECT

 private slots:
  void setValueReadsDatesAndTimes_data();
  void setValueReadsDatesAndTimes();
  void refusedValueKeepsTheOldOne_data();
  void refusedValueKeepsTheOldOne();
  void changeComesFromTheUserOnly();
  void userCannotPickBeforeEarliestDate();
  void earliestTimeHoldsOnlyOnEarliestDate();
  void calendarStepsAreChanges();
  void tabLeavesThePicker();
};

void TestDTPicker::setValueReadsDatesAndTimes_data() {
  QTest::addColumn<bool>("datePicker");
  QTest::addColumn<QVariant>("input");
  QTest::addColumn<QDateTime>("value");
  QTest::addColumn<QString>("shown");

  QTest::newRow("date from MM/DD/YYYY text")
      << true << QVariant(QStringLiteral("03/15/2024")) << Midnight(2024, 3, 15)
      << QStringLiteral("03/15/2024");
  QTest::newRow("date from default date-time text keeps the date only")
      << true << QVariant(QStringLiteral("3/5/2024 2:05:06 PM")) << Midnight(2024, 3, 5)
      << QStringLiteral("03/05/2024");
  QTest::newRow("date from QDateTime")
      << true << QVariant(platform::WallClock(QDate(2024, 12, 1), QTime(23, 59)))
      << Midnight(2024, 12, 1) << QStringLiteral("12/01/2024");
  QTest::newRow("date whose midnight Santiago skips")
      << true << QVariant(QStringLiteral("9/7/2025 12:30:00 AM")) << Midnight(2025, 9, 7)
      << QStringLiteral("09/07/2025");
  QTest::newRow("time New York skips") << false << QVariant(QStringLiteral("3/8/2026 2:30:00 AM"))
                                       << OnZeroDate(2, 30) << QStringLiteral("02:30:00 AM");
  QTest::newRow("date from QDate") << true << QVariant(QDate(2031, 1, 9)) << Midnight(2031, 1, 9)
                                   << QStringLiteral("01/09/2031");
  QTest::newRow("time from hh:mm:ss AM/PM text")
      << false << QVariant(QStringLiteral("02:05:06 PM")) << OnZeroDate(14, 5, 6)
      << QStringLiteral("02:05:06 PM");
  QTest::newRow("time from date-time text keeps the time of day")
      << false << QVariant(QStringLiteral("3/15/2024 12:30:00 AM")) << OnZeroDate(0, 30)
      << QStringLiteral("12:30:00 AM");
  QTest::newRow("time from QDateTime")
      << false << QVariant(platform::WallClock(QDate(2024, 3, 15), QTime(9, 7, 1)))
      << OnZeroDate(9, 7, 1) << QStringLiteral("09:07:01 AM");
  QTest::newRow("time from QTime at noon")
      << false << QVariant(QTime(12, 0)) << OnZeroDate(12, 0) << QStringLiteral("12:00:00 PM");
}

void TestDTPicker::setValueReadsDatesAndTimes() {
  QFETCH(bool, datePicker);
  QFETCH(QVariant, input);
  QFETCH(QDateTime, value);
  QFETCH(QString, shown);

  DTPicker picker(datePicker ? Mode::Date : Mode::Time);
  picker.SetValue(input);
  QCOMPARE(picker.Value(), value);
  QCOMPARE(picker.Date(), value.date());
  QCOMPARE(picker.Time(), value.time());
  QCOMPARE(picker.text(), shown);
}

void TestDTPicker::refusedValueKeepsTheOldOne_data() {
  QTest::addColumn<bool>("datePicker");
  QTest::addColumn<QVariant>("earliest");
  QTest::addColumn<QVariant>("input");

  const QVariant none;
  QTest::newRow("date: not a date") << true << none << QVariant(QStringLiteral("31/31/2024"));
  QTest::newRow("date: empty text") << true << none << QVariant(QString());
  QTest::newRow("date: null") << true << none << QVariant();
  QTest::newRow("date: day before the earliest")
      << true << QVariant(QStringLiteral("03/15/2024")) << QVariant(QStringLiteral("03/14/2024"));
  QTest::newRow("time: not a time") << false << none << QVariant(QStringLiteral("25:00"));
  QTest::newRow("time: before the earliest time of day")
      << false << QVariant(QTime(9, 0)) << QVariant(QStringLiteral("08:59:59 AM"));
  QTest::newRow("time: earliest given as date and time")
      << false << QVariant(platform::WallClock(QDate(2024, 3, 15), QTime(9, 0)))
      << QVariant(platform::WallClock(QDate(2030, 1, 1), QTime(8, 0)));
}

void TestDTPicker::refusedValueKeepsTheOldOne() {
  QFETCH(bool, datePicker);
  QFETCH(QVariant, earliest);
  QFETCH(QVariant, input);

  DTPicker picker(datePicker ? Mode::Date : Mode::Time);
  const QVariant start = datePicker ? QVariant(QDate(2024, 6, 1)) : QVariant(QTime(10, 30));
  picker.SetValue(start);
  if (!earliest.isNull()) picker.SetMinDate(earliest);
  const QDateTime before = picker.Value();
  const QString shownBefore = picker.text();
  QSignalSpy changes(&picker, &DTPicker::Change);

  QVERIFY_THROWS_EXCEPTION(RuntimeError, picker.SetValue(input));
  QCOMPARE(picker.Value(), before);
  QCOMPARE(picker.text(), shownBefore);
  QCOMPARE(changes.count(), 0);
}

void TestDTPicker::changeComesFromTheUserOnly() {
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  QSignalSpy changes(&form.date, &DTPicker::Change);

  form.date.SetValue(QStringLiteral("04/20/2024"));
  form.date.SetValue(QDate(2024, 4, 21));
  QCOMPARE(changes.count(), 0);

  QVERIFY(form.focus(&form.date));
  form.date.setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(&form.date, Qt::Key_Up);
  QCOMPARE(form.date.Date(), QDate(2024, 4, 22));
  QCOMPARE(changes.count(), 1);
  QTest::keyClick(&form.date, Qt::Key_Up);
  QTest::keyClick(&form.date, Qt::Key_Down);
  QCOMPARE(changes.count(), 3);
  QCOMPARE(form.date.Date(), QDate(2024, 4, 22));

  // Typing a new day: every key that gives a new date is one Change, the last one wins.
  changes.clear();
  form.date.setSelectedSection(QDateTimeEdit::DaySection);
  QTest::keyClicks(&form.date, QStringLiteral("09"));
  QCOMPARE(form.date.Date(), QDate(2024, 4, 9));
  QVERIFY(changes.count() >= 1);
  QVERIFY(changes.count() <= 2);

  // Time picker: the same.
  form.time.SetValue(QTime(13, 0));
  QSignalSpy timeChanges(&form.time, &DTPicker::Change);
  QVERIFY(form.focus(&form.time));
  form.time.setCurrentSection(QDateTimeEdit::MinuteSection);
  QTest::keyClick(&form.time, Qt::Key_Up);
  QCOMPARE(form.time.Value(), OnZeroDate(13, 1));
  QCOMPARE(timeChanges.count(), 1);
}

void TestDTPicker::userCannotPickBeforeEarliestDate() {
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  form.date.SetMinDate(QStringLiteral("03/15/2024"));
  QCOMPARE(form.date.MinDate(), Midnight(2024, 3, 15));
  QSignalSpy changes(&form.date, &DTPicker::Change);

  QVERIFY(form.focus(&form.date));
  for (auto section :
       {QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection, QDateTimeEdit::YearSection}) {
    form.date.setCurrentSection(section);
    QTest::keyClick(&form.date, Qt::Key_Down);
    QTest::keyClick(&form.date, Qt::Key_PageDown);
  }
  QCOMPARE(form.date.Date(), QDate(2024, 3, 15));
  QCOMPARE(changes.count(), 0);

  // Later dates stay open to the user.
  form.date.setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(&form.date, Qt::Key_Up);
  QCOMPARE(form.date.Date(), QDate(2024, 3, 16));
  QCOMPARE(changes.count(), 1);
}

void TestDTPicker::earliestTimeHoldsOnlyOnEarliestDate() {
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  form.time.SetValue(QTime(10, 0));
  form.date.SetMinDate(QDate(2024, 3, 15));
  form.time.SetMinDate(QStringLiteral("09:00:00 AM"), &form.date);
  QCOMPARE(form.time.MinDate(), OnZeroDate(9, 0));
  QSignalSpy timeChanges(&form.time, &DTPicker::Change);

  // On the earliest date: no earlier time of day, neither set nor stepped to.
  QVERIFY_THROWS_EXCEPTION(RuntimeError, form.time.SetValue(QTime(8, 0)));
  form.time.SetValue(QTime(9, 0));
  QVERIFY(form.focus(&form.time));
  form.time.setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(&form.time, Qt::Key_Down);
  QCOMPARE(form.time.Value(), OnZeroDate(9, 0));
  QCOMPARE(timeChanges.count(), 0);

  // The user moves the date on: now every time of day can be picked.
  QVERIFY(form.focus(&form.date));
  form.date.setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(&form.date, Qt::Key_Up);
  QCOMPARE(form.date.Date(), QDate(2024, 3, 16));
  form.time.SetValue(QTime(7, 0));
  QVERIFY(form.focus(&form.time));
  form.time.setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(&form.time, Qt::Key_Down);
  QCOMPARE(form.time.Value(), OnZeroDate(6, 0));
  QCOMPARE(timeChanges.count(), 1);

  // Back on the earliest date, the time the user set stays, and is named as too early.
  form.date.SetValue(QDate(2024, 3, 15));
  QCOMPARE(form.time.Value(), OnZeroDate(6, 0));
  QVERIFY(form.time.Problem().startsWith(u"06:00:00 AM is before 09:00:00 AM"));
  QCOMPARE(timeChanges.count(), 1);
  QVERIFY_THROWS_EXCEPTION(RuntimeError, form.time.SetValue(QTime(8, 59)));

  // A new earliest date makes the shown date a later one: the time picker follows at once.
  form.date.SetMinDate(QDate(2024, 3, 14));
  QVERIFY(form.focus(&form.time));
  form.time.setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(&form.time, Qt::Key_Down);
  QCOMPARE(form.time.Value(), OnZeroDate(5, 0));
}

// The drop-down calendar shows its selection in the field as it moves: each step to a new
// date is one Change, the closing Enter none, a step before the earliest date is refused.
void TestDTPicker::calendarStepsAreChanges() {
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  form.date.SetMinDate(QDate(2024, 3, 15));
  QSignalSpy changes(&form.date, &DTPicker::Change);
  QVERIFY(form.focus(&form.date));

  QCalendarWidget* calendar = form.date.calendarWidget();
  QVERIFY(calendar);
  QCOMPARE(calendar->minimumDate(), QDate(2024, 3, 15));
  // Open the drop-down by its arrow, at the right end of the field.
  QTest::mouseClick(&form.date, Qt::LeftButton, {},
                    QPoint(form.date.width() - 4, form.date.height() / 2));
  QTRY_VERIFY(calendar->isVisible());
  auto* days = calendar->findChild<QTableView*>();
  QVERIFY(days);
  QTest::keyClick(days, Qt::Key_Left);  // refused: before the earliest date
  QTest::keyClick(days, Qt::Key_Right);
  QTest::keyClick(days, Qt::Key_Right);
  QTest::keyClick(days, Qt::Key_Return);
  QTRY_VERIFY(!calendar->isVisible());
  QCOMPARE(form.date.Date(), QDate(2024, 3, 17));
  QCOMPARE(changes.count(), 2);
}

void TestDTPicker::tabLeavesThePicker() {
  Form form;
  QVERIFY(form.focus(&form.date));
  form.date.setCurrentSection(QDateTimeEdit::MonthSection);
  QTest::keyClick(&form.date, Qt::Key_Tab);
  QTRY_VERIFY(form.time.hasFocus());
  form.time.setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(&form.time, Qt::Key_Tab);
  QTRY_VERIFY(form.after.hasFocus());
  QTest::keyClick(&form.after, Qt::Key_Backtab);
  QTRY_VERIFY(form.time.hasFocus());
}

QTEST_MAIN(TestDTPicker)
#include "test_dtpicker.moc"
