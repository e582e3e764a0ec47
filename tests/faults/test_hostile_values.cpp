// What the database hands back, as the client must survive it, through the real windows: nulls
// in every column the client reads (served by the test's connection where the embedded schema
// keeps them out), a date with more requests than the list holds, dates at and beyond the ends
// of the server's calendar, and a date typed into the list's picker digit by digit.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "board/frmView.h"
#include "platform/WallClock.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/TextBox.h"
#include "session/ORSchedule.h"
#include "support/MainWindowFixture.h"
#include "support/MemoryRecordset.h"
#include "support/StaffPicks.h"

using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;
using C = session::RequestColumn;

namespace {

const QDate kToday = DatabaseFixture::DefaultNow().date();  // 12/8/2026, 10:00 AM
const QString kPatient = QStringLiteral("NULLS, SERVED");
const QColor kPending(192, 192, 255);
const QString kRefusedDate =
    QStringLiteral("Conversion failed when converting date and/or time from character string.");

qint64 AddRequest(MainWindowFixture& f, const QDateTime& when, const QString& patient,
                  const QString& room = QStringLiteral("OR01")) {
  hospitaldb::ScheduleRecord r = f.db().sampleRequest(when);
  r.patientName = patient;
  r.orRoomId = room;
  return f.db().insertRequest(r);
}

int RowOf(const platform::FlexGrid& grid, const QString& patient) {
  return int(testsupport::ColumnTexts(grid, C::kPatientName).indexOf(patient)) + 1;
}

// A click on a row, or a double click, as the mouse delivers them.
void ClickRow(platform::FlexGrid& grid, int row, bool twice = false) {
  const QModelIndex cell = grid.model()->index(row - 1, C::kPatientName);
  grid.scrollTo(cell);
  const QPoint at = grid.visualRect(cell).center();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
  if (!twice) return;
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
}

// Every statement holding `statement` returns its rows with `values` in their fields, or with
// every field null.
void Serve(MainWindowFixture& f, const QString& statement, const QVariantMap& values = {}) {
  f.suite().serveWith(
      [=](const QString& sql,
          std::unique_ptr<platform::Recordset> rows) -> std::unique_ptr<platform::Recordset> {
        if (!sql.contains(statement)) return rows;
        if (values.isEmpty()) return testsupport::WithNulls(*rows);
        return testsupport::WithValues(*rows, values);
      });
}

QVariantMap Nulls(const QStringList& fields) {
  QVariantMap nulls;
  for (const QString& field : fields)
    nulls.insert(field, QVariant());
  return nulls;
}

// New, with a whole request picked as the form holds it after the pickers.
void TypeNewRequest(frmMain& w) {
  testsupport::TypeNewRequest(w, QStringLiteral("TYPED, REQUEST"));
}

QString StatusOf(MainWindowFixture& f, qint64 transNum) {
  return f.db().request(transNum).value(QStringLiteral("Status")).toString();
}

const QString kIncomplete = QStringLiteral("Can't save incomplete data! Please provide %1.");

// One lookup with nulls: what is arranged, then what the user does and sees.
struct LookupCase {
  const char* name;
  std::function<void(MainWindowFixture&)> arrange;
  std::function<void(MainWindowFixture&)> act;
};

const std::vector<LookupCase>& LookupCases() {
  static const std::vector<LookupCase> cases = {
      {"a room without a name",
       [](MainWindowFixture& f) {
         f.db().exec(QStringLiteral("INSERT INTO tbOrRoom VALUES ('ORN', NULL)"));
         AddRequest(f, platform::WallClock(kToday, QTime(23, 0)), kPatient, QStringLiteral("ORN"));
       },
       [](MainWindowFixture& f) {
         frmMain& w = f.window();
         QVERIFY(w.cboRequestRoom->findText(QString()) < 0);  // not offered as a blank room
         ClickRow(*w.mshflexPending, RowOf(*w.mshflexPending, kPatient), true);
         QCOMPARE(w.txtName->text(), kPatient);
         QCOMPARE(w.cboRequestRoom->Text(), QString());
       }},
      {"a room found without its code",
       [](MainWindowFixture& f) { Serve(f, QStringLiteral("sp_Get_ORRoom")); },
       [](MainWindowFixture& f) {
         TypeNewRequest(f.window());
         f.window().cmdOption[3]->click();
         QCOMPARE(f.boxes().prompts(), QStringList{kIncomplete.arg(u"OR Room for operation")});
         QVERIFY(f.statements().filter(QStringLiteral("Save_OR_Schedule")).isEmpty());
       }},
      {"OR staff without names or code",
       [](MainWindowFixture& f) {
         f.db().exec(
             QStringLiteral("INSERT INTO tbpasswordmain VALUES ('EN', NULL, NULL, NULL,"
                            " '29'), (NULL, 'NOCODE', 'ANN', NULL, '29')"));
       },
       [](MainWindowFixture& f) {
         frmMain& w = f.window();
         TypeNewRequest(w);
         testsupport::PickNurse(w.txtCNurse, QStringLiteral("EN"));
         QCOMPARE(w.txtCNurse->text(), QStringLiteral(" , "));
         QCOMPARE(w.txtCNurseID->text(), QStringLiteral("EN"));
         testsupport::PickNurse(w.txtSNurse[0], QStringLiteral("NOC"));
         QCOMPARE(w.txtSNurse[0]->text(), QStringLiteral("NOCODE ,ANN "));
         QCOMPARE(w.txtSNurseID[0]->text(), QString());
         w.cmdOption[3]->click();  // a nurse without a code is no one the request can name
         QCOMPARE(f.boxes().prompts(), QStringList{kIncomplete.arg(u"scrub nurse")});
       }},
      {"doctors with every field null",
       [](MainWindowFixture& f) { Serve(f, QStringLiteral("tbDoctor")); },
       [](MainWindowFixture& f) {
         frmMain& w = f.window();
         TypeNewRequest(w);
         testsupport::PickDoctor(w.txtSurgeon[0], QStringLiteral("D1001"));
         QCOMPARE(w.txtSurgeon[0]->text(), QStringLiteral(" ,"));
         QCOMPARE(w.txtSurgeonID[0]->text(), QString());
         w.cmdOption[3]->click();
         QCOMPARE(f.boxes().prompts(), QStringList{kIncomplete.arg(u"surgeon")});
       }},
      {"the server's clock null", [](MainWindowFixture&) {},
       [](MainWindowFixture& f) {
         Serve(f, QStringLiteral("getdate"));
         frmMain& w = f.window();
         w.cmdOption[0]->click();
         QCOMPARE(f.boxes().count(), 1);
         QCOMPARE(f.boxes().last().style, int(platform::vbCritical));
         QVERIFY(w.cmdOption[0]->isEnabled() && !w.txtName->isEnabled());  // still idle
       }},
      {"the board's every column null",
       [](MainWindowFixture& f) {
         hospitaldb::ScheduleRecord r =
             f.db().sampleRequest(platform::WallClock(kToday, QTime(23, 0)));
         r.status = QStringLiteral("C");
         f.db().insertRequest(r);
         Serve(f, QStringLiteral("sp_List_Of_Confirmed"));
       },
       [](MainWindowFixture& f) {
         int rows = 0;
         bool noticed = true;
         testsupport::OnNextModal([&](QWidget* modal) {
           auto* board = qobject_cast<frmView*>(modal);
           rows = board->mshflxView->Rows();
           noticed = board->listingNotice().isVisible();
           QTest::keyClick(modal, Qt::Key_Escape);
         });
         f.window().cmdView->click();
         QVERIFY(rows > 1);
         QVERIFY(!noticed);
       }},
  };
  return cases;
}

}  // namespace

