// The entry form through the main window: loading a listed request, the modes, and saving.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

#include "hospitaldb/StatementShape.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/DurationBox.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "support/MainWindowFixture.h"

#include <sys/resource.h>

using platform::TextBox;
using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday = DatabaseFixture::DefaultNow().date();  // 12/8/2026, 10:00:00 AM
const QDate kDay(2027, 1, 20);                              // a day without demo requests
const QString kHostile = QStringLiteral("O'NEIL \"Q\"; DROP TABLE x; --");

void ListDay(frmMain& w, const QDate& day) {
  w.DTPicker1->setDate(day);
}

int RowOf(platform::FlexGrid& grid, const QString& patient) {
  for (int r = 1; r < grid.Rows(); ++r)
    if (grid.TextMatrix(r, session::RequestColumn::kPatientName).trimmed() == patient) return r;
  return 0;
}

// The events a real double click on a row delivers.
void DoubleClickRow(platform::FlexGrid& grid, int row) {
  const QModelIndex cell = grid.model()->index(row - 1, 1);
  grid.scrollTo(cell);
  const QPoint at = grid.visualRect(cell).center();
  QWidget* viewport = grid.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, at);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
  QTest::mousePress(viewport, Qt::LeftButton, {}, at);
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void LoadPatient(frmMain& w, const QDate& day, const QString& patient) {
  ListDay(w, day);
  const int row = RowOf(*w.mshflexPending, patient);
  QVERIFY2(row > 0, qPrintable(patient));
  DoubleClickRow(*w.mshflexPending, row);
}

// What a pick writes: the name the user reads and the code beside it.
void Pick(TextBox* name, TextBox* code, const QString& display, const QString& staffCode) {
  name->setText(display);
  code->setText(staffCode);
}

// A complete new request for `day` at 2:30 PM, with the demo team.
void FillNewRequest(frmMain& w, const QDate& day = kDay) {
  w.cmdOption[0]->click();
  QTest::keyClicks(w.txtName, QStringLiteral("NEW, PATIENT"));
  QTest::keyClicks(w.txtProcedure, QStringLiteral("APPENDECTOMY"));
  QTest::keyClicks(w.txtRoomID, QStringLiteral("301-A"));
  w.cboRequestRoom->SetText(QStringLiteral("OR 2"));
  w.dtpOperation->SetValue(platform::WallClock(day, QTime(0, 0)));
  w.dtpOperTime->SetValue(QTime(14, 30));
  Pick(w.txtSurgeon[0], w.txtSurgeonID[0], QStringLiteral("DOCTOR ,ONE"), QStringLiteral("D1001"));
  Pick(w.txtAnest[0], w.txtAnestID[0], QStringLiteral("DOCTOR ,TWO"), QStringLiteral("D1002"));
  Pick(w.txtSNurse[0], w.txtSNurseID[0], QStringLiteral("NURSE ,ONE "), QStringLiteral("E1002"));
  Pick(w.txtCNurse, w.txtCNurseID, QStringLiteral("NURSE ,TWO "), QStringLiteral("E1003"));
}

// The state of the form's controls, as the mode table reads it.
QString ModeOf(frmMain& w) {
  auto on = [](QWidget* control) { return QChar(control->isEnabled() ? u'+' : u'-'); };
  const bool white = w.txtName->BackColor() == QColor(255, 255, 255);
  return QStringLiteral("New%1 %2%3 Exit%4 Save%5 pane%6 fields%7%8")
      .arg(on(w.cmdOption[0]))
      .arg(w.cmdOption[1]->text())
      .arg(on(w.cmdOption[1]))
      .arg(on(w.cmdOption[2]))
      .arg(on(w.cmdOption[3]))
      .arg(on(w.fraPendingRequest))
      .arg(on(w.txtName))
      .arg(white ? QStringLiteral("white") : QStringLiteral("grey"));
}

QStringList SavesSent(MainWindowFixture& f) {
  return f.statements().filter(QStringLiteral("Save_OR_Schedule"));
}

// The arguments of a save statement, as the server reads them.
QStringList SaveArguments(const QString& sql) {
  QStringList arguments;
  for (const hospitaldb::SqlToken& token : hospitaldb::TokenizeSql(sql))
    if (token.kind == hospitaldb::SqlToken::Kind::Literal) arguments << token.text;
  return arguments;
}

}  // namespace

class TestEntryForm : public QObject {
  Q_OBJECT

 private slots:
  // Every field from its own column, trimmed, with the crossed orders of the anesthesiologists
  // and scrub nurses; then the buttons of viewing mode.
  void aDoubleClickShowsEveryFieldOfTheRequest() {
    MainWindowFixture f;
    hospitaldb::ScheduleRecord r = f.db().sampleRequest(platform::WallClock(kDay, QTime(7, 45)));
    const QStringList values = {QStringLiteral(" MAPPED, PATIENT "),
                                QStringLiteral(" PROC").repeated(100),  // wider than its column
                                QStringLiteral(" W1 "),
                                QStringLiteral("S0"),
                                QStringLiteral("SURGEON 0"),
                                QStringLiteral("S1"),
                                QStringLiteral("SURGEON 1"),
                                QStringLiteral("S2"),
                                QStringLiteral("SURGEON 2"),
                                QStringLiteral("A0"),
                                QStringLiteral("ANEST 0"),
                                QStringLiteral("A1"),
                                QStringLiteral("ANEST 1"),
                                QStringLiteral("N0"),
                                QStringLiteral("NURSE 0"),
                                QStringLiteral("N1"),
                                QStringLiteral("NURSE 1"),
                                QStringLiteral("C0"),
                                QStringLiteral("CIRC 0"),
                                QStringLiteral("X0"),
                                QStringLiteral("ASSIST 0"),
                                QStringLiteral(" REMARKS").repeated(600)};
    QString* targets[] = {&r.patientName,
                          &r.procedureName,
                          &r.roomNo,
                          &r.surgeonCode,
                          &r.surgeon,
                          &r.surgeon1Code,
                          &r.asstSurgeon1,
                          &r.surgeon2Code,
                          &r.asstSurgeon2,
                          &r.anesCode,
                          &r.anesthesiologist,
                          &r.anes2Code,
                          &r.asstAnesthesiologist,
                          &r.sNurseCode,
                          &r.sNurse,
                          &r.sNurse2Code,
                          &r.sNurse2,
                          &r.cNurseCode,
                          &r.cNurse,
                          &r.asstDocCode,
                          &r.asstDoctor,
                          &r.remarks};
    for (int i = 0; i < values.size(); ++i)
      *targets[i] = values[i];
    r.orRoomId = QStringLiteral("OR03");
    const qint64 transNum = f.db().insertRequest(r, false);
    QVERIFY(f.start());
    frmMain& w = f.window();
    LoadPatient(w, kDay, QStringLiteral("MAPPED, PATIENT"));

    TextBox* fields[] = {w.txtName,       w.txtProcedure,    w.txtRoomID,     w.txtSurgeonID[0],
                         w.txtSurgeon[0], w.txtSurgeonID[1], w.txtSurgeon[1], w.txtSurgeonID[2],
                         w.txtSurgeon[2], w.txtAnestID[0],   w.txtAnest[0],   w.txtAnestID[1],
                         w.txtAnest[1],   w.txtSNurseID[0],  w.txtSNurse[0],  w.txtSNurseID[1],
                         w.txtSNurse[1],  w.txtCNurseID,     w.txtCNurse,     w.txtAsstDocID,
                         w.txtAsstDoc};
    for (int i = 0; i < values.size() - 1; ++i)
      QCOMPARE(fields[i]->text(), values[i].trimmed());
    QCOMPARE(w.txtRemarks->text(), values.last().trimmed());
    QCOMPARE(w.txtProcedure->cursorPosition(), 0);  // read from its beginning
    QCOMPARE(w.txtTransNum->text(), QString::number(transNum));
    QCOMPARE(w.dtpOperation->Date(), kDay);
    QCOMPARE(w.dtpOperTime->Time(), QTime(7, 45));
    QCOMPARE(w.cboRequestRoom->Text(), QStringLiteral("OR 3"));
    QCOMPARE(ModeOf(w), QStringLiteral("New+ &Edit+ Exit- Save- pane+ fields-grey"));
    QVERIFY(f.statements().contains(
        QStringLiteral("select RoomID, RoomName from schedule..tbOrRoom where roomid = 'OR03'")));
  }

