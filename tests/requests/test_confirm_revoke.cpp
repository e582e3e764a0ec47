#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/EntryForm.h"
#include "requests/ListRefresh.h"
#include "requests/RequestList.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "support/MainWindowFixture.h"
#include "support/MemoryRecordset.h"

using platform::vbCritical;
using platform::vbExclamation;
using platform::vbYesNo;
using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;
using C = session::RequestColumn;
using Cells = QMap<int, QString>;

namespace {

const QDateTime kNow = DatabaseFixture::DefaultNow();  // 12/8/2026 10:00:00
const QDateTime kTomorrow9 = platform::WallClock(kNow.date().addDays(1), QTime(9, 0));
const QString kEmployee = QStringLiteral("E1002 ");  // the trailing blank must reach the server
const QString kPatient = QStringLiteral("DELA CRUZ, JUAN");
const QString kNotification = QStringLiteral("Notification!");

qint64 AddRequest(MainWindowFixture& f, const QDateTime& when, const QString& status,
                  const QString& patient = kPatient) {
  hospitaldb::ScheduleRecord record = f.db().sampleRequest(when);
  record.patientName = patient;
  record.status = status;
  record.confirmedBy = QStringLiteral("SANTOS ,ANA");
  record.dateConfirmed = platform::WallClock(QDate(2026, 12, 7), QTime(14, 5, 9));
  record.revokedBy = QStringLiteral("REYES ,LUZ");
  record.dateRevoked = platform::WallClock(QDate(2026, 12, 7), QTime(17, 3, 4));
  return f.db().insertRequest(record);
}

int RowOf(platform::FlexGrid& grid, qint64 transNum) {
  for (int r = 1; r < grid.Rows(); ++r)
    if (grid.TextMatrix(r, C::kTransNum) == QString::number(transNum)) return r;
  return 0;
}

// Starts the window as the employee kEmployee, lists `day` as a user picks it and clicks the
// request's row, which makes it current and decides whether Confirm and Revoke may be used.
// The row, 0 when it is not listed.
int StartAndSelect(MainWindowFixture& f, const QDate& day, qint64 transNum) {
  qputenv("ORSCHED_EMPLOYEE", kEmployee.toUtf8());  // the fixture's environment restores it
  if (!f.start()) return 0;
  f.window().DTPicker1->setDate(day);
  platform::FlexGrid& grid = *f.window().mshflexPending;
  const int row = RowOf(grid, transNum);
  const QModelIndex cell = grid.model()->index(row - 1, C::kPatientName);
  if (row > 0)
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
  return row;
}

// Runs SQL on the file as another workstation would; '?' is the request's number.
void OtherDesk(MainWindowFixture& f, const QString& sql, qint64 transNum) {
  if (!sql.isEmpty())
    f.db().exec(sql, sql.contains(u'?') ? QVariantList{transNum} : QVariantList{});
}

QString Set(const char* assignments) {
  return QStringLiteral("UPDATE tbORSchedule SET %1 WHERE TransNum = ?")
      .arg(QLatin1String(assignments));
}

QString StoredStatus(MainWindowFixture& f, qint64 transNum) {
  return f.db().request(transNum).value(QStringLiteral("Status")).toString();
}

// Clicks Confirm (0) or Revoke (1); the statements the click sent.
QStringList Click(MainWindowFixture& f, int index) {
  const qsizetype before = f.statements().size();
  f.window().cmdOpt[index]->click();
  return f.statements().mid(before);
}

// Puts the server clock at `when` early in a second of the machine clock, so that a read
// within the next half second still gives `when`, to the second.
void SetServerClock(MainWindowFixture& f, const QDateTime& when) {
  while (QTime::currentTime().msec() > 300)
    QTest::qWait(5);
  f.db().server().SetNow(when);
}

QString ListSql(const QDate& day) {
  return QStringLiteral("SCHEDULE..sp_GetORSchedule '%1'").arg(day.toString(u"MM/dd/yyyy"));
}

// A listing of the day: its durations, then its requests.
QStringList Listed(const QDate& day) {
  return {
      QStringLiteral("SCHEDULE..sp_GetORScheduleDurations '%1'").arg(day.toString(u"MM/dd/yyyy")),
      ListSql(day)};
}

const QString kClockSql = QStringLiteral("select getdate() as TDate");

QString ByNumSql(qint64 transNum, session::ByNum lock = session::ByNum::Read) {
  return session::ScheduleByNumSql(transNum, lock);
}

}  // namespace

