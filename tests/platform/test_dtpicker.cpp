#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

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

// A picker that takes a drop as the window system hands it one (QApplication passes a drop
// only while a drag is under way).
struct Picker : DTPicker {
  using DTPicker::dropEvent;
  using DTPicker::DTPicker;
};

// A window holding the pickers under test, shown and active so that keys reach them.
struct Form {
  QWidget window;
  Picker date{Mode::Date};
  Picker time{Mode::Time};
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
    widget->setFocus(Qt::TabFocusReason);
    return QTest::qWaitFor([widget] { return widget->hasFocus(); });
  }
};

// Keys as a keyboard sends them: Shift pressed on its own first for ":" and capitals; digits
// and "/" from the keypad, "/" with AltGr (Ctrl+Alt on some systems), when `keypad`.
void TypeKeys(QWidget* widget, const QString& text, bool keypad = false) {
  for (QChar c : text) {
    Qt::KeyboardModifiers with = c.isUpper() || c == u':' ? Qt::ShiftModifier : Qt::NoModifier;
    if (keypad) with = c == u'/' ? Qt::ControlModifier | Qt::AltModifier : Qt::KeypadModifier;
    QTest::keyClick(widget, c.toLatin1(), with);
  }
}

// The text reaches the picker by `how`: typed, or pasted or dropped as one.
void Enter(Picker& picker, const QString& how, const QString& text) {
  if (how == u"keys" || how == u"keypad") return TypeKeys(&picker, text, how == u"keypad");
  QGuiApplication::clipboard()->setText(text);
  if (how == u"Ctrl+V") QTest::keyClick(&picker, Qt::Key_V, Qt::ControlModifier);
  if (how == u"Shift+Insert") QTest::keyClick(&picker, Qt::Key_Insert, Qt::ShiftModifier);
  if (how == u"menu") {
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      for (QAction* action : menu->actions())
        if (action->text().startsWith(u"&Paste")) menu->setActiveAction(action);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4),
                            picker.mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(&picker, &click);
  }
  if (how == u"drop") {
    QMimeData dropped;
    dropped.setText(text);
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    picker.dropEvent(&drop);
  }
}

}  // namespace

class TestDTPicker : public QObject {
  Q_OBJECT

 private slots:
  void setValueReadsDatesAndTimes_data();
  void setValueReadsDatesAndTimes();
  void refusedValueKeepsTheOldOne_data();
  void refusedValueKeepsTheOldOne();
  void everyWayInIsReadAsTyped_data();
  void everyWayInIsReadAsTyped();
  void aStepOrAPickReplacesATextThatIsNone_data();
  void aStepOrAPickReplacesATextThatIsNone();
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

// Every way a text reaches the picker is read as if typed; a text that is no value stays shown
// as it stands, and the value stays.
void TestDTPicker::everyWayInIsReadAsTyped_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QDateTime>("value");  // invalid: none, the value before stays
  const QDateTime none;
  // Time rows start at 11:30:45 AM, date rows at 03/15/2024.
  QTest::newRow("9:30a, Shift pressed for ':'") << "keys"
                                                << "9:30a"
                                                << "09:30:45 AM" << OnZeroDate(9, 30, 45);
  QTest::newRow("11:45p, Shift pressed for ':'") << "keys"
                                                 << "11:45p"
                                                 << "11:45:45 PM" << OnZeroDate(23, 45, 45);
  QTest::newRow("hour 00 is no time") << "keys"
                                      << "00:30a"
                                      << "00:30:45 AM" << none;
  QTest::newRow("12 with a is 12 AM") << "keys"
                                      << "12:15a"
                                      << "12:15:45 AM" << OnZeroDate(0, 15, 45);
  QTest::newRow("12 with P is noon") << "keys"
                                     << "12:15P"
                                     << "12:15:45 PM" << OnZeroDate(12, 15, 45);
  QTest::newRow("keypad digits, AltGr's /") << "keypad"
                                            << "1/5/2031"
                                            << "01/05/2031" << Midnight(2031, 1, 5);
  QTest::newRow("Ctrl+V of a day not in its month") << "Ctrl+V"
                                                    << "02/30/2031"
                                                    << "02/30/2031" << none;
  QTest::newRow("Ctrl+V of 1/5/2031") << "Ctrl+V"
                                      << "1/5/2031"
                                      << "01/05/2031" << Midnight(2031, 1, 5);
  QTest::newRow("Shift+Insert of 2:30 PM") << "Shift+Insert"
                                           << " 2:30 PM\n"
                                           << "02:30:45 PM" << OnZeroDate(14, 30, 45);
  QTest::newRow("the menu's Paste of 14:30") << "menu"
                                             << "14:30"
                                             << "02:30:45 PM" << OnZeroDate(14, 30, 45);
  QTest::newRow("a drop of 9:30a") << "drop"
                                   << "9:30a"
                                   << "09:30:45 AM" << OnZeroDate(9, 30, 45);
  QTest::newRow("a drop of an unfinished year") << "drop"
                                                << "1/5/20"
                                                << "01/05/20" << none;
}