  void theModesFollowTheButtons_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("mode");
    const QString idle = QStringLiteral("New+ Edit- Exit+ Save- pane+ fields-grey");
    const QString writing = QStringLiteral("New- Cancel+ Exit- Save+ pane- fields+white");
    const QString viewing = QStringLiteral("New+ &Edit+ Exit- Save- pane+ fields-grey");
    QTest::newRow("start-up") << QStringList{}
                              << QStringLiteral("New+ &Edit- Exit+ Save- pane+ fields-grey");
    QTest::newRow("new") << QStringList{QStringLiteral("0")} << writing;
    QTest::newRow("new, cancel") << QStringList{QStringLiteral("0"), QStringLiteral("1")} << idle;
    QTest::newRow("load") << QStringList{QStringLiteral("load")} << viewing;
    QTest::newRow("load, edit") << QStringList{QStringLiteral("load"), QStringLiteral("1")}
                                << writing;
    QTest::newRow("load, edit, cancel")
        << QStringList{QStringLiteral("load"), QStringLiteral("1"), QStringLiteral("1")} << idle;
    QTest::newRow("edit from the caption without access key")
        << QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("load"),
                       QStringLiteral("1")}
        << writing;
    QTest::newRow("load by the arrow keys and Enter")
        << QStringList{QStringLiteral("keys")} << viewing;
    QTest::newRow("load, new") << QStringList{QStringLiteral("load"), QStringLiteral("0")}
                               << writing;
    QTest::newRow("load, new without the clock")
        << QStringList{QStringLiteral("load"), QStringLiteral("clockless 0")} << viewing;
    QTest::newRow("new with the clock set back since start-up")
        << QStringList{QStringLiteral("clock back"), QStringLiteral("0")} << writing;
    QTest::newRow("no such button")
        << QStringList{QStringLiteral("load"), QStringLiteral("7")} << viewing;
    QTest::newRow("new on the machine's wall clock")
        << QStringList{QStringLiteral("machine clock"), QStringLiteral("0")} << writing;
  }
  void theModesFollowTheButtons() {
    QFETCH(QStringList, actions);
    QFETCH(QString, mode);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    for (const QString& action : actions) {
      if (action == QLatin1String("load"))
        LoadPatient(w, kToday, w.mshflexPending->TextMatrix(1, 1).trimmed());
      else if (action == QLatin1String("machine clock"))  // the server's clock without an offset
        f.db().exec(QStringLiteral("UPDATE tbServerInfo SET ClockOffsetSeconds = 0"));
      else if (action == QLatin1String("keys")) {
        QTest::keyClick(w.mshflexPending, Qt::Key_Down);
        QTest::keyClick(w.mshflexPending, Qt::Key_Return);
      } else if (action == QLatin1String("7"))
        w.cmdOption_Click(7);
      else if (action == QLatin1String("clockless 0")) {  // the request stays shown
        f.suite().failWhen([](const QString& sql) { return sql.contains(u"getdate"); });
        w.cmdOption[0]->click();
        QVERIFY(!w.txtTransNum->text().isEmpty());
      } else if (action == QLatin1String("clock back")) {
        f.db().server().SetNow(modGlobal::ServerDateTime.addSecs(-1800));
      } else
        w.cmdOption[action.toInt()]->click();
    }
    QCOMPARE(ModeOf(w), mode);
    // The accent colour goes on with the first change of mode, in every mode.
    const bool modeChanged =
        actions.contains(QStringLiteral("0")) || actions.contains(QStringLiteral("1"));
    for (TextBox* field : {w.txtName, w.txtAsstDocID})
      QCOMPARE(field->AccentColor(), modeChanged ? QColor(128, 128, 255) : QColor());
    QCOMPARE(w.txtRemarks->AccentColor(), w.txtName->AccentColor());
    if (mode.startsWith(u"New- Cancel+")) QCOMPARE(w.focusWidget(), w.txtName);  // typing starts
    if (actions.value(actions.size() - 1) == QLatin1String("0")) {
      // New: an empty form, every staff code too, on the server's date and time.
      for (TextBox* field : {w.txtName, w.txtTransNum, w.txtSurgeonID[0], w.txtSNurseID[1]})
        QVERIFY(field->text().isEmpty());
      QCOMPARE(w.cboRequestRoom->currentIndex(), -1);
      QCOMPARE(w.dtpOperation->Date(), modGlobal::ServerDateTime.date());
      QCOMPARE(w.dtpOperTime->Time(), modGlobal::ServerDateTime.time());
    }
    if (actions.contains(QStringLiteral("machine clock")))  // the time the machine's wall shows
      QVERIFY(qAbs(platform::WallClock(w.dtpOperation->Date(), w.dtpOperTime->Time())
                       .secsTo(platform::WallClock(QDate::currentDate(), QTime::currentTime()))) <
              60);
    if (actions.size() >= 2 && actions[1] == QLatin1String("1") && mode.startsWith(u'N')) {
      // Edit keeps the request and locks Confirm and Revoke; Cancel does not unlock them.
      QVERIFY(!w.cmdOpt[0]->isEnabled() && !w.cmdOpt[1]->isEnabled());
    }
  }

  void enterOnCancelDoesNotEmptyTheForm() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    FillNewRequest(w);
    w.cmdOption[1]->setFocus();
    QTest::keyClick(w.cmdOption[1], Qt::Key_Return);
    QTest::keyClick(w.cmdOption[1], Qt::Key_Enter);
    QCOMPARE(w.txtName->text(), QStringLiteral("NEW, PATIENT"));
    QCOMPARE(w.cmdOption[1]->text(), QStringLiteral("Cancel"));
    QTest::keyClick(w.cmdOption[1], Qt::Key_Space);
    QVERIFY(w.txtName->text().isEmpty());
  }

  void validationRefusesInItsOrder_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");    // typed into the field; empty: the field is emptied
    QTest::addColumn<QString>("message");  // empty: the request is saved
    const QString provide = QStringLiteral("Can't save incomplete data! Please provide %1.");
    const QString pick = QStringLiteral(
        "Can't save incomplete data! The %1 \"%2\" was typed but not picked: press Enter in the "
        "field and pick from the list%3.");
    const QString tooLong = QStringLiteral(
        "Can't save: the %1 is %2 characters long, and the hospital's database holds no more "
        "than %3. Please shorten it.");
    QTest::newRow("name") << "name"
                          << "" << provide.arg(u"patient name");
    QTest::newRow("procedure") << "procedure"
                               << "" << provide.arg(u"name of procedure");
    QTest::newRow("room") << "room"
                          << "" << provide.arg(u"OR Room for operation");
    QTest::newRow("surgeon") << "surgeon"
                             << "" << provide.arg(u"surgeon");
    QTest::newRow("surgeon typed, not picked") << "surgeon"
                                               << "X" << pick.arg(u"surgeon", u"X", u"");
    QTest::newRow("surgeon of blanks") << "surgeon"
                                       << "  " << provide.arg(u"surgeon");
    QTest::newRow("anesthesiologist") << "anest"
                                      << "" << provide.arg(u"anesthesiologist");
    QTest::newRow("scrub nurse") << "snurse"
                                 << "" << provide.arg(u"scrub nurse");
    QTest::newRow("circulating nurse typed") << "cnurse"
                                             << "Y" << pick.arg(u"circulating nurse", u"Y", u"");
    QTest::newRow("assistant surgeon typed")
        << "surgeon2"
        << "Z" << pick.arg(u"Asst. 2 of the surgeons", u"Z", u", or clear it");
    QTest::newRow("assistant doctor typed")
        << "asstdoc"
        << "Z" << pick.arg(u"Asst. Doctor", u"Z", u", or clear it");
    QTest::newRow("name over its column")
        << "long name" << QString(151, u'N') << tooLong.arg(u"patient name").arg(151).arg(150);
    QTest::newRow("procedure over its column")
        << "long procedure" << QString(401, u'P') << tooLong.arg(u"procedure").arg(401).arg(400);
    QTest::newRow("patient's room over its column")
        << "roomid" << QString(31, u'R')
        << tooLong.arg(u"patient's room (Room ID)").arg(31).arg(30);
    QTest::newRow("remarks over their column")
        << "remarks" << QString(4001, u'M') << tooLong.arg(u"remarks").arg(4001).arg(4000);
    QTest::newRow("a date that is none, left with Tab")
        << "date"
        << "02/30/2027"
        << "Can't save: the schedule date \"02/30/2027\" is not a date (month/day/year).";
    QTest::newRow("a time that is none (hour 00), left with Tab")
        << "time"
        << "00:30a"
        << "Can't save: the schedule time \"00:30:00 AM\" is not a time of day.";
    QTest::newRow("assistant surgeon typed as blanks") << "surgeon2"
                                                       << "   "
                                                       << "";
  }
  void validationRefusesInItsOrder() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    FillNewRequest(w);
    const QMap<QString, QWidget*> fields = {{QStringLiteral("name"), w.txtName},
                                            {QStringLiteral("procedure"), w.txtProcedure},
                                            {QStringLiteral("room"), w.cboRequestRoom},
                                            {QStringLiteral("surgeon"), w.txtSurgeon[0]},
                                            {QStringLiteral("anest"), w.txtAnest[0]},
                                            {QStringLiteral("snurse"), w.txtSNurse[0]},
                                            {QStringLiteral("cnurse"), w.txtCNurse},
                                            {QStringLiteral("surgeon2"), w.txtSurgeon[2]},
                                            {QStringLiteral("asstdoc"), w.txtAsstDoc},
                                            {QStringLiteral("roomid"), w.txtRoomID},
                                            {QStringLiteral("remarks"), w.txtRemarks},
                                            {QStringLiteral("date"), w.dtpOperation},
                                            {QStringLiteral("time"), w.dtpOperTime},
                                            {QStringLiteral("long name"), w.txtName},
                                            {QStringLiteral("long procedure"), w.txtProcedure}};
    QWidget* target = fields.value(field);
    if (auto* text = qobject_cast<TextBox*>(target)) {
      text->clear();
      QTest::keyClicks(text, typed);  // typing over a pick drops its code
    } else if (target == w.txtRemarks) {
      w.txtRemarks->setText(typed);
    } else if (qobject_cast<platform::DTPicker*>(target)) {
      target->setFocus();
      QTest::keyClicks(target, typed + u'\t');
    } else {
      w.cboRequestRoom->SetText(QString());
    }
    // Every required field checked later is missing too: the first in the order is named.
    const QStringList order = {QStringLiteral("name"),  QStringLiteral("procedure"),
                               QStringLiteral("room"),  QStringLiteral("surgeon"),
                               QStringLiteral("anest"), QStringLiteral("snurse"),
                               QStringLiteral("cnurse")};
    for (qsizetype i = order.indexOf(field) + 1; i > 0 && i < order.size(); ++i)
      if (auto* later = qobject_cast<TextBox*>(fields.value(order[i])))
        later->clear();
      else
        w.cboRequestRoom->SetText(QString());
    f.boxes().clear();
    w.cmdOption[3]->click();
    if (message.isEmpty()) {  // saved, without a code for the one typed as blanks
      QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});
      QCOMPARE(SaveArguments(SavesSent(f).value(0)).value(11, QStringLiteral("none sent")),
               QString());
      return;
    }
    QCOMPARE(f.boxes().prompts(), QStringList{message});
    if (auto* text = qobject_cast<TextBox*>(target)) QCOMPARE(text->text(), typed);  // none cut
    QCOMPARE(f.boxes().last().style, platform::vbOKOnly | platform::vbCritical);
    QCOMPARE(f.boxes().last().title, QStringLiteral("Incomplete Data!"));
    QCOMPARE(w.focusWidget(), target);
    QVERIFY(SavesSent(f).isEmpty());
    QCOMPARE(w.cmdOption[1]->text(), QStringLiteral("Cancel"));  // still writing
  }

  // The exact texts of a new and of an edited request: argument 17, the blank before argument
  // 16, the date texts of arguments 5 and 16. The edit keeps the room it was loaded with.
  void saveSendsTheRequestAndReturnsToIdle() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    ListDay(w, kDay);
    FillNewRequest(w);
    Pick(w.txtSurgeon[1], w.txtSurgeonID[1], QStringLiteral("DOCTOR ,THREE"),
         QStringLiteral("D1003"));
    w.cmdOption[3]->click();
    const QString sent = SavesSent(f).value(0);
    const QRegularExpression newText(QStringLiteral(
        "^SCHEDULE\\.\\.Save_OR_Schedule 'NEW, PATIENT','OR02','D1001','D1002',"
        "'1/20/2027 02:30:00 PM','E1001','','E1003','E1002','','D1003','','','APPENDECTOMY',"
        "'301-A', '12/8/2026 10:\\d\\d:\\d\\d AM','',''$"));
    QVERIFY2(newText.match(sent).hasMatch(), qPrintable(sent));
    QCOMPARE(f.boxes().prompts(), QStringList{QStringLiteral("Schedule successfully saved!")});
    QCOMPARE(f.boxes().last().style, platform::vbOKOnly | platform::vbInformation);
    QCOMPARE(f.boxes().last().title, QStringLiteral("SUCCESS!"));
    QCOMPARE(ModeOf(w), QStringLiteral("New+ Edit- Exit+ Save- pane+ fields-grey"));
    QVERIFY(w.txtName->text().isEmpty() && w.txtSurgeonID[1]->text().isEmpty());
    QCOMPARE(f.statements().last(), QStringLiteral("select getdate() as TDate"));
    QCOMPARE(w.dtpOperation->Date(), modGlobal::ServerDateTime.date());

    // The saved request is listed; edited, it keeps its number, room and time.
    const qint64 transNum = f.db().lastTransNum();
    LoadPatient(w, kDay, QStringLiteral("NEW, PATIENT"));
    w.cmdOption[1]->click();
    w.txtRemarks->setText(QStringLiteral("CHANGED"));
    const int lookupsBefore = f.statements().filter(QStringLiteral("sp_Get_ORRoom")).size();
    w.cmdOption[3]->click();
    const QString edited = SavesSent(f).value(1);
    QVERIFY2(edited.startsWith(QStringLiteral("SCHEDULE..Save_OR_Schedule 'NEW, PATIENT','OR02',"
                                              "'D1001','D1002','1/20/2027 02:30:00 PM','E1001',"
                                              "'CHANGED',")),
             qPrintable(edited));
    QVERIFY2(edited.endsWith(QStringLiteral("','%1',''").arg(transNum)), qPrintable(edited));
    QCOMPARE(f.statements().filter(QStringLiteral("sp_Get_ORRoom")).size(), lookupsBefore);
    QCOMPARE(f.db().request(transNum).value(QStringLiteral("Remarks")).toString(),
             QStringLiteral("CHANGED"));
  }

  // The expected duration typed as the time picker is, refused by Save outside 0:05 to 24:00,
  // and saved with the request beside it; changed or cleared on an edit.
  void anEstimatedDurationIsSavedWithTheRequest_data() {
    QTest::addColumn<QString>("typed");    // over all the field showed, then Enter
    QTest::addColumn<QString>("refused");  // Save's message; empty: saved
    QTest::addColumn<int>("stored");       // the minutes read back; 0: none
    QTest::addColumn<bool>("edit");        // typed on an edit of a request saved with 1:00
    const QString range = QStringLiteral(
        "Can't save: the Est. Duration %1 is not from 0:05 to 24:00 (5 minutes to 24 hours).");
    QTest::newRow("minutes alone") << "90"
                                   << "" << 90 << false;
    QTest::newRow("hours and minutes") << "1:30"
                                       << "" << 90 << false;
    QTest::newRow("a blank between") << "2 05"
                                     << "" << 125 << false;
    QTest::newRow("24 hours") << "24:00"
                              << "" << 1440 << false;
    QTest::newRow("none") << ""
                          << "" << 0 << false;
    QTest::newRow("minutes past 59")
        << "1:75"
        << "Can't save: the Est. Duration \"1:75\" is no duration (hours:minutes)." << 0 << false;
    QTest::newRow("under 5 minutes") << "4" << range.arg(u"0:04") << 0 << false;
    QTest::newRow("over 24 hours") << "24:01" << range.arg(u"24:01") << 0 << false;
    QTest::newRow("changed on an edit") << "45"
                                        << "" << 45 << true;
    QTest::newRow("cleared on an edit") << ""
                                        << "" << 0 << true;
  }
  void anEstimatedDurationIsSavedWithTheRequest() {
    QFETCH(QString, typed);
    QFETCH(QString, refused);
    QFETCH(int, stored);
    QFETCH(bool, edit);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    ListDay(w, kDay);
    FillNewRequest(w);
    platform::DurationBox& field = *w.dtpDuration;
    if (edit) {
      field.SetMinutes(60);
      w.cmdOption[3]->click();
      LoadPatient(w, kDay, QStringLiteral("NEW, PATIENT"));
      QCOMPARE(field.text(), QStringLiteral("1:00"));
      w.cmdOption[1]->click();
    }
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClicks(&field, typed);
    QTest::keyClick(&field, Qt::Key_Return);
    f.boxes().clear();
    f.suite().connection()->clearStatements();
    w.cmdOption[3]->click();
    if (!refused.isEmpty()) {
      QCOMPARE(f.boxes().prompts(), QStringList{refused});
      QCOMPARE(w.focusWidget(), &field);
      QVERIFY(SavesSent(f).isEmpty());
      return;
    }
    const qint64 transNum = f.db().lastTransNum();
    const QStringList sent = f.statements().filter(QStringLiteral("sp_SetORScheduleDuration"));
    const QString minutes = stored ? QString::number(stored) : QString();
    QCOMPARE(
        sent,
        (stored || edit
             ? QStringList{u"SCHEDULE..sp_SetORScheduleDuration '%1', '%2'"_s.arg(transNum).arg(
                   minutes)}
             : QStringList{}));
    QStringList read;  // number and minutes of each row of the day's durations
    for (const QVariantList& row :
         f.db().open(QStringLiteral("SCHEDULE..sp_GetORScheduleDurations '1/20/2027'")).rows)
      read << u"%1 %2"_s.arg(row.value(0).toString(), row.value(2).toString());
    QCOMPARE(read, stored ? QStringList{u"%1 %2"_s.arg(transNum).arg(stored)} : QStringList{});
  }

  // A room not found shows no room, never the last request's; a save then asks for one. Two
  // rooms of one name keep a loaded request in its own.
  void theRoomOfARequestIsItsOwn() {
    MainWindowFixture f;
    f.db().exec(QStringLiteral("INSERT INTO tbOrRoom VALUES ('TWIN1', 'TWIN'), ('TWIN2', 'TWIN')"));
    hospitaldb::ScheduleRecord r = f.db().sampleRequest(platform::WallClock(kDay, QTime(8, 0)));
    r.patientName = QStringLiteral("IN, TWIN2");
    r.orRoomId = QStringLiteral("TWIN2");
    f.db().insertRequest(r);
    r.patientName = QStringLiteral("NO, ROOM");
    r.orRoomId = QStringLiteral("GONE");
    f.db().insertRequest(r);
    QVERIFY(f.start());
    frmMain& w = f.window();
    LoadPatient(w, kDay, QStringLiteral("IN, TWIN2"));
    QCOMPARE(w.cboRequestRoom->Text(), QStringLiteral("TWIN"));
    w.cmdOption[1]->click();
    w.cmdOption[3]->click();
    QVERIFY(SavesSent(f).value(0).contains(QStringLiteral("'IN, TWIN2','TWIN2',")));

    LoadPatient(w, kDay, QStringLiteral("NO, ROOM"));
    QCOMPARE(w.cboRequestRoom->currentIndex(), -1);
    w.cmdOption[1]->click();
    f.boxes().clear();
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().prompts(),
             QStringList{QStringLiteral(
                 "Can't save incomplete data! Please provide OR Room for operation.")});

    // A room that went from the database since start-up is refused, not saved without a code.
    f.db().exec(QStringLiteral("DELETE FROM tbOrRoom WHERE RoomID = 'OR05'"));
    w.cboRequestRoom->SetText(QStringLiteral("OR 5"));
    f.boxes().clear();
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().count(), 1);
    QCOMPARE(f.boxes().last().title, QStringLiteral("Incomplete Data!"));
    QCOMPARE(SavesSent(f).size(), 1);

    // A failing lookup while loading is reported and shows no room either.
    w.cmdOption[1]->click();  // Cancel
    LoadPatient(w, kDay, QStringLiteral("IN, TWIN2"));
    f.suite().failWhen([](const QString& sql) { return sql.contains(QLatin1String("tbOrRoom")); });
    f.boxes().clear();
    LoadPatient(w, kDay, QStringLiteral("NO, ROOM"));
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY(f.boxes().last().prompt.contains(QLatin1String("Simulated failure")));
    QCOMPARE(w.cboRequestRoom->currentIndex(), -1);
    QCOMPARE(w.txtName->text(), QStringLiteral("NO, ROOM"));
  }

  // Every field with apostrophes, double quotes, semicolons and "--" goes through save,
  // reload and load as typed.
  void hostileTextRoundTrips() {
    MainWindowFixture f;
    f.db().exec(QStringLiteral("INSERT INTO tbOrRoom VALUES (?, ?)"),
                {QStringLiteral("R'1;--"), kHostile});
    f.db().exec(QStringLiteral("INSERT INTO tbDoctor (DoctorCode, LastName, FirstName) VALUES "
                               "(?, ?, 'ANN'), (?, ?, 'BO')"),
                {QStringLiteral("D'1"), kHostile, QStringLiteral("D'2;--"), kHostile});
    f.db().exec(QStringLiteral("INSERT INTO tbpasswordmain VALUES (?, ?, 'CY', '', '29')"),
                {QStringLiteral("N'1--"), kHostile});
    QVERIFY(f.start());
    frmMain& w = f.window();
    ListDay(w, kDay);
    w.cmdOption[0]->click();
    for (TextBox* field : {w.txtName, w.txtProcedure, w.txtRoomID})
      field->setText(field == w.txtName ? kHostile : kHostile + u'!');
    w.txtRemarks->setText(kHostile + u'!');
    w.cboRequestRoom->SetText(kHostile);
    w.dtpOperation->SetValue(platform::WallClock(kDay, QTime(0, 0)));
    const QString doctor1 = kHostile + QStringLiteral(" ,ANN"),
                  doctor2 = kHostile + QStringLiteral(" ,BO");
    const QString nurse = kHostile + QStringLiteral(" ,CY ");
    Pick(w.txtSurgeon[0], w.txtSurgeonID[0], doctor1, QStringLiteral("D'1"));
    Pick(w.txtAnest[1], w.txtAnestID[1], doctor2, QStringLiteral("D'2;--"));
    Pick(w.txtAnest[0], w.txtAnestID[0], doctor1, QStringLiteral("D'1"));
    Pick(w.txtSNurse[0], w.txtSNurseID[0], nurse, QStringLiteral("N'1--"));
    Pick(w.txtCNurse, w.txtCNurseID, nurse, QStringLiteral("N'1--"));
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});

    LoadPatient(w, kDay, kHostile);
    QCOMPARE(w.txtProcedure->text(), kHostile + u'!');
    QCOMPARE(w.txtRoomID->text(), kHostile + u'!');
    QCOMPARE(w.txtRemarks->text(), kHostile + u'!');
    QCOMPARE(w.cboRequestRoom->Text(), kHostile);
    QCOMPARE(w.txtSurgeon[0]->text(), doctor1);
    QCOMPARE(w.txtAnest[1]->text(), doctor2);
    QCOMPARE(w.txtAnestID[1]->text(), QStringLiteral("D'2;--"));
    QCOMPARE(w.txtSNurse[0]->text(), nurse.trimmed());
    QCOMPARE(w.txtCNurseID->text(), QStringLiteral("N'1--"));
  }

  // A text loaded goes back byte for byte when another field is changed; a line break pasted
  // into a field is one blank.
  void aLoadedTextIsSavedAsStored_data() {
    QTest::addColumn<bool>("remarks");  // else the patient's name
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("pasted");  // at the end; none: the procedure is changed
    QTest::addColumn<QString>("saved");
    const QString remark = QStringLiteral("FIRST\r\nSECOND\nTHIRD\u00a0END  ");
    QTest::newRow("remarks with CR LF, LF and a no-break space") << true << remark << "" << remark;
    QTest::newRow("a name with blanks at its ends") << false << "  DOE, JANE  "
                                                    << ""
                                                    << "  DOE, JANE  ";
    QTest::newRow("a line break pasted into the name") << false << "DOE, JANE"
                                                       << "\nX"
                                                       << "DOE, JANE X";
    QTest::newRow("CR LF pasted into the remarks") << true << "A"
                                                   << "\r\nB"
                                                   << "A B";
  }
  void aLoadedTextIsSavedAsStored() {
    QFETCH(bool, remarks);
    QFETCH(QString, stored);
    QFETCH(QString, pasted);
    QFETCH(QString, saved);
    MainWindowFixture f;
    hospitaldb::ScheduleRecord r = f.db().sampleRequest(platform::WallClock(kDay, QTime(9, 0)));
    (remarks ? r.remarks : r.patientName) = stored;
    const qint64 transNum = f.db().insertRequest(r);
    QVERIFY(f.start());
    frmMain& w = f.window();
    LoadPatient(w, kDay, r.patientName.trimmed());
    w.cmdOption[1]->click();
    if (pasted.isEmpty()) {
      w.txtProcedure->setText(QStringLiteral("CHANGED"));
    } else {
      QGuiApplication::clipboard()->setText(pasted);
      QWidget* field = remarks ? static_cast<QWidget*>(w.txtRemarks) : w.txtName;
      field->setFocus();
      QTest::keyClick(field, Qt::Key_End, remarks ? Qt::ControlModifier : Qt::NoModifier);
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});
    const QVariantMap row = f.db().request(transNum);
    QCOMPARE(
        row.value(remarks ? QStringLiteral("Remarks") : QStringLiteral("PatientName")).toString(),
        saved);
  }

  // A listed request loaded, changed in edit mode and saved: the save sends what the form
  // shows, and the pickers' earliest values are the start-up ones again. A request of
  // yesterday shows its own date and time, and an edit keeps them.
  void anEditedRequestSendsWhatTheFormShows_data() {
    QTest::addColumn<int>("day");            // of the request, from the server's day
    QTest::addColumn<bool>("pastFirst");     // a request of yesterday is loaded before it
    QTest::addColumn<bool>("namelessAsst");  // its Asst. 1 of the surgeons listed by code only
    QTest::addColumn<QString>("room");       // chosen while editing; empty: kept
    QTest::addColumn<QStringList>("sent");   // "argument=value" of the save
    QTest::newRow("a past request keeps its date and time")
        << -1 << false << false << QString()
        << QStringList{QStringLiteral("2=OR03"), QStringLiteral("5=12/7/2026 07:05:00 AM")};
    QTest::newRow("another room chosen")
        << 1 << false << false << QStringLiteral("OR 2") << QStringList{QStringLiteral("2=OR02")};
    QTest::newRow("an assistant with a code and no name")
        << 1 << false << true << QString() << QStringList{QStringLiteral("11=")};
    QTest::newRow("a future request after a past one")
        << 1 << true << false << QString()
        << QStringList{QStringLiteral("5=12/9/2026 07:05:00 AM")};
  }
  void anEditedRequestSendsWhatTheFormShows() {
    QFETCH(int, day);
    QFETCH(bool, pastFirst);
    QFETCH(bool, namelessAsst);
    QFETCH(QString, room);
    QFETCH(QStringList, sent);
    MainWindowFixture f;
    const QDate past = kToday.addDays(-1), listed = kToday.addDays(day);
    hospitaldb::ScheduleRecord r = f.db().sampleRequest(platform::WallClock(past, QTime(8, 0)));
    r.patientName = QStringLiteral("PAST, PATIENT");
    f.db().insertRequest(r);
    r = f.db().sampleRequest(platform::WallClock(listed, QTime(7, 5)));
    r.patientName = QStringLiteral("LOADED, PATIENT");
    r.orRoomId = QStringLiteral("OR03");
    r.surgeon1Code = namelessAsst ? QStringLiteral("D1003") : QString();
    const qint64 transNum = f.db().insertRequest(r);
    f.db().exec(QStringLiteral("UPDATE tbORSchedule SET AsstSurgeon1 = '' WHERE TransNum = ?"),
                {transNum});
    QVERIFY(f.start());
    frmMain& w = f.window();
    const QDateTime startUpEarliest = w.dtpOperation->MinDate();
    if (pastFirst) LoadPatient(w, past, QStringLiteral("PAST, PATIENT"));
    LoadPatient(w, listed, QStringLiteral("LOADED, PATIENT"));
    QCOMPARE(w.dtpOperation->Date(), listed);
    QCOMPARE(w.dtpOperTime->Time(), QTime(7, 5));
    QCOMPARE(w.txtSurgeonID[1]->text(), r.surgeon1Code);
    w.cmdOption[1]->click();
    if (day > 0) {  // no date before the start-up day can be set
      QCOMPARE(w.dtpOperation->MinDate(), startUpEarliest);
      QVERIFY_THROWS_EXCEPTION(platform::RuntimeError,
                               w.dtpOperation->SetValue(platform::WallClock(past, QTime(0, 0))));
      QCOMPARE(w.dtpOperation->Date(), listed);
    }
    if (!room.isEmpty()) w.cboRequestRoom->SetText(room);
    w.txtProcedure->setText(QStringLiteral("CHANGED PROCEDURE"));
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});
    const QStringList arguments = SaveArguments(SavesSent(f).value(0));
    QCOMPARE(arguments.size(), 18);
    QCOMPARE(arguments[16], QString::number(transNum));
    for (const QString& argument : sent)
      QCOMPARE(arguments[argument.section(u'=', 0, 0).toInt() - 1], argument.section(u'=', 1));
    QCOMPARE(f.db().request(transNum).value(QStringLiteral("ProcedureName")).toString(),
             QStringLiteral("CHANGED PROCEDURE"));
    QCOMPARE(w.dtpOperation->MinDate(), startUpEarliest);  // restored by the save
  }

  // Another workstation changed the request (an SQLite SET clause) or confirmed or revoked it
  // ("C", "R") between Edit and Save.
  void anEditAsksBeforeSavingOverAnotherWorkstation_data() {
    QTest::addColumn<QString>("other");
    QTest::addColumn<int>("answer");  // 0: not asked
    QTest::addColumn<QString>("said");
    QTest::newRow("unchanged") << "" << 0 << "";
    QTest::newRow("the remarks as typed") << "Remarks = 'TYPED'" << 0 << "";
    QTest::newRow("room, save over")
        << "ORRoomID = 'OR04'" << +platform::vbYes << "OR Room (code): from \"OR01\" to \"OR04\".";
    QTest::newRow("time, see it") << "OperationDate = '2027-01-20 11:30:00'" << +platform::vbNo
                                  << "Schedule Date and Time: from \"01/20/2027 09:00:00\" to "
                                     "\"01/20/2027 11:30:00\".";
    QTest::newRow("moved, see it") << "OperationDate = '2027-01-21 09:00:00'" << +platform::vbNo
                                   << "moved it to 01/21/2027 since you opened it";
    QTest::newRow("confirmed, save over")
        << "C" << +platform::vbYes
        << "It was confirmed by DELA CRUZ ,ANGELICA BAUTISTA on 12/08/2026 ";
    QTest::newRow("revoked, back to the form")
        << "R" << +platform::vbCancel << "It was revoked by ";
    QTest::newRow("moved")
        << "OperationDate = '2027-01-21 09:00:00', Remarks = 'X'" << +platform::vbYes
        << "moved it to 01/21/2027 since you opened it:\r\nSchedule Date and "
           "Time: from \"01/20/2027 09:00:00\" to \"01/21/2027 09:00:00\".\r\nRemarks";
    QTest::newRow("the remarks alone") << "Remarks = 'X'" << +platform::vbYes << "Remarks: from";
    QTest::newRow("room, then revoked while asked")  // after '|': sent while the WARNING is open
        << "ORRoomID = 'OR04'|R" << +platform::vbYes << "OR Room (code): from \"OR01\"";
    QTest::newRow("revoked at this workstation") << "here" << 0 << "";
    QTest::newRow("this workstation's save of unknown fate") << "lost" << 0 << "";
    QTest::newRow("this workstation's save, its answer lost") << "lost, answered" << 0 << "";
    QTest::newRow("confirmed here, its answer lost") << "here lost" << 0 << "";
  }
  void anEditAsksBeforeSavingOverAnotherWorkstation() {
    QFETCH(QString, other);
    QFETCH(int, answer);
    QFETCH(QString, said);
    const QString meanwhile = other.section(u'|', 1);  // sent while the WARNING is open
    other = other.section(u'|', 0, 0);
    MainWindowFixture f;
    const qint64 transNum =
        f.db().insertRequest(f.db().sampleRequest(platform::WallClock(kDay, QTime(9, 0))));
    if (answer == platform::vbNo)  // another request, listed before it once it is moved
      f.db().insertRequest(f.db().sampleRequest(platform::WallClock(kDay, QTime(10, 0))));
    QVERIFY(f.start());
    frmMain& w = f.window();
    LoadPatient(w, kDay, QStringLiteral("DOE, JOHN A."));
    // Stored, but the link breaks on the commit's answer and the server cannot be asked yet.
    bool lost = false;
    if (other.contains(u"lost")) {
      f.suite().connection()->loseLinkWhen(
          [&](auto& sql) { return lost = lost || sql.contains(u"COMMIT"); }, true);
      f.suite().failWhen([&](const QString& sql) {
        return lost && other != u"lost, answered" && sql.endsWith(u", ''");
      });
    }
    if (other == u"here") w.cmdOpt[1]->click();  // revoked at this workstation
    if (other == u"here lost") w.cmdOpt[0]->click();
    w.cmdOption[1]->click();
    w.txtRemarks->setText(QStringLiteral("FIRST"));
    if (other.startsWith(u"lost")) w.cmdOption[3]->click();
    f.suite().connection()->loseLinkWhen(nullptr, false);
    f.suite().failWhen(nullptr);
    if (other == u"lost, answered") {  // looked up at once: saved, as the user is told
      QCOMPARE(f.boxes().titles().last(), QStringLiteral("SUCCESS!"));
      QCOMPARE(f.db().request(transNum).value(u"Remarks"_s).toString(), u"FIRST"_s);
      return;
    }
    f.boxes().clear();
    w.txtRemarks->setText(QStringLiteral("TYPED"));
    if (other.size() == 1)  // the other workstation's own connection to the file
      f.db().connection()->Execute(
          session::UpdateScheduleSql(session::StatusOf(other), QStringLiteral("E1003"), transNum));
    else if (other.contains(u'='))
      f.db().exec(QStringLiteral("UPDATE tbORSchedule SET %1 WHERE TransNum = ?").arg(other),
                  {transNum});
    f.boxes().onCall([&](const testsupport::MsgBoxCall&) {
      if (f.boxes().count() == 1 && !meanwhile.isEmpty())
        f.db().connection()->Execute(session::UpdateScheduleSql(session::StatusOf(meanwhile),
                                                                QStringLiteral("E1003"), transNum));
    });
    if (answer)
      f.boxes().answer({answer, meanwhile.isEmpty() ? platform::vbOK : answer, platform::vbOK});

    w.cmdOption[3]->click();
    if (answer == platform::vbNo) {  // the list shows it as it is now, where it is, selected
      QCOMPARE(
          w.mshflexPending->TextMatrix(w.mshflexPending->Row(), session::RequestColumn::kTransNum),
          QString::number(transNum));
      w.cmdOption[3]->click();
    }
    QVERIFY2(f.boxes().calls()[0].prompt.contains(said), qPrintable(f.boxes().calls()[0].prompt));
    if (!meanwhile.isEmpty()) QVERIFY(f.boxes().calls()[1].prompt.contains(u"It was revoked by"));
    QCOMPARE(f.boxes().calls()[0].style,
             answer ? platform::vbYesNoCancel | platform::vbExclamation | platform::vbDefaultButton3
                    : platform::vbInformation);
    QCOMPARE(f.boxes().titles().contains(u"WARNING!"_s), answer != 0);
    const bool saved = answer != platform::vbCancel;  // after No, a second Save asks no more
    const QVariantMap stored = f.db().request(transNum);
    QCOMPARE(stored.value(QStringLiteral("Remarks")).toString() == QStringLiteral("TYPED"), saved);
    QCOMPARE(w.txtRemarks->text(), saved ? QString() : QStringLiteral("TYPED"));  // none lost
    QCOMPARE(w.cmdOption[3]->isEnabled(), !saved);                                // editing
    QCOMPARE(stored.value(QStringLiteral("ConfirmedByCode")).toString(),
             other == u"C"           ? QStringLiteral("E1003")
             : other == u"here lost" ? hospitaldb::DemoEmployeeCode()
                                     : QString());
  }

  // A save the server refuses, or whose link drops before it is committed, or whose commit's
  // answer is lost (the link drops, it times out, the disk fails) whether or not the server
  // committed it, with the server answering again at once or only later: stored once, nothing
  // lost. Another desk may store a like request meanwhile.
  void aFailedSaveLosesNothing_data() {
    QTest::addColumn<int>("fault");  // 0 refused, 1 lost before the commit, 2 commit's answer lost
    QTest::addColumn<bool>("answering");
    QTest::addColumn<int>("seconds");  // of the operation's time
    QTest::newRow("refused") << 0 << true << 0;
    QTest::newRow("link lost before the commit") << 1 << true << 0;
    QTest::newRow("link lost after storing") << 2 << true << 0;
    QTest::newRow("link lost after storing, at 2:30:15 PM") << 2 << true << 15;
    QTest::newRow("link lost before the commit, no answer yet") << 1 << false << 0;
    QTest::newRow("link lost after storing, no answer yet") << 2 << false << 0;
    QTest::newRow("commit lost; the same stored meanwhile by another") << 3 << true << 0;
    QTest::newRow("lost after storing, Cancel, the same again") << 4 << false << 0;
    QTest::newRow("timed out after storing") << 5 << true << 0;
    QTest::newRow("commit lost; another procedure stored meanwhile by this employee")
        << 6 << true << 0;
    QTest::newRow("lost after storing, Cancel, another patient") << 7 << false << 0;
    QTest::newRow("lost after storing, changed and saved again") << 8 << false << 0;
    QTest::newRow("commit lost unsent, Cancel, another patient") << 9 << false << 0;
    QTest::newRow("the disk fails while storing") << -1 << true << 0;
  }
  void aFailedSaveLosesNothing() {
    QFETCH(int, fault);
    QFETCH(bool, answering);
    QFETCH(int, seconds);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    FillNewRequest(w);
    w.dtpOperTime->SetValue(QTime(14, 30, seconds));
    const auto isSave = [](const QString& sql) { return sql.contains(u"Save_OR_Schedule"); };
    bool lost = false;  // without an answer, every statement after the lost one fails too
    QString saved;
    f.suite().failWhen([&](const QString& sql) {
      if (isSave(sql)) saved = sql;
      if (lost && (fault == 3 || fault == 6) && sql.contains(u"sp_GetORSchedule") &&
          !saved.isEmpty())  // another desk stores the same, or one of another procedure, first
        f.db().connection()->Execute(fault == 3
                                         ? std::exchange(saved, {}).replace(u"'E1001'"_s, u"'X'"_s)
                                         : std::exchange(saved, {}).replace(u"DECTOMY"_s, u"X"_s));
      return fault ? lost && !answering && !sql.contains(u"ROLLBACK") : isSave(sql);
    });
    if (fault > 0)
      f.suite().connection()->loseLinkWhen(
          [&](const QString& sql) {
            lost = lost || (fault == 1 ? isSave(sql) : sql.contains(u"COMMIT"));
            return lost && !sql.contains(u"ROLLBACK");
          },
          !QList{1, 3, 6, 9}.contains(fault), fault == 5);
    rlimit files{};  // a file written past its limit fails as a failing disk does
    getrlimit(RLIMIT_FSIZE, &files);
    const rlimit headerOnly{32, files.rlim_max};  // the log's header, no page
    std::signal(SIGXFSZ, SIG_IGN);
    if (fault < 0) setrlimit(RLIMIT_FSIZE, &headerOnly);
    w.cmdOption[3]->click();
    setrlimit(RLIMIT_FSIZE, &files);
    f.suite().failWhen(nullptr);
    f.suite().connection()->loseLinkWhen(nullptr, false);
    QCOMPARE(f.db().countRequests(kDay),
             int(fault >= 2 && fault != 9));        // ours or the other desk's
    if ((fault == 2 || fault == 5) && answering) {  // found stored: the save succeeded
      QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});
      QCOMPARE(w.txtName->text(), QString());
      return;
    }
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY(f.boxes().last().style & platform::vbCritical);
    if (fault >= 2 && !answering)
      QCOMPARE(f.boxes().last().prompt,
               u"The link to the database broke while saving. The schedule may or may not have "
               "been stored; it is checked before your next save."_s);
    // What may have been committed is looked up; what was rolled back is not.
    if (fault >= 0) QCOMPARE(f.statements().last().contains(u"sp_GetORSchedule"), fault >= 2);
    QCOMPARE(ModeOf(w), QStringLiteral("New- Cancel+ Exit- Save+ pane- fields+white"));
    QCOMPARE(w.txtName->text(), QStringLiteral("NEW, PATIENT"));
    QCOMPARE(w.txtSurgeonID[0]->text(), QStringLiteral("D1001"));
    if (QList{4, 7, 9}.contains(fault)) {  // the user gives up the form and types again
      w.cmdOption[1]->click();
      FillNewRequest(w);
      if (fault != 4) w.txtName->setText(QStringLiteral("OTHER, PATIENT"));
    }
    if (fault == 8) w.txtProcedure->setText(QStringLiteral("CHANGED"));
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().last().title, QStringLiteral("SUCCESS!"));
    QCOMPARE(f.db().countRequests(kDay), 1 + int(fault == 3 || fault == 6 || fault == 7));
    if (fault == 8)
      QCOMPARE(f.db().request(f.db().lastTransNum()).value(u"ProcedureName"_s).toString(),
               u"CHANGED"_s);
    const auto calls = f.boxes().calls();
    QCOMPARE(std::any_of(calls.begin(), calls.end(),
                         [](auto& call) { return call.prompt.endsWith(u"was not stored."); }),
             fault == 9);  // told once it is known, where the form no longer holds it
  }
};

QTEST_MAIN(TestEntryForm)
#include "test_entry_form.moc"