class TestConfirmRevoke : public QObject {
  Q_OBJECT

 private slots:
  void anActionSetsStatusWhoAndWhen_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QColor>("colour");
    const QColor yellow(255, 255, 192), red(255, 192, 192);
    QTest::newRow("confirm a pending one") << 0 << "P" << kNow.addSecs(3600) << yellow;
    QTest::newRow("confirm a revoked one") << 0 << "R" << kTomorrow9 << yellow;
    QTest::newRow("lower-case c is not confirmed") << 0 << "c" << kTomorrow9 << yellow;
    QTest::newRow("revoke a pending one") << 1 << "P" << kTomorrow9 << red;
    QTest::newRow("revoke a confirmed one already past") << 1 << "C" << kNow.addSecs(-7200) << red;
    QTest::newRow("lower-case r is not revoked") << 1 << "r" << kTomorrow9 << red;
  }
  void anActionSetsStatusWhoAndWhen() {
    QFETCH(int, index);
    QFETCH(QString, status);
    QFETCH(QDateTime, when);
    QFETCH(QColor, colour);
    const bool confirm = index == 0;
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    const qint64 transNum = AddRequest(f, when, status);
    const int row = StartAndSelect(f, when.date(), transNum);
    QVERIFY(row > 0);
    platform::FlexGrid& grid = *f.window().mshflexPending;
    const QDateTime before = f.db().server().Now();

    const QStringList sent = Click(f, index);
    const QString letter = confirm ? QStringLiteral("C") : QStringLiteral("R");
    // The request as it is now; after Yes, checked again with its row held, set, and read back
    // in one transaction.
    QStringList expected{ByNumSql(transNum)};
    if (confirm) expected << kClockSql;
    expected << session::BeginTransactionSql() << ByNumSql(transNum, session::ByNum::Held);
    if (confirm) expected << kClockSql;
    expected << QStringLiteral("Schedule..sp_UpdateSchedules '%1','E1002 ', '%2'")
                    .arg(letter)
                    .arg(transNum)
             << ByNumSql(transNum) << session::CommitTransactionSql() << Listed(when.date());
    QCOMPARE(sent, expected);

    const auto& boxes = f.boxes().calls();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0].prompt, (confirm ? QStringLiteral("You are about to confirm")
                                       : QStringLiteral("You are about to revoke")) +
                                  QStringLiteral(" schedule for patient: DELA CRUZ, JUAN.\r\n"
                                                 "Press YES to continue, else NO."));
    QCOMPARE(boxes[0].style, vbYesNo);  // no icon, Yes the default
    QCOMPARE(boxes[0].title, confirm ? QStringLiteral("Confirm?") : QStringLiteral("Revoke?"));
    QCOMPARE(boxes[1].prompt, confirm ? QStringLiteral("You successfully confirmed this schedule!")
                                      : QStringLiteral("You successfully revoked this schedule!"));
    QCOMPARE(boxes[1].style, vbExclamation);
    QCOMPARE(boxes[1].title, QStringLiteral("SUCCESS!"));

    const QVariantMap stored = f.db().request(transNum);
    const QString done = confirm ? QStringLiteral("Confirmed") : QStringLiteral("Revoked");
    QCOMPARE(StoredStatus(f, transNum), letter);
    QCOMPARE(stored.value(done + QStringLiteral("ByCode")).toString(), kEmployee);
    const QDateTime at = platform::ToDateTime(stored.value(QStringLiteral("Date") + done));
    QVERIFY(before <= at && at <= f.db().server().Now());
    const int listed = RowOf(grid, transNum);
    QCOMPARE(grid.TextMatrix(listed, C::kStatus), letter);
    QCOMPARE(grid.CellBackColor(listed, C::kPatientName), colour);
  }

  // Another workstation acts on the request after the list was read (`meanwhile`) or while the
  // question is open (`asked`): SQL on the file, '?' the request's number.
  void refusalsSendNothingAndKeepTheList_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<Cells>("cells");  // the request as the server gives it by its number
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("confirmed since listed")
        << 0 << "P" << kTomorrow9 << Set("Status = 'C'") << none << Cells{}
        << "This schedule was already confirmed by SANTOS ,ANA last 12/07/2026 14:05:09.";
    QTest::newRow("revoked since listed")
        << 1 << "C" << kTomorrow9 << Set("Status = 'R'") << none << Cells{}
        << "This schedule was already revoked by REYES ,LUZ last 17:03:04.";
    QTest::newRow("revoked while asked to confirm")
        << 0 << "P" << kTomorrow9 << none << Set("Status = 'R'") << Cells{}
        << "Another workstation has changed this schedule while you were asked: It was revoked by "
           "REYES ,LUZ on 12/07/2026 17:03:04. Nothing was changed.";
    QTest::newRow("moved since listed")
        << 1 << "P" << kTomorrow9 << Set("OperationDate = '2026-12-10 09:00:00'") << none << Cells{}
        << "This schedule is no longer listed for 12/09/2026: another workstation has moved it to "
           "12/10/2026.";
    QTest::newRow("moved while asked to revoke")
        << 1 << "P" << kTomorrow9 << none << Set("OperationDate = '2026-12-10 09:00:00'") << Cells{}
        << "This schedule is no longer listed for 12/09/2026: another workstation has";
    QTest::newRow("another patient while asked")
        << 0 << "P" << kTomorrow9 << none << Set("PatientName = 'OTHER, ANA'") << Cells{}
        << "Another workstation has changed this schedule while you were asked: Name: from "
           "\"DELA CRUZ, JUAN\" to \"OTHER, ANA\". Nothing was changed.";
    QTest::newRow("past by the clock while asked")
        << 0 << "P" << kNow.addSecs(3600) << none
        << "UPDATE tbServerInfo SET ClockOffsetSeconds = ClockOffsetSeconds + 7200" << Cells{}
        << "Can't confirm past schedule.";
    QTest::newRow("a number that only begins with the one asked for")  // the request is 1
        << 1 << "P" << kTomorrow9 << none << none << Cells{{C::kTransNum, QStringLiteral("12")}}
        << "This schedule is no longer listed for 12/09/2026: another workstation has removed it.";
    QTest::newRow("already confirmed")
        << 0 << "C" << kTomorrow9 << none << none << Cells{}
        << "This schedule was already confirmed by SANTOS ,ANA last 12/07/2026 14:05:09.";
    QTest::newRow("C with blanks is confirmed")
        << 0 << " C " << kTomorrow9 << none << none << Cells{}
        << "This schedule was already confirmed by";
    QTest::newRow("already revoked: the time only")
        << 1 << "R" << kTomorrow9 << none << none << Cells{}
        << "This schedule was already revoked by REYES ,LUZ last 17:03:04.";
    QTest::newRow("an operation date that is no date")
        << 0 << "P" << kTomorrow9 << none << none
        << Cells{{C::kOperationDate, QStringLiteral("TO FOLLOW")}}
        << "Can't confirm this schedule: its date and time cannot be read. "
           "Please edit date/time of schedule or enter a new one.";
  }
  void refusalsSendNothingAndKeepTheList() {
    QFETCH(int, index);
    QFETCH(QString, status);
    QFETCH(QDateTime, when);
    QFETCH(QString, meanwhile);
    QFETCH(QString, asked);
    QFETCH(Cells, cells);
    QFETCH(QString, message);
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    const qint64 transNum = AddRequest(f, when, status);
    QVERIFY(StartAndSelect(f, when.date(), transNum) > 0);
    OtherDesk(f, meanwhile, transNum);
    f.boxes().onCall([&](const testsupport::MsgBoxCall& call) {
      if (call.title.endsWith(u'?')) OtherDesk(f, asked, transNum);
    });
    QVariantMap served;  // and as the server gives it by its number
    for (auto cell = cells.cbegin(); cell != cells.cend(); ++cell)
      served.insert(hospitaldb::ScheduleListingFields()[cell.key() - 1], cell.value());
    f.suite().serveWith([served](const QString& sql, std::unique_ptr<platform::Recordset> rows)
                            -> std::unique_ptr<platform::Recordset> {
      if (!sql.contains(QLatin1String("ByNum"))) return rows;
      return testsupport::WithValues(*rows, served);
    });
    const QVariantMap before = f.db().request(transNum);

    const QStringList sent = Click(f, index);
    QCOMPARE(sent.filter(QStringLiteral("sp_UpdateSchedules")), QStringList());
    QCOMPARE(f.boxes().count(), asked.isEmpty() ? 1 : 2);
    QVERIFY2(f.boxes().last().prompt.startsWith(message), qPrintable(f.boxes().last().prompt));
    QCOMPARE(f.boxes().last().style, vbCritical);
    QCOMPARE(f.boxes().last().title, kNotification);
    // Listed again, the request kept selected, unless it was already done when clicked.
    const bool reloaded = !asked.isEmpty() || message.contains(u"no longer listed");
    QCOMPARE(sent.contains(ListSql(when.date())), reloaded);
    if (asked.isEmpty()) QCOMPARE(f.db().request(transNum), before);
  }

  // Two desks on one file: the other, on its own connection, begins its revocation before this
  // desk's Yes and commits it a moment after. This desk's check waits for that commit, then
  // finds the request revoked: the revocation stands, nothing is confirmed over it, and the
  // user is told.
  void aRevocationHeldOpenAcrossTheConfirmStands() {
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    const qint64 transNum = AddRequest(f, kTomorrow9, QStringLiteral("P"));
    QVERIFY(StartAndSelect(f, kTomorrow9.date(), transNum) > 0);
    std::thread otherDesk;
    f.boxes().onCall([&](const testsupport::MsgBoxCall& call) {
      if (call.title != u"Confirm?") return;
      std::atomic<bool> begun = false;
      otherDesk = std::thread([&, path = f.db().environment().databasePath()] {
        hospitaldb::EmbeddedServer desk(path);
        const auto connection = desk.Connect();
        connection->Execute(session::BeginTransactionSql());
        connection->Execute(session::UpdateScheduleSql(session::RequestStatus::Revoked,
                                                       QStringLiteral("E1003"), transNum));
        begun = true;
        QThread::msleep(300);
        connection->Execute(session::CommitTransactionSql());
      });
      while (!begun)
        QThread::msleep(5);
    });
    Click(f, 0);
    otherDesk.join();
    const QVariantMap stored = f.db().request(transNum);
    QCOMPARE(stored.value(QStringLiteral("Status")).toString(), QStringLiteral("R"));
    QCOMPARE(stored.value(QStringLiteral("ConfirmedByCode")).toString(), QString());
    QVERIFY(f.boxes().last().prompt.startsWith(
        u"Another workstation has changed this schedule while you were asked: It was revoked by"));
  }

  // Another desk confirms the selected request and books one before it; the list shows both
  // within its refresh, unless the form is writing or the database fails.
  void theListShowsAnotherDesksChanges_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QColor>("colour");
    const QColor yellow(255, 255, 192), blue(192, 192, 255);
    QTest::newRow("idle: shown, the selection kept") << "idle" << false << yellow;
    QTest::newRow("viewing: shown, the selection kept") << "viewing" << false << yellow;
    QTest::newRow("new: nothing listed") << "new" << false << blue;
    QTest::newRow("the find window open: nothing listed") << "find" << false << blue;
    QTest::newRow("a failed listing keeps the rows and says when") << "idle" << true << blue;
  }
  void theListShowsAnotherDesksChanges() {
    QFETCH(QString, mode);
    QFETCH(bool, fails);
    QFETCH(QColor, colour);
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    AddRequest(f, kTomorrow9, QStringLiteral("P"), QStringLiteral("FIRST, ANA"));
    const qint64 transNum = AddRequest(f, kTomorrow9.addSecs(3600), QStringLiteral("P"));
    QVERIFY(StartAndSelect(f, kTomorrow9.date(), transNum) == 2);
    frmMain& w = f.window();
    if (mode == u"viewing") w.entryForm().mshflexPending_DblClick();
    if (mode == u"new") w.cmdOption[0]->click();
    w.listRefresh().Timer().setInterval(5);
    QTest::qWait(100);
    if (fails) {
      // Two listings started: the first has ended, so the time of a good listing is known
      // however slow the machine.
      f.suite().clearLog();
      QTRY_VERIFY(f.suite().log().filter(QStringLiteral("sp_GetORSchedule")).size() >= 2);
      f.suite().failWhen([](const QString& sql) { return sql.contains(u"sp_GetORSchedule"); });
    }
    AddRequest(f, kTomorrow9.addSecs(-3600), QStringLiteral("P"), QStringLiteral("EARLY, NEW"));
    f.db().connection()->Execute(session::UpdateScheduleSql(session::RequestStatus::Confirmed,
                                                            QStringLiteral("E1001"), transNum));
    if (mode != u"find") {
      QTest::qWait(200);
    } else {  // a real dialog open (the tests' message boxes are only recorded)
      testsupport::OnNextModal([](QWidget* find) {
        QTest::qWait(200);
        find->close();
      });
      QTest::keyClick(w.txtFind, Qt::Key_Return);
    }
    platform::FlexGrid& grid = *w.mshflexPending;
    QCOMPARE(grid.Row(), RowOf(grid, transNum));
    QCOMPARE(grid.CellBackColor(grid.Row(), C::kPatientName), colour);
    QCOMPARE(w.listRefresh().Notice().isVisible(), fails);
    if (fails)
      QVERIFY(w.listRefresh().Notice().text().startsWith(
          u"The listing of requests failed: listing as of 10:0"));
    QCOMPARE(f.boxes().count(), 0);
  }

  void thePastCheckReadsTheClockAtTheClick_data() {
    QTest::addColumn<QDateTime>("startNow");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QDateTime>("clickNow");
    QTest::addColumn<bool>("past");
    const QDate today = kNow.date();
    QTest::newRow("one second before") << kNow << kNow.addSecs(-1) << kNow << true;
    QTest::newRow("exactly the server time") << kNow << kNow << kNow << false;
    QTest::newRow("tomorrow at an earlier hour") << kNow << kTomorrow9 << kNow << false;
    QTest::newRow("January of next year")
        << kNow << platform::WallClock(QDate(2027, 1, 4), QTime(8, 0)) << kNow << false;
    QTest::newRow("begun since start-up")
        << platform::WallClock(today, QTime(8, 0)) << platform::WallClock(today, QTime(9, 0))
        << platform::WallClock(today, QTime(9, 30)) << true;
    QTest::newRow("midnight passed since start-up")
        << platform::WallClock(today, QTime(23, 59))
        << platform::WallClock(today.addDays(1), QTime(0, 0, 30))
        << platform::WallClock(today.addDays(1), QTime(0, 1)) << true;
    QTest::newRow("the year changed since start-up")
        << platform::WallClock(QDate(2026, 12, 31), QTime(23, 59, 50))
        << platform::WallClock(QDate(2027, 1, 1), QTime(0, 0))
        << platform::WallClock(QDate(2027, 1, 1), QTime(0, 0, 1)) << true;
  }
  void thePastCheckReadsTheClockAtTheClick() {
    QFETCH(QDateTime, startNow);
    QFETCH(QDateTime, when);
    QFETCH(QDateTime, clickNow);
    QFETCH(bool, past);
    MainWindowFixture f(startNow, DatabaseFixture::Seed::Empty);
    const qint64 transNum = AddRequest(f, when, QStringLiteral("P"));
    QVERIFY(StartAndSelect(f, when.date(), transNum) > 0);
    SetServerClock(f, clickNow);
    if (!past) f.boxes().answer(platform::vbNo);

    const QStringList sent = Click(f, 0);
    QCOMPARE(f.boxes().count(), 1);
    if (past) {
      QCOMPARE(sent, (QStringList{ByNumSql(transNum), kClockSql}));
      QCOMPARE(f.boxes().last().prompt,
               QStringLiteral("Can't confirm past schedule. "
                              "Please edit date/time of schedule or enter a new one."));
      QCOMPARE(f.boxes().last().style, vbCritical);
      QCOMPARE(f.boxes().last().title, kNotification);
    } else {  // asked, answered No: nothing sent, the list reloaded
      QCOMPARE(sent, (QStringList{ByNumSql(transNum), kClockSql} + Listed(when.date())));
      QCOMPARE(f.boxes().last().title, QStringLiteral("Confirm?"));
    }
    QCOMPARE(StoredStatus(f, transNum), QStringLiteral("P"));
  }

  // A fresh listing has no current row: the first request is the one asked about, each time.
  void withNoRowPickedTheFirstRequestIsAskedAbout_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("confirm") << 0;
    QTest::newRow("revoke") << 1;
  }
  void withNoRowPickedTheFirstRequestIsAskedAbout() {
    QFETCH(int, index);
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    AddRequest(f, kNow.addSecs(2 * 3600), QStringLiteral("P"), QStringLiteral("SECOND, BEN"));
    const qint64 first = AddRequest(f, kNow.addSecs(3600), QStringLiteral("P"));
    QVERIFY(f.start());
    frmMain& w = f.window();
    QWidget* viewport = w.mshflexPending->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() - 4));
    QCOMPARE(w.mshflexPending->Row(), 0);
    f.boxes().answer({platform::vbNo, platform::vbNo});
    for (int round = 0; round < 2; ++round) {
      const QStringList sent = Click(f, index);
      QCOMPARE(sent.last(), ListSql(kNow.date()));
      QVERIFY(!sent.join(u'\n').contains(QLatin1String("sp_UpdateSchedules")));
      QVERIFY(f.boxes().last().prompt.contains(u"patient: DELA CRUZ, JUAN."));
    }
    QCOMPARE(StoredStatus(f, first), QStringLiteral("P"));
  }

  // A date listed anew has no request picked: Confirm and Revoke wait for a click, and a click
  // finds nothing to act on where no request is listed or the row has no number.
  void nothingListedNothingDone_data() {
    QTest::addColumn<QString>("tomorrowsPatient");  // null: no request tomorrow
    QTest::addColumn<bool>("blankTransNum");
    QTest::newRow("a date without requests") << QString() << false;
    QTest::newRow("a lone request without a patient name") << QStringLiteral("") << false;
    QTest::newRow("a row without a transaction number") << kPatient << true;
  }
  void nothingListedNothingDone() {
    QFETCH(QString, tomorrowsPatient);
    QFETCH(bool, blankTransNum);
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    const qint64 today = AddRequest(f, kNow.addSecs(3600), QStringLiteral("P"));
    if (!tomorrowsPatient.isNull())
      AddRequest(f, kTomorrow9, QStringLiteral("P"), tomorrowsPatient);
    QVERIFY(StartAndSelect(f, kNow.date(), today) > 0);
    frmMain& w = f.window();
    QVERIFY(w.cmdOpt[0]->isEnabled() && w.cmdOpt[1]->isEnabled());
    if (blankTransNum)
      f.suite().serveWith(
          [](const QString& sql,
             std::unique_ptr<platform::Recordset> rows) -> std::unique_ptr<platform::Recordset> {
            if (!sql.contains(u"sp_GetORSchedule '")) return rows;
            return testsupport::WithValues(*rows, {{QStringLiteral("TransNum"), QString()}});
          });
    w.DTPicker1->setDate(kTomorrow9.date());
    QVERIFY(!w.cmdOpt[0]->isEnabled() && !w.cmdOpt[1]->isEnabled());
    if (w.mshflexPending->isEnabled()) {
      const QModelIndex first = w.mshflexPending->model()->index(0, C::kPatientName);
      QTest::mouseClick(w.mshflexPending->viewport(), Qt::LeftButton, {},
                        w.mshflexPending->visualRect(first).center());
      QVERIFY(!w.cmdOpt[0]->isEnabled());
    }
    w.cmdOpt[0]->setEnabled(true);
    w.cmdOpt[1]->setEnabled(true);
    QCOMPARE(Click(f, 0), QStringList());
    QCOMPARE(Click(f, 1), QStringList());
    QCOMPARE(f.boxes().count(), 0);
  }

  void aFailedUpdateIsReportedAndTheListShowsTheDatabase_data() {
    QTest::addColumn<bool>("reloadFails");
    QTest::newRow("the update fails") << false;
    QTest::newRow("the reload fails as well") << true;
  }
  void aFailedUpdateIsReportedAndTheListShowsTheDatabase() {
    QFETCH(bool, reloadFails);
    MainWindowFixture f(kNow, DatabaseFixture::Seed::Empty);
    const qint64 transNum = AddRequest(f, kTomorrow9, QStringLiteral("P"));
    const int row = StartAndSelect(f, kTomorrow9.date(), transNum);
    QVERIFY(row > 0);
    frmMain& w = f.window();
    w.mshflexPending->SetTextMatrix(row, C::kPatientName, QStringLiteral("STALE"));
    bool updateSent = false;
    f.suite().failWhen([&](const QString& sql) {
      if (sql.contains(QLatin1String("sp_UpdateSchedules"))) return updateSent = true;
      return reloadFails && updateSent && sql.contains(QLatin1String("sp_GetORSchedule"));
    });

    const QStringList sent = Click(f, 0);
    // The request and the clock; then the transaction's begin, the request held, the clock, the
    // update and the rollback; the reload, its durations and its requests.
    QCOMPARE(sent.size(), reloadFails ? 8 : 9);
    QCOMPARE(sent[6], session::RollbackTransactionSql());
    QCOMPARE(f.boxes().count(), 2);
    QCOMPARE(f.boxes().titles().first(), QStringLiteral("Confirm?"));
    QVERIFY(f.boxes().last().prompt.contains(u"sp_UpdateSchedules"));
    QCOMPARE(f.boxes().last().style, vbCritical);
    QCOMPARE(StoredStatus(f, transNum), QStringLiteral("P"));
    QCOMPARE(w.mshflexPending->TextMatrix(1, C::kPatientName), reloadFails ? QString() : kPatient);
    QCOMPARE(w.cmdOpt[0]->isEnabled(), !reloadFails);
    QVERIFY(w.isVisible());
  }
};

QTEST_MAIN(TestConfirmRevoke)
#include "test_confirm_revoke.moc"