class TestHostileValues : public QObject {
  Q_OBJECT

 private slots:
  // The listing with nulls where SQL Server's procedure could send them. The list shows the
  // rows; a request whose date is null is not loaded, confirmed or acted on by number.
  void nullsInTheListing_data() {
    QTest::addColumn<QVariantMap>("served");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("confirmSays");  // the start of the first message; empty: none
    QTest::addColumn<bool>("revokes");
    const QString asks = QStringLiteral("You are about to confirm schedule for patient: ");
    const QString unreadable =
        QStringLiteral("Can't confirm this schedule: its date and time cannot be read.");
    QTest::newRow("every column null")
        << Nulls(hospitaldb::ScheduleListingFields()) << false << QString() << false;
    QTest::newRow("date and status null")
        << Nulls({QStringLiteral("OperationDate"), QStringLiteral("Status")}) << false << unreadable
        << true;
    QTest::newRow("a date with more digits than any date")
        << QVariantMap{{QStringLiteral("OperationDate"), QStringLiteral("99999999999/1/2026 9:00")}}
        << false << unreadable << true;
    QTest::newRow("names, rooms, procedure and remarks null")
        << Nulls({QStringLiteral("Surgeon"), QStringLiteral("Anesthesiologist"),
                  QStringLiteral("CNurse"), QStringLiteral("SNurse"), QStringLiteral("SNurse2"),
                  QStringLiteral("AsstSurgeon1"), QStringLiteral("AsstSurgeon2"),
                  QStringLiteral("AsstAnesthesiologist"), QStringLiteral("AsstDoctor"),
                  QStringLiteral("ORRoomID"), QStringLiteral("RoomNo"),
                  QStringLiteral("ProcedureName"), QStringLiteral("Remarks"),
                  QStringLiteral("EncodedBy")})
        << true << asks << true;
    QTest::newRow("confirmed, by no one known, at no time")
        << QVariantMap{{QStringLiteral("Status"), QStringLiteral("C")},
                       {QStringLiteral("ConfirmedBy"), QVariant()},
                       {QStringLiteral("DateConfirmed"), QVariant()}}
        << true << QStringLiteral("This schedule was already confirmed by ") << true;
  }
  void nullsInTheListing() {
    QFETCH(QVariantMap, served);
    QFETCH(bool, loads);
    QFETCH(QString, confirmSays);
    QFETCH(bool, revokes);
    MainWindowFixture f;
    const qint64 transNum = AddRequest(f, platform::WallClock(kToday, QTime(23, 45)), kPatient);
    Serve(f, QStringLiteral("sp_GetORSchedule"), served);
    QVERIFY(f.start());
    frmMain& w = f.window();
    platform::FlexGrid& grid = *w.mshflexPending;
    const bool nameless = served.contains(QStringLiteral("PatientName"));
    auto row = [&] { return nameless ? 1 : RowOf(grid, kPatient); };
    QVERIFY(grid.isEnabled() && row() > 0);
    const bool confirmed = served.value(QStringLiteral("Status")) == QStringLiteral("C");
    QCOMPARE(grid.CellBackColor(row(), C::kPatientName),
             confirmed ? QColor(255, 255, 192) : kPending);

    ClickRow(grid, row(), true);
    QCOMPARE(w.txtName->text(), loads ? kPatient : QString());
    if (loads) {
      QCOMPARE(w.txtSurgeonID[0]->text(), QStringLiteral("D1001"));
      QCOMPARE(w.txtSurgeon[0]->text().isEmpty(), served.contains(QStringLiteral("Surgeon")));
      QCOMPARE(w.cboRequestRoom->Text().isEmpty(), served.contains(QStringLiteral("ORRoomID")));
    }
    QCOMPARE(f.boxes().count(), 0);

    ClickRow(grid, row());
    w.cmdOpt[0]->click();  // a question is answered Yes
    QVERIFY2(f.boxes().prompts().value(0).startsWith(confirmSays),
             qPrintable(f.boxes().last().prompt));
    QCOMPARE(f.boxes().count() > 0, !confirmSays.isEmpty());
    QCOMPARE(StatusOf(f, transNum),
             confirmSays.startsWith(u"You") ? QStringLiteral("C") : QStringLiteral("P"));

    f.boxes().clear();
    ClickRow(grid, row());
    w.cmdOpt[1]->click();
    QCOMPARE(StatusOf(f, transNum) == u"R", revokes);
    QCOMPARE(f.boxes().count(), revokes ? 2 : 0);  // the question and the success
    QVERIFY(w.isVisible() && w.cmdOption[0]->isEnabled());
  }

