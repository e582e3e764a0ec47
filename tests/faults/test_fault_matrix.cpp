// Every user action that touches the database, with the database failing in three ways: a
// statement refused, the connection dropped (every statement fails), and the file locked by
// another process holding a write transaction. Each time: one clear message (the board and the
// staff window: their failure line), no success message, nothing typed lost, the program still
// running, and the same action working once the database is back.
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "board/frmView.h"
#include "platform/WallClock.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/TextBox.h"
#include "session/ORSchedule.h"
#include "staff/frmStaff.h"
#include "suite/widgets/DoctorSearchWindow.h"
#include "support/MainWindowFixture.h"
#include "support/StaffPicks.h"

using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;
using testsupport::OnNextModal;
using C = session::RequestColumn;

namespace {

const QDate kToday = DatabaseFixture::DefaultNow().date();
const QString kPatient = QStringLiteral("FAULT, TESTED");

enum class Fault { Statement, Dropped, Locked };

// Another program holding the database file for writing: the sqlite3 shell in a transaction
// it has begun and not ended.
class LockingProcess {
 public:
  explicit LockingProcess(const QString& file) {
    shell_.start(QStringLiteral("sqlite3"), {file});
    shell_.write("PRAGMA busy_timeout=5000;\nBEGIN IMMEDIATE;\nSELECT 'locked';\n");
    while (!shell_.readAllStandardOutput().contains("locked") && shell_.waitForReadyRead(5000)) {
    }
  }
  ~LockingProcess() {
    shell_.write("ROLLBACK;\n.quit\n");
    shell_.closeWriteChannel();
    shell_.waitForFinished(5000);
  }

 private:
  QProcess shell_;
};

// The database fails as `fault` says while it lives; `statement` is a part of the text that a
// refused statement holds.
class BrokenDatabase {
 public:
  BrokenDatabase(MainWindowFixture& f, Fault fault, const QString& statement) : f_(f) {
    if (fault == Fault::Locked)
      lock_ = std::make_unique<LockingProcess>(f.db().environment().databasePath());
    else if (fault == Fault::Dropped)
      f.suite().failWhen([](const QString&) { return true; });
    else
      f.suite().failWhen([statement](const QString& sql) { return sql.contains(statement); });
  }
  ~BrokenDatabase() { f_.suite().failWhen(nullptr); }