void TestDTPicker::everyWayInIsReadAsTyped() {
  QFETCH(QString, how);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(QDateTime, value);
  Form form;
  const bool date = typed.contains(u'/');
  Picker& picker = date ? form.date : form.time;
  picker.SetValue(date ? QVariant(QDate(2024, 3, 15)) : QVariant(QTime(11, 30, 45)));
  const QDateTime before = picker.Value();
  QSignalSpy changes(&picker, &DTPicker::Change);
  QVERIFY(form.focus(&picker));
  Enter(picker, how, typed);
  QTest::keyClick(&picker, Qt::Key_Tab);  // kept while it is no value
  QCOMPARE(picker.text(), shown);
  QCOMPARE(picker.Value(), value.isValid() ? value : before);
  QCOMPARE(picker.Problem().isEmpty(), value.isValid());
  QCOMPARE(picker.hasFocus(), !value.isValid());
  QCOMPARE(changes.count(), int(value.isValid()));
}

// A text that is no date is replaced by the next step or calendar pick, which is the value.
void TestDTPicker::aStepOrAPickReplacesATextThatIsNone_data() {
  QTest::addColumn<bool>("calendar");
  QTest::newRow("Up") << false;
  QTest::newRow("calendar") << true;
}

void TestDTPicker::aStepOrAPickReplacesATextThatIsNone() {
  QFETCH(bool, calendar);
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  QVERIFY(form.focus(&form.date));
  TypeKeys(&form.date, QStringLiteral("02/30/2031"));
  QVERIFY(!form.date.Problem().isEmpty());
  if (calendar) {
    form.date.calendarWidget()->setSelectedDate(QDate(2024, 3, 20));
  } else {
    QTest::keyClick(&form.date, Qt::Key_Up);  // the year
  }
  const QDate picked = calendar ? QDate(2024, 3, 20) : QDate(2025, 3, 15);
  QCOMPARE(form.date.Date(), picked);
  QCOMPARE(form.date.text(), picked.toString(QStringLiteral("MM/dd/yyyy")));
  QCOMPARE(form.date.Problem(), QString());
}

void TestDTPicker::changeComesFromTheUserOnly() {
  Form form;
  form.date.SetValue(QDate(2024, 3, 15));
  QSignalSpy changes(&form.date, &DTPicker::Change);

  form.date.SetValue(QStringLiteral("04/20/2024"));
  form.date.SetValue(QDate(2024, 4, 21));
  QCOMPARE(changes.count(), 0);

  QVERIFY(form.focus(&form.date));
  QTest::keyClick(&form.date, Qt::Key_Right);  // the day
  QTest::keyClick(&form.date, Qt::Key_Up);
  QCOMPARE(form.date.Date(), QDate(2024, 4, 22));
  QCOMPARE(changes.count(), 1);
  QTest::keyClick(&form.date, Qt::Key_Up);
  QTest::keyClick(&form.date, Qt::Key_Down);
  QCOMPARE(changes.count(), 3);
  QCOMPARE(form.date.Date(), QDate(2024, 4, 22));

  // A new day typed is one Change, when the typing ends: never a date half typed.
  changes.clear();
  QTest::keyClicks(&form.date, QStringLiteral("09"));
  QCOMPARE(changes.count(), 0);
  QTest::keyClick(&form.date, Qt::Key_Return);
  QCOMPARE(form.date.Date(), QDate(2024, 4, 9));
  QCOMPARE(changes.count(), 1);

  // Time picker: the same.
  form.time.SetValue(QTime(13, 0));
  QSignalSpy timeChanges(&form.time, &DTPicker::Change);
  QVERIFY(form.focus(&form.time));
  QTest::keyClick(&form.time, Qt::Key_Right);  // the minutes
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
  for (int part = 0; part < 3; ++part) {  // month, day, year
    QTest::keyClick(&form.date, Qt::Key_Down);
    QTest::keyClick(&form.date, Qt::Key_PageDown);
    QTest::keyClick(&form.date, Qt::Key_Right);
  }
  QCOMPARE(form.date.Date(), QDate(2024, 3, 15));
  QCOMPARE(changes.count(), 0);

  // Later dates stay open to the user.
  QTest::keyClick(&form.date, Qt::Key_Left);  // the day
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
  QTest::keyClick(&form.time, Qt::Key_Down);
  QCOMPARE(form.time.Value(), OnZeroDate(9, 0));
  QCOMPARE(timeChanges.count(), 0);

  // The user moves the date on: now every time of day can be picked.
  QVERIFY(form.focus(&form.date));
  QTest::keyClick(&form.date, Qt::Key_Right);  // the day
  QTest::keyClick(&form.date, Qt::Key_Up);
  QCOMPARE(form.date.Date(), QDate(2024, 3, 16));
  form.time.SetValue(QTime(7, 0));
  QVERIFY(form.focus(&form.time));
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
  QTest::keyClick(&form.date, Qt::Key_Tab);
  QTRY_VERIFY(form.time.hasFocus());
  QTest::keyClick(&form.time, Qt::Key_Tab);
  QTRY_VERIFY(form.after.hasFocus());
  QTest::keyClick(&form.after, Qt::Key_Backtab);
  QTRY_VERIFY(form.time.hasFocus());
}

QTEST_MAIN(TestDTPicker)
#include "test_dtpicker.moc"