  void nullsInTheLookups_data() {
    QTest::addColumn<int>("lookup");
    for (int i = 0; i < int(LookupCases().size()); ++i)
      QTest::newRow(LookupCases()[i].name) << i;
  }
  void nullsInTheLookups() {
    QFETCH(int, lookup);
    MainWindowFixture f;
    LookupCases()[lookup].arrange(f);
    QVERIFY(f.start());
    f.boxes().clear();
    LookupCases()[lookup].act(f);
    QVERIFY(f.window().isVisible());
  }

  // More requests than the list holds, on a date picked or on the date the program opens on:
  // one notice and an empty list, never a part of the date or the rows of another; the program
  // goes on. As many as it holds are all listed.
  void aDateWithMoreRequestsThanTheListHolds_data() {
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("atStartUp");
    QTest::newRow("picked") << platform::FlexGrid::kMaxRows << false;
    QTest::newRow("at start-up") << platform::FlexGrid::kMaxRows << true;
    QTest::newRow("as many as it holds") << platform::FlexGrid::kMaxRows - 1 << false;
  }
  void aDateWithMoreRequestsThanTheListHolds() {
    QFETCH(int, requests);
    QFETCH(bool, atStartUp);
    const QDate crowded = atStartUp ? kToday : kToday.addDays(1);
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    f.db().server().AddRequests(crowded, requests);
    AddRequest(f, platform::WallClock(kToday.addDays(2), QTime(9, 0)), kPatient);
    QVERIFY(f.start());
    frmMain& w = f.window();
    if (!atStartUp) w.DTPicker1->setDate(crowded);
    platform::FlexGrid& grid = *w.mshflexPending;
    if (requests < platform::FlexGrid::kMaxRows) {
      QCOMPARE(f.boxes().count(), 0);
      QCOMPARE(grid.Rows(), requests + 1);
      return;
    }
    const QString said = QStringLiteral(
        "There are more requests on %1 than the list can show (at most 32,766). Nothing is "
        "listed for that date.");
    QCOMPARE(f.boxes().prompts(), QStringList{said.arg(atStartUp ? QStringLiteral("12/08/2026")
                                                                 : QStringLiteral("12/9/2026"))});
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(1, C::kPatientName), QString());
    QVERIFY(!grid.isEnabled() && !w.cmdOpt[0]->isEnabled());
    w.DTPicker1->setDate(kToday.addDays(2));  // another date lists as ever
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(1, C::kPatientName), kPatient);
  }

  // The list's date at the ends of what the picker holds and of the server's calendar: the
  // server's refusal is one message and an empty list; its first and last days list their
  // requests, the last day too, whose next day lies beyond the calendar.
  void datesFarInThePastOrFuture_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("listed");
    QTest::newRow("the picker's first day") << QDate(100, 1, 1) << false;
    QTest::newRow("the day before the server's calendar") << QDate(1752, 12, 31) << false;
    QTest::newRow("the server's first day") << QDate(1753, 1, 1) << true;
    QTest::newRow("the last day") << QDate(9999, 12, 31) << true;
  }
  void datesFarInThePastOrFuture() {
    QFETCH(QDate, date);
    QFETCH(bool, listed);
    MainWindowFixture f;
    if (listed) AddRequest(f, platform::WallClock(date, QTime(23, 59)), kPatient);
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.DTPicker1->setDate(date);
    platform::FlexGrid& grid = *w.mshflexPending;
    QCOMPARE(f.boxes().prompts(), listed ? QStringList{} : QStringList{kRefusedDate});
    QCOMPARE(grid.isEnabled(), listed);
    QCOMPARE(grid.TextMatrix(1, C::kPatientName), listed ? kPatient : QString());
    if (listed) {
      ClickRow(grid, 1, true);
      QCOMPARE(w.dtpOperation->Date(), date);
    }
    w.DTPicker1->setDate(kToday);
    QVERIFY(grid.isEnabled());
  }

  // Dates typed into "Search by date:": one that is none lists nothing (never a date between),
  // a refused one is reported once and the typing goes on to the date meant.
  void aDateTypedDigitByDigit() {
    MainWindowFixture f;
    AddRequest(f, platform::WallClock(QDate(2027, 1, 5), QTime(8, 0)), kPatient);
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    platform::DTPicker& picker = *w.DTPicker1;
    picker.setFocus();
    f.suite().connection()->clearStatements();
    for (const char* typed : {"02/30/2027", "01/05/1752", "01/05/2027"}) {
      QTest::keyClick(&picker, Qt::Key_Home);
      QTest::keyClicks(&picker, QString::fromLatin1(typed));
    }
    // Each date's durations first; the server refuses the date there already.
    QCOMPARE(f.statements(),
             (QStringList{QStringLiteral("SCHEDULE..sp_GetORScheduleDurations '1/5/1752'"),
                          QStringLiteral("SCHEDULE..sp_GetORScheduleDurations '1/5/2027'"),
                          QStringLiteral("SCHEDULE..sp_GetORSchedule '1/5/2027'")}));
    QCOMPARE(f.boxes().prompts(), QStringList{kRefusedDate});
    QCOMPARE(w.mshflexPending->TextMatrix(1, C::kPatientName), kPatient);
    QVERIFY(w.mshflexPending->isEnabled());
  }
};

QTEST_MAIN(TestHostileValues)
#include "test_hostile_values.moc"
