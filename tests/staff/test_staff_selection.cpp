// Choosing the team through the real windows, with the event loop running so that queued Tabs
// and the focus end where they do for a user: keystroke rules, doctor pickers with the
// code-search window, frmStaff and the nurse pickers.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "platform/WallClock.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/SearchList.h"
#include "platform/widgets/TextBox.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "staff/frmStaff.h"
#include "suite/widgets/DoctorSearchWindow.h"
#include "support/MainWindowFixture.h"
#include "support/StaffPicks.h"

using platform::TextBox;
using testsupport::MainWindowFixture;
using testsupport::OnNextModal;
using testsupport::PickDoctor;
using testsupport::PickNurse;
using namespace Qt::StringLiterals;

namespace {

// The main window, active, in new mode.
void StartNew(MainWindowFixture& f) {
  QVERIFY(f.start());
  f.window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f.window()));
  f.window().cmdOption[0]->click();
}

}  // namespace

class TestStaffSelection : public QObject {
  Q_OBJECT

 private slots:
  void everyKeyGoesInUpperCaseAndEnterMovesOn_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("next");
    QTest::newRow("name") << "txtName"
                          << "txtRoomID";
    QTest::newRow("patient's room") << "txtRoomID"
                                    << "txtProcedure";
    QTest::newRow("procedure") << "txtProcedure"
                               << "dtpOperation";
    QTest::newRow("remarks, onto Cancel") << "txtRemarks"
                                          << "cmdOption1";
  }
  void everyKeyGoesInUpperCaseAndEnterMovesOn() {
    QFETCH(QString, field);
    QFETCH(QString, next);
    MainWindowFixture f;
    StartNew(f);
    frmMain& w = f.window();
    const QMap<QString, QWidget*> controls = {{QStringLiteral("txtName"), w.txtName},
                                              {QStringLiteral("txtRoomID"), w.txtRoomID},
                                              {QStringLiteral("txtProcedure"), w.txtProcedure},
                                              {QStringLiteral("txtRemarks"), w.txtRemarks},
                                              {QStringLiteral("dtpOperation"), w.dtpOperation},
                                              {QStringLiteral("cmdOption1"), w.cmdOption[1]}};
    QWidget* box = controls.value(field);
    const auto text = [box] {
      auto* line = qobject_cast<TextBox*>(box);
      return line ? line->text() : static_cast<platform::MultiLineTextBox*>(box)->text();
    };
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("o'b-1 x"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("O'B-1 X"));
    QTRY_COMPARE(QApplication::focusWidget(), controls.value(next));
    QCOMPARE(text(), QStringLiteral("O'B-1 X"));  // no line break, no tab
    // Doctor and nurse fields, and the search window's box, take upper case too.
    for (TextBox* other : {w.txtSurgeon[1], w.txtCNurse}) {
      QTest::keyClicks(other, QStringLiteral("ab"));
      QCOMPARE(other->text(), QStringLiteral("AB"));
    }
  }

  // Picks in order; a refused one shows its warning, empties its own fields and keeps the
  // focus there once the queued Tab has run. Element 0 of each group is compared with no one.
  void assistantsAreRefusedWhenAlreadyChosen_data() {
    // "field=code"; "field=?key": the search by `key` finds someone without a code, or no one.
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QString>("warning");
    const QString surgeon = QStringLiteral("Surgeon already selected!");
    QTest::newRow("asst 1 = surgeon") << QStringList{u"s0=D1001"_s, u"s1=D1001"_s} << surgeon;
    QTest::newRow("asst 1 = asst 2") << QStringList{u"s2=D1003"_s, u"s1=D1003"_s} << surgeon;
    QTest::newRow("asst 2 = asst 1") << QStringList{u"s1=D1003"_s, u"s2=D1003"_s} << surgeon;
    QTest::newRow("asst 2 = surgeon") << QStringList{u"s0=D1004"_s, u"s2=D1004"_s} << surgeon;
    QTest::newRow("surgeon = asst 1 is fine") << QStringList{u"s1=D1001"_s, u"s0=D1001"_s} << u""_s;
    QTest::newRow("anesthesiologist's assistant")
        << QStringList{u"a0=D1002"_s, u"a1=D1002"_s} << u"Anesthesiologist already selected!"_s;
    QTest::newRow("anesthesiologist = assistant is fine")
        << QStringList{u"a1=D1002"_s, u"a0=D1002"_s} << u""_s;
    QTest::newRow("surgeon may be the anesthesiologist and the assistant doctor")
        << QStringList{u"s0=D1002"_s, u"a0=D1002"_s, u"x=D1002"_s} << u""_s;
    QTest::newRow("second scrub nurse by name")
        << QStringList{u"n0=E1002"_s, u"n1=E1002"_s} << u"Scrub Nurse already selected!"_s;
    QTest::newRow("circulating nurse may be a scrub nurse")
        << QStringList{u"n0=E1002"_s, u"c=E1002"_s} << u""_s;
    QTest::newRow("no pick is no duplicate") << QStringList{u"n0="_s, u"n1="_s} << u""_s;
    QTest::newRow("a doctor without a code, no surgeon chosen")
        << QStringList{u"s1=?NOCODE"_s} << u""_s;
    QTest::newRow("a staff search that finds no one picks no one")
        << QStringList{u"n0=?NO SUCH NURSE"_s, u"n1=?NO SUCH NURSE"_s} << u""_s;
  }
  void assistantsAreRefusedWhenAlreadyChosen() {
    QFETCH(QStringList, picks);
    QFETCH(QString, warning);
    MainWindowFixture f;
    f.db().exec(
        QStringLiteral("INSERT INTO tbDoctor (DoctorCode, LastName, FirstName) "
                       "VALUES ('', 'NOCODE', 'ANN')"));
    StartNew(f);
    frmMain& w = f.window();
    const QMap<QString, std::pair<TextBox*, TextBox*>> fields = {
        {u"s0"_s, {w.txtSurgeon[0], w.txtSurgeonID[0]}},
        {u"s1"_s, {w.txtSurgeon[1], w.txtSurgeonID[1]}},
        {u"s2"_s, {w.txtSurgeon[2], w.txtSurgeonID[2]}},
        {u"a0"_s, {w.txtAnest[0], w.txtAnestID[0]}},
        {u"a1"_s, {w.txtAnest[1], w.txtAnestID[1]}},
        {u"x"_s, {w.txtAsstDoc, w.txtAsstDocID}},
        {u"n0"_s, {w.txtSNurse[0], w.txtSNurseID[0]}},
        {u"n1"_s, {w.txtSNurse[1], w.txtSNurseID[1]}},
        {u"c"_s, {w.txtCNurse, w.txtCNurseID}}};
    for (const QString& pick : picks) {
      const auto [name, code] = fields.value(pick.section(u'=', 0, 0));
      QString staffCode = pick.section(u'=', 1);
      const bool noCode = staffCode.startsWith(u'?');
      const bool nurse = name == w.txtSNurse[0] || name == w.txtSNurse[1] || name == w.txtCNurse;
      (nurse ? PickNurse : PickDoctor)(name, staffCode.mid(noCode ? 1 : 0));
      if (noCode) {  // a doctor is picked without a code; the nurse search listed no one
        QCOMPARE(name->text().isEmpty(), nurse);
        staffCode.clear();
      }
      QCOMPARE(code->text(), warning.isEmpty() || pick != picks.last() ? staffCode : QString());
    }
    const auto [last, lastCode] = fields.value(picks.last().section(u'=', 0, 0));
    if (warning.isEmpty()) {
      QCOMPARE(f.boxes().count(), 0);
      QTRY_VERIFY(w.focusWidget() != last);  // moved on
      return;
    }
    QCOMPARE(f.boxes().prompts(), QStringList{warning});
    QCOMPARE(f.boxes().last().style, platform::vbOKOnly | platform::vbInformation);
    QCOMPARE(f.boxes().last().title, QStringLiteral("WARNING!"));
    QVERIFY(last->text().isEmpty() && lastCode->text().isEmpty());
    QTest::qWait(50);  // the queued Tab has run
    QCOMPARE(w.focusWidget(), last);
  }

  // Names as the hospital shows them; a cancelled search writes nothing and moves nothing.
  void picksWriteTheDisplayNames() {
    MainWindowFixture f;
    f.db().exec(
        QStringLiteral("INSERT INTO tbDoctor (DoctorCode, LastName, FirstName) "
                       "VALUES ('DX', '  PADDED  ', ' NAME ')"));
    f.db().exec(
        QStringLiteral("INSERT INTO tbpasswordmain VALUES ('EX', 'LONE', 'NURSE', NULL, '29')"));
    StartNew(f);
    frmMain& w = f.window();
    PickDoctor(w.txtSurgeon[0], QStringLiteral("DX"));
    QCOMPARE(w.txtSurgeon[0]->text(), QStringLiteral("PADDED ,NAME"));
    PickNurse(w.txtCNurse, QStringLiteral("EX"));
    QCOMPARE(w.txtCNurse->text(), QStringLiteral("LONE ,NURSE "));  // no middle name: a blank

    QTest::keyClicks(w.txtAnest[0], QStringLiteral("zz"));
    PickDoctor(w.txtAnest[0], QString());
    QCOMPARE(w.txtAnest[0]->text(), QStringLiteral("ZZ"));
    QVERIFY(w.txtAnestID[0]->text().isEmpty());
    QCOMPARE(w.focusWidget(), w.txtAnest[0]);
  }

  // The doctor list sizes its columns to its texts (a specialty as long as
  // OBSTETRICS-GYNECOLOGY) within the window's width.
  void theDoctorListShowsItsTextsWhole() {
    MainWindowFixture f;
    StartNew(f);
    int whole = 0;
    OnNextModal([&](QWidget* modal) {
      platform::FlexGrid& list = *qobject_cast<suite::DoctorSearchWindow*>(modal)->list();
      for (int r = 1; r < list.Rows(); ++r)
        for (int c = 1; c < list.Cols(); ++c)
          whole += list.CellTextCut(r, c) ? -1000 : 1;
      modal->close();
    });
    QTest::keyClick(f.window().txtSurgeon[0], Qt::Key_Return);
    QVERIFY(whole > 20);
  }

  // A failed search empties the list (no row of another text to pick) and the red line under
  // its header says so, until a search succeeds.
  void aFailedStaffSearchEmptiesTheList() {
    MainWindowFixture f;
    StartNew(f);
    QStringList seen;
    OnNextModal([&](QWidget* modal) {
      auto* window = qobject_cast<frmStaff*>(modal);
      for (const bool fails : {true, false}) {
        f.suite().failWhen(
            [fails](const QString& sql) { return fails && sql.contains(u"tbpasswordmain"); });
        window->Text1->setText(fails ? u"DE"_s : u"D"_s);
        window->searchList->Settle();
        seen << QString::number(window->MSHFlexGrid1->Rows() > 1)
             << (window->lblFailed->isVisible() ? window->lblFailed->text().left(19) : u""_s);
      }
      window->cmdExit->click();
    });
    QTest::keyClick(f.window().txtSNurse[0], Qt::Key_Return);
    QCOMPARE(seen, (QStringList{u"0"_s, u"The search failed: "_s, u"1"_s, u""_s}));
    QCOMPARE(f.boxes().count(), 0);
  }

  void theStaffWindowSearchesAsTyped() {
    MainWindowFixture f;
    StartNew(f);
    frmMain& w = f.window();
    w.txtSNurse[0]->setText(QStringLiteral(" O'B "));  // a stored name with an apostrophe
    QStringList seen;
    OnNextModal([&](QWidget* modal) {
      auto* window = qobject_cast<frmStaff*>(modal);
      QCOMPARE(window->windowTitle().trimmed(), QString());
      QCOMPARE(window->MSHFlexGrid1->ColWidth(1), 898);
      QCOMPARE(window->MSHFlexGrid1->ColWidth(2), 3898);
      QCOMPARE(f.statements().last(), session::OrStaffByKeySql(QStringLiteral(" O'B ")));
      QVERIFY(
          f.statements().last().contains(QStringLiteral("like 'O''B%' or employeeid = ' O''B '")));
      window->Text1->clear();
      window->searchList->Settle();
      QCOMPARE(f.statements().last(),
               QStringLiteral("select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' "
                              "+isnull(firstname,'') + ' ' + isnull(middlename,'') AS [OR STAFF] "
                              "from PASSWORD..tbpasswordmain AS tbpasswordmain where "
                              "originaldepartment = '29' order by [OR STAFF]"));
      QVERIFY(window->MSHFlexGrid1->Rows() > 5);
      // Typed a key a millisecond, the list follows once the typing pauses, not at every key;
      // Enter lists at once.
      const qsizetype before = f.statements().size();
      QTest::keyClicks(window->Text1, QStringLiteral("d'ela"), {}, 1);  // no apostrophe arrives
      QCOMPARE(window->Text1->text(), QStringLiteral("DELA"));
      QTest::keyClick(window->Text1, Qt::Key_Return);
      QVERIFY(f.statements().size() - before <= 2);
      QCOMPARE(f.statements().last(), session::OrStaffByKeySql(QStringLiteral("DELA")));
      seen << QString::number(window->isVisible());
      QTest::keyClick(window->Text1, Qt::Key_Down);
      QTest::keyClick(window->MSHFlexGrid1, Qt::Key_Escape);  // back to the box
      seen << QString::number(window->focusWidget() == window->Text1);
      QTest::keyClick(window->Text1, Qt::Key_Escape);  // leaves as Exit does
    });
    QTest::keyClick(w.txtSNurse[0], Qt::Key_Return);
    QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
    QVERIFY(w.txtSNurse[0]->text().isEmpty() && w.txtSNurseID[0]->text().isEmpty());
  }

  // Enter held down opens one window: the keyboard's repeats of it, in the window's box, in its
  // list and in the field once the window is closed, pick nothing and open nothing.
  void aHeldEnterActsOnce_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("marked");  // else as X11 may send it: a release and a press at once
    QTest::newRow("a doctor field and its picker") << "surgeon" << true;
    QTest::newRow("a nurse field and the OR staff window") << "scrub nurse" << true;
    QTest::newRow("find patient and the find window") << "find" << true;
    QTest::newRow("repeats not marked as such") << "surgeon" << false;
  }
  void aHeldEnterActsOnce() {
    QFETCH(QString, field);
    QFETCH(bool, marked);
    MainWindowFixture f;
    hospitaldb::ScheduleRecord found = f.db().sampleRequest(
        platform::WallClock(testsupport::DatabaseFixture::DefaultNow().date().addDays(5)));
    found.patientName = QStringLiteral("HELD, ENTER");
    f.db().insertRequest(found);
    QVERIFY(f.start());
    frmMain& w = f.window();
    const QDate listed = w.DTPicker1->Date();
    TextBox* box = w.txtFind;
    if (field == u"find")
      box->setText(QStringLiteral("HELD"));
    else {
      w.cmdOption[0]->click();
      box = field == u"surgeon" ? w.txtSurgeon[0] : w.txtSNurse[0];  // empty: everyone listed
    }
    quint64 moment = 1000;
    const auto repeatedEnter = [&](QWidget* to) {
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_s, marked);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s, marked);
      release.setTimestamp(++moment);
      press.setTimestamp(moment);
      QApplication::sendEvent(to, &release);
      QApplication::sendEvent(to, &press);
    };
    bool stayedOpen = false;
    OnNextModal([&](QWidget* modal) {
      auto* search = modal->findChild<TextBox*>();
      repeatedEnter(search);
      QTest::keyClick(search, Qt::Key_Down);
      repeatedEnter(modal->findChild<platform::FlexGrid*>());
      stayedOpen = modal->isVisible();
      modal->close();
    });
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(stayedOpen);
    repeatedEnter(box);  // a window it opened would stay open until the watchdog closed it
    VERIFY_NO_STRAY_MODAL(f.watchdog());
    QVERIFY(w.txtSurgeonID[0]->text().isEmpty() && w.txtSNurseID[0]->text().isEmpty());
    QCOMPARE(w.DTPicker1->Date(), listed);
  }

  // A whole request typed into whatever has the focus, from a click on New: Enter moves on
  // through every field, the team is picked, a Space lands on Cancel after the remarks and
  // is asked about; every code goes with the saved request, the date and time as typed.
  void aRequestTypedWholeIsSavedAsTyped_data() {
    QTest::addColumn<QString>("date");  // as typed into the pickers
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("sent");
    QTest::newRow("dates with /, times with a") << "12/09/2026"
                                                << "9:30:00a"
                                                << "'12/9/2026 09:30:00 AM'";
    QTest::newRow("dates with -, a digit a part, times with P") << "1-5-2027"
                                                                << "2.05.00P"
                                                                << "'1/5/2027 02:05:00 PM'";
  }
  void aRequestTypedWholeIsSavedAsTyped() {
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, sent);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto type = [&w](const QString& keys) {
      for (QChar key : keys) {
        QCoreApplication::processEvents();  // a Tab queued by Enter arrives first
        QTest::keyClick(w.focusWidget(), key.toLatin1());
      }
    };
    QTest::mouseClick(w.cmdOption[0], Qt::LeftButton);
    type(u" team, whole\r301\rappendectomy\r"_s + date + u'\r' + time + u'\r');
    QCoreApplication::processEvents();
    QTest::keyClick(w.focusWidget(), Qt::Key_Down);  // the first room
    type(u"\r"_s);
    const QList<std::pair<TextBox*, QString>> doctors = {
        {w.txtSurgeon[0], u"D1001"_s}, {w.txtSurgeon[1], u"D1003"_s}, {w.txtSurgeon[2], u"D1004"_s},
        {w.txtAnest[0], u"D1002"_s},   {w.txtAnest[1], u"D1005"_s},   {w.txtAsstDoc, u"D1006"_s}};
    for (const auto& [field, code] : doctors)
      PickDoctor(field, code);
    PickNurse(w.txtSNurse[0], QStringLiteral("E1002"));
    PickNurse(w.txtSNurse[1], QStringLiteral("E1004"));
    PickNurse(w.txtCNurse, QStringLiteral("E1003"));
    f.boxes().answer(platform::vbNo);
    type(u"for am\r "_s);
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles(), (QStringList{u"Cancel?"_s, u"SUCCESS!"_s}));
    QCOMPARE(f.boxes().calls()[0].style,
             platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2);
    const QString saved = f.statements().filter(QStringLiteral("Save_OR_Schedule")).value(0);
    QVERIFY2(saved.contains(u"' TEAM, WHOLE','OR01','D1001','D1002',"_s + sent), qPrintable(saved));
    QVERIFY2(saved.contains(QStringLiteral("'FOR AM','E1003','E1002','E1004','D1003','D1004',"
                                           "'D1005','APPENDECTOMY','301'")),
             qPrintable(saved));
    QVERIFY2(saved.endsWith(QStringLiteral("'','D1006'")), qPrintable(saved));
  }
};

QTEST_MAIN(TestStaffSelection)
#include "test_staff_selection.moc"