 private:
  MainWindowFixture& f_;
  std::unique_ptr<LockingProcess> lock_;
};

// A pending request of today, later in the day, to load, confirm and revoke.
qint64 AddPending(MainWindowFixture& f) {
  hospitaldb::ScheduleRecord r = f.db().sampleRequest(platform::WallClock(kToday, QTime(23, 45)));
  r.patientName = kPatient;
  return f.db().insertRequest(r);
}

// Clicks the pending request's row, or double-clicks it.
void SelectPending(frmMain& w, bool twice = false) {
  platform::FlexGrid& grid = *w.mshflexPending;
  for (int r = 1; r < grid.Rows(); ++r) {
    if (grid.TextMatrix(r, C::kPatientName) != kPatient) continue;
    const QModelIndex cell = grid.model()->index(r - 1, C::kPatientName);
    grid.scrollTo(cell);
    const QPoint at = grid.visualRect(cell).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    if (!twice) return;
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
  }
}

// New, with a whole request typed and picked.
void TypeNewRequest(frmMain& w) {
  testsupport::TypeNewRequest(w, QStringLiteral("TYPED, NOT LOST"), kToday.addDays(3));
}

// What a user does for each action; true when the action did what it is for.
using Action = std::function<bool(MainWindowFixture& f)>;

bool DoctorSearch(MainWindowFixture& f) {
  frmMain& w = f.window();
  if (w.cmdOption[0]->isEnabled()) w.cmdOption[0]->click();
  if (!w.txtSurgeon[0]->isEnabled()) return false;  // New itself could not read the clock
  OnNextModal([](QWidget* modal) {
    auto* search = qobject_cast<suite::DoctorSearchWindow*>(modal);
    search->searchBox()->setText(QStringLiteral("D1001"));
    QTest::keyClick(search->searchBox(), Qt::Key_Return);
    if (search->isVisible()) QTest::keyClick(search->searchBox(), Qt::Key_Escape);
  });
  w.txtSurgeon[0]->setFocus();
  QTest::keyClick(w.txtSurgeon[0], Qt::Key_Return);
  return w.txtSurgeonID[0]->text() == QLatin1String("D1001");
}

bool StaffSearch(MainWindowFixture& f) {
  frmMain& w = f.window();
  if (w.cmdOption[0]->isEnabled()) w.cmdOption[0]->click();
  if (!w.txtSNurse[0]->isEnabled()) return false;  // New itself could not read the clock
  OnNextModal([](QWidget* modal) {
    auto* staff = qobject_cast<frmStaff*>(modal);
    staff->Text1->setText(QStringLiteral("E1002"));
    QTest::keyClick(staff->Text1, Qt::Key_Down);
    QTest::keyClick(staff->MSHFlexGrid1, Qt::Key_Return);
    if (staff->isVisible()) staff->cmdExit->click();
  });
  w.txtSNurse[0]->setFocus();
  QTest::keyClick(w.txtSNurse[0], Qt::Key_Return);
  return w.txtSNurseID[0]->text() == QLatin1String("E1002");
}

bool StatusAction(MainWindowFixture& f, int button, const QString& letter) {
  platform::DTPicker& picker = *f.window().DTPicker1;
  if (!f.window().mshflexPending->isEnabled()) {
    // A reload failed with the update and emptied the list: the user lists the day again.
    picker.setDate(kToday.addDays(1));
    picker.setDate(kToday);
  }
  SelectPending(f.window());
  f.window().cmdOpt[button]->click();  // the question is answered Yes
  const QString status =
      f.db().request(f.db().lastTransNum()).value(QStringLiteral("Status")).toString();
  return f.boxes().titles().contains(QStringLiteral("SUCCESS!")) && status == letter;
}

// The board open until its timer has sent `statement` once more; true when no failure line
// is shown then. The ticks are the board's own, as its timers raise them.
bool BoardTick(MainWindowFixture& f, const QString& statement) {
  bool clear = false;
  OnNextModal([&](QWidget* modal) {
    const qsizetype sent = f.statements().filter(statement).size();
    QTRY_VERIFY_WITH_TIMEOUT(f.statements().filter(statement).size() > sent, 3000);
    QCoreApplication::processEvents();
    clear = !qobject_cast<frmView*>(modal)->listingNotice().isVisible();
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  f.window().cmdView->click();
  return clear;
}

// The messages that report a failure (critical), without the questions asked on the way.
QList<testsupport::MsgBoxCall> Failures(const QList<testsupport::MsgBoxCall>& calls) {
  QList<testsupport::MsgBoxCall> failures;
  for (const testsupport::MsgBoxCall& call : calls)
    if ((call.style & 0x70) == platform::vbCritical) failures << call;
  return failures;
}

struct ActionCase {
  const char* name;
  const char* statement;  // a part of the statement that fails in the refused case
  bool writes;            // a lock held by another program stops only writes
  bool started;           // whether the window is started before the fault
  Action act;
};

const std::vector<ActionCase>& Cases() {
  static const std::vector<ActionCase> cases = {
      {"start-up", "sp_List_ORRooms", false, false, [](MainWindowFixture& f) { return f.start(); }},
      {"date change", "sp_GetORSchedule", false, true,
       [](MainWindowFixture& f) {
         // Another date each time: the demo has requests on each of the next days.
         platform::DTPicker& picker = *f.window().DTPicker1;
         picker.setDate(picker.Date() == kToday.addDays(1) ? kToday.addDays(2) : kToday.addDays(1));
         return f.window().mshflexPending->isEnabled();
       }},
      {"loading a request", "tbOrRoom", false, true,
       [](MainWindowFixture& f) {
         SelectPending(f.window(), true);
         return f.window().txtName->text() == kPatient &&
                !f.window().cboRequestRoom->Text().isEmpty();
       }},
      {"save", "Save_OR_Schedule", true, true,
       [](MainWindowFixture& f) {
         if (f.window().cmdOption[0]->isEnabled()) TypeNewRequest(f.window());
         f.window().cmdOption[3]->click();
         return f.boxes().titles().contains(QStringLiteral("SUCCESS!"));
       }},
      {"confirm", "sp_UpdateSchedules", true, true,
       [](MainWindowFixture& f) { return StatusAction(f, 0, QStringLiteral("C")); }},
      {"revoke", "sp_UpdateSchedules", true, true,
       [](MainWindowFixture& f) { return StatusAction(f, 1, QStringLiteral("R")); }},
      {"doctor search", "tbDoctor", false, true, DoctorSearch},
      {"staff search", "tbpasswordmain", false, true, StaffSearch},
      {"board listing", "sp_List_Of_Confirmed", false, true,
       [](MainWindowFixture& f) {
         return BoardTick(f, QStringLiteral("sp_List_Of_ConfirmedSchedules_ORScheduler"));
       }},
      {"board clock", "getdate", false, true,
       [](MainWindowFixture& f) { return BoardTick(f, QStringLiteral("getdate()")); }},
  };
  return cases;
}

}  // namespace

class TestFaultMatrix : public QObject {
  Q_OBJECT

 private slots:
  void everyActionSurvivesAFailingDatabase_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("fault");
    const std::pair<Fault, const char*> faults[] = {{Fault::Statement, "statement refused"},
                                                    {Fault::Dropped, "connection dropped"},
                                                    {Fault::Locked, "file locked"}};
    for (int a = 0; a < int(Cases().size()); ++a)
      for (const auto& [fault, name] : faults)
        QTest::addRow("%s, %s", Cases()[a].name, name) << a << int(fault);
  }
  void everyActionSurvivesAFailingDatabase() {
    QFETCH(int, action);
    QFETCH(int, fault);
    const ActionCase& step = Cases()[action];
    const auto kind = static_cast<Fault>(fault);
    MainWindowFixture f;
    AddPending(f);
    if (step.started) QVERIFY(f.start());
    const bool fails = kind != Fault::Locked || step.writes;
    const bool board = QByteArray(step.name).startsWith("board");
    const bool staff = QByteArray(step.name) == "staff search";
    {
      BrokenDatabase broken(f, kind, QString::fromLatin1(step.statement));
      f.boxes().clear();
      QCOMPARE(step.act(f), !fails);
      // The one message; confirm and revoke ask their question first.
      const QList<testsupport::MsgBoxCall> said = Failures(f.boxes().calls());
      // The board and the staff window say it on a line of their own (unless New, which opens
      // the form for the staff window, failed first).
      const bool ownLine = board || (staff && f.window().txtSNurse[0]->isEnabled());
      if (fails && !ownLine) {
        QCOMPARE(said.size(), 1);
        if (kind == Fault::Locked)
          QVERIFY2(said[0].prompt.contains(QLatin1String("busy")), qPrintable(said[0].prompt));
      } else {
        QCOMPARE(said.size(), 0);
      }
      QVERIFY(!f.boxes().titles().contains(QStringLiteral("SUCCESS!")) || !fails);
      if (step.writes && QByteArray(step.name) == "save")
        QCOMPARE(f.window().txtName->text(), QStringLiteral("TYPED, NOT LOST"));
    }
    // The database is back: the same action works.
    f.boxes().clear();
    QVERIFY(step.act(f));
  }
};

QTEST_MAIN(TestFaultMatrix)
#include "test_fault_matrix.moc"
