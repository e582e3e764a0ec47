#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "platform/Twips.h"
#include "platform/WallClock.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/Fonts.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/PaneState.h"
#include "requests/RequestList.h"
#include "requests/frmFind.h"
#include "session/ORSchedule.h"
#include "session/modGlobal.h"
#include "support/MainWindowFixture.h"
#include "support/ModalWatchdog.h"

using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;

namespace {

const QDate kToday = DatabaseFixture::DefaultNow().date();  // 12/8/2026

// A request on `day` at `hour`:00 with the given patient, procedure and status.
qint64 AddRequest(MainWindowFixture& f, const QDate& day, int hour, const QString& patient,
                  const QString& procedure = QStringLiteral("APPENDECTOMY"),
                  const QString& status = QStringLiteral("P")) {
  hospitaldb::ScheduleRecord record =
      f.db().sampleRequest(platform::WallClock(day, QTime(hour, 0)));
  record.patientName = patient;
  record.procedureName = procedure;
  record.status = status;
  return f.db().insertRequest(record);
}

// The grid row listing this patient; 0 when none.
int RowOf(platform::FlexGrid& grid, const QString& patient) {
  for (int r = 1; r < grid.Rows(); ++r)
    if (grid.TextMatrix(r, session::RequestColumn::kPatientName) == patient) return r;
  return 0;
}

// What a user's change of the list's date does.
void PickListDate(frmMain& w, const QDate& day) {
  w.DTPicker1->setDate(day);
}

void ClickBelowTheRows(platform::FlexGrid& grid) {
  QWidget* viewport = grid.viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() - 4));
}

}  // namespace

class TestRequestList : public QObject {
  Q_OBJECT

 private slots:
  void rowsTakeTheirStatusColour_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("first");  // the patient of the day's first request
    const QString anna = QStringLiteral("FIRST, ANNA");
    QTest::newRow("confirmed") << "C" << QColor(255, 255, 192) << anna;
    QTest::newRow("revoked") << "R" << QColor(255, 192, 192) << anna;
    QTest::newRow("revoked with blanks") << " R " << QColor(255, 192, 192) << anna;
    QTest::newRow("lower-case c is pending") << "c" << QColor(192, 192, 255) << anna;
    QTest::newRow("unknown letter is pending") << "X" << QColor(192, 192, 255) << anna;
    QTest::newRow("empty is pending") << "" << QColor(192, 192, 255) << anna;
    QTest::newRow("after a request without a patient") << "C" << QColor(255, 255, 192) << "";
  }
  void rowsTakeTheirStatusColour() {
    QFETCH(QString, status);
    QFETCH(QColor, colour);
    QFETCH(QString, first);
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    AddRequest(f, kToday, 9, first);
    AddRequest(f, kToday, 11, QStringLiteral("SECOND, BEN"), QStringLiteral("HERNIORRHAPHY"),
               status);
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    const int row = RowOf(grid, QStringLiteral("SECOND, BEN"));
    QVERIFY(row > 0);
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    for (int c = 1; c < grid.Cols(); ++c) {
      QCOMPARE(grid.CellBackColor(row, c), colour);
      QCOMPARE(grid.CellForeColor(row, c), text);
    }
    QCOMPARE(grid.CellBackColor(RowOf(grid, first), 1), QColor(192, 192, 255));
  }

  void rowHeightFollowsTheProcedureLength() {
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    const int lengths[] = {25, 26, 39, 40, 60};
    const int heights[] = {250, 500, 500, 1000, 1000};
    for (int i = 0; i < 5; ++i)
      AddRequest(f, kToday, 8 + i, QStringLiteral("PATIENT %1").arg(i),
                 QString(lengths[i], QLatin1Char('X')));
    const QString wrapped = QStringLiteral("DELA CRUZ-VILLANUEVA, MARIA ANGELICA THERESA");
    AddRequest(f, kToday, 14, wrapped);
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    for (int i = 0; i < 5; ++i) {
      const int row = RowOf(grid, QStringLiteral("PATIENT %1").arg(i));
      QCOMPARE(grid.RowHeight(row), heights[i]);
      QCOMPARE(grid.rowHeight(row - 1), platform::TwipsToPixels(heights[i]));
    }
    QVERIFY(grid.WordWrap());
    // A wrapped name gets the height it needs, whatever the procedure asks.
    QVERIFY(grid.RowHeight(RowOf(grid, wrapped)) > 250);
    for (int row = 1; row < grid.Rows(); ++row)
      for (int col = 1; col < grid.Cols(); ++col)
        QVERIFY(!grid.CellTextCut(row, col));
  }

  void aDateWithoutRequestsEmptiesAndDisablesTheList() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    QVERIFY(w.mshflexPending->Rows() > 2);
    const QDate empty = kToday.addDays(40);
    PickListDate(w, empty);
    // After a user's change the date goes as the platform's default short-date text.
    QCOMPARE(f.statements().last(), QStringLiteral("SCHEDULE..sp_GetORSchedule '1/17/2027'"));
    QCOMPARE(w.mshflexPending->Rows(), 2);
    QVERIFY(!w.mshflexPending->isEnabled());
    for (int c = 0; c < w.mshflexPending->Cols(); ++c)
      QVERIFY(w.mshflexPending->TextMatrix(1, c).isEmpty());
    // The header still names the columns.
    QCOMPARE(w.mshflexPending->TextMatrix(0, 1), QStringLiteral("PatientName"));
    // A disabled list takes no click: Confirm and Revoke stay as they were.
    ClickBelowTheRows(*w.mshflexPending);
    QVERIFY(!w.cmdOpt[0]->isEnabled());
    PickListDate(w, kToday);
    QVERIFY(w.mshflexPending->isEnabled());
    QCOMPARE(w.mshflexPending->Rows(), f.db().countRequests(kToday) + 1);
  }

  void aLoneRequestWithoutAPatientNameCountsAsNone() {
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    AddRequest(f, kToday, 9, QString(), QStringLiteral("TONSILLECTOMY"), QStringLiteral("C"));
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(1, session::RequestColumn::kProcedure),
             QStringLiteral("TONSILLECTOMY"));
    QVERIFY(!grid.isEnabled());
    QVERIFY(grid.CellBackColor(1, 1) != QColor(255, 255, 192));  // not coloured
  }

  void theLayoutOfTheColumns() {
    MainWindowFixture f;
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    QCOMPARE(grid.Cols(), 32);
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("PatientName"));
    QCOMPARE(grid.TextMatrix(0, 27), QStringLiteral("Status"));
    const int widths[] = {1, 2500, 3000, 1000, 0, 0, 2300, 0, 2000, 2300, 0, 0,    0, 0,
                          0, 0,    0,    0,    0, 0, 0,    0, 0,    0,    0, 1800, 0};
    for (int c = 1; c < 27; ++c)
      QCOMPARE(grid.ColWidth(c), widths[c]);
    // The selector column is a twip wide, unless it shows clash marks (the demo day has some).
    QCOMPARE(grid.ColWidth(0), 270);
    for (int c = 27; c < 32; ++c) {
      QCOMPARE(grid.ColWidth(c), platform::FlexGrid::kDefaultColWidth);
      QVERIFY(!grid.isColumnHidden(c));
    }
    QVERIFY(grid.isColumnHidden(4) && grid.isColumnHidden(11) && !grid.isColumnHidden(25));
    // Dates are shown in the default date-and-time text.
    const int row = 1;
    QVERIFY(grid.TextMatrix(row, session::RequestColumn::kOperationDate)
                .startsWith(QStringLiteral("12/8/2026 ")));
    // A font wider than the design's widens the dates' columns to their widest values.
    grid.setFont(platform::DesignFont(QStringLiteral("Tahoma"), 14));
    for (int r = 1; r < grid.Rows(); ++r)
      for (int c : {9, 29})
        QVERIFY(grid.columnWidth(c) > grid.fontMetrics().horizontalAdvance(grid.TextMatrix(r, c)));
    QCOMPARE(grid.ColWidth(9), 2300);
    PickListDate(f.window(), kToday.addDays(1));
    QCOMPARE(grid.ColWidth(0), 1);
  }

  // The named columns are the listing's, checked on a list that takes its connection from the
  // test rather than from a started main window.
  void theColumnMapNamesTheListedFields() {
    DatabaseFixture db(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Demo);
    hospitaldb::ScheduleRecord stored = db.sampleRequest(platform::WallClock(kToday, QTime(9, 30)));
    stored.patientName = QStringLiteral("MAP, COLUMN");
    stored.remarks = QStringLiteral("BRING X-RAYS");
    stored.status = QStringLiteral(" R ");
    const qint64 transNum = db.insertRequest(stored);

    platform::FlexGrid grid;
    platform::DTPicker picker(platform::DTPicker::Mode::Date);
    QPushButton buttons[6];
    QWidget pane;
    requests::PaneState state({&buttons[0], &buttons[1], &buttons[2], &buttons[3]}, &pane,
                              {&buttons[4], &buttons[5]});
    requests::RequestList list(grid, picker, state, [&] { return db.connection(); });
    list.Format_Grid();
    list.Load_ORSchedule(QStringLiteral("12/08/2026"));

    using C = session::RequestColumn;
    const std::pair<C::Column, const char*> names[] = {
        {C::kPatientName, "PatientName"},
        {C::kProcedure, "ProcedureName"},
        {C::kPatientRoom, "RoomNo"},
        {C::kORRoomCode, "ORRoomID"},
        {C::kSurgeonCode, "SurgeonCode"},
        {C::kSurgeon, "Surgeon"},
        {C::kAnesCode, "AnesCode"},
        {C::kAnesthesiologist, "Anesthesiologist"},
        {C::kOperationDate, "OperationDate"},
        {C::kRemarks, "Remarks"},
        {C::kTransNum, "TransNum"},
        {C::kCNurseCode, "CNurseCode"},
        {C::kCNurse, "CNurse"},
        {C::kSNurseCode, "SNurseCode"},
        {C::kSNurse, "SNurse"},
        {C::kSNurse2Code, "SNurse2Code"},
        {C::kSNurse2, "SNurse2"},
        {C::kSurgeon1Code, "Surgeon1Code"},
        {C::kSurgeon1, "AsstSurgeon1"},
        {C::kSurgeon2Code, "Surgeon2Code"},
        {C::kSurgeon2, "AsstSurgeon2"},
        {C::kAnes2Code, "Anes2Code"},
        {C::kAnes2, "AsstAnesthesiologist"},
        {C::kAsstDocCode, "AsstDocCode"},
        {C::kAsstDoc, "AsstDoctor"},
        {C::kSavedBy, "EncodedBy"},
        {C::kStatus, "Status"},
        {C::kConfirmedBy, "ConfirmedBy"},
        {C::kDateConfirmed, "DateConfirmed"},
        {C::kRevokedBy, "RevokedBy"},
        {C::kDateRevoked, "DateRevoked"},
    };
    QCOMPARE(int(std::size(names)), C::kCount);
    QCOMPARE(grid.Cols(), C::kLast + 1);
    for (const auto& [column, name] : names)
      QCOMPARE(grid.TextMatrix(0, column), QString::fromLatin1(name));

    // The request as the list carries it, read through the map.
    const int row = RowOf(grid, stored.patientName);
    QVERIFY(row > 0);
    const session::ORSchedule listed = list.Listing().At(row - 1);
    const QVariantMap record = db.request(transNum);
    const auto field = [&](C::Column column) {
      const auto named = std::find_if(std::begin(names), std::end(names),
                                      [&](const auto& name) { return name.first == column; });
      return record.value(QString::fromLatin1(named->second)).toString();
    };
    const std::pair<QString, C::Column> texts[] = {
        {listed.patientName, C::kPatientName}, {listed.procedure, C::kProcedure},
        {listed.patientRoom, C::kPatientRoom}, {listed.orRoomCode, C::kORRoomCode},
        {listed.remarks, C::kRemarks},         {listed.savedBy, C::kSavedBy},
        {listed.confirmedBy, C::kConfirmedBy}, {listed.revokedBy, C::kRevokedBy}};
    for (const auto& [text, column] : texts)
      QCOMPARE(text, field(column));
    for (int role = 0; role < session::kStaffRoles; ++role) {
      const auto columns = session::ColumnsOf(session::StaffRole(role));
      QCOMPARE(listed.staff[role].code, field(columns.code));
      QCOMPARE(listed.staff[role].name, field(columns.name));
    }
    QCOMPARE(listed.transNum, transNum);
    QCOMPARE(listed.operationAt, platform::WallClock(kToday, QTime(9, 30)));
    QCOMPARE(listed.status, session::RequestStatus::Revoked);
  }

  // The demo day books an operation into the next one's room at 6:00, two operations in one room
  // at 7:00 and one surgeon twice at 10:45: those rows carry the sign, with each clash in words,
  // and keep their status colours.
  void doubleBookingsAreMarkedBesideTheirRows() {
    MainWindowFixture f;
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    using C = session::RequestColumn;
    QList<int> marked;
    for (int r = 1; r < grid.Rows(); ++r)
      if (grid.RowMarked(r)) marked << r;
    QCOMPARE(marked.size(), 6);
    const auto patient = [&](int r) { return grid.TextMatrix(r, C::kPatientName); };
    const auto start = [&](int r) { return grid.TextMatrix(r, C::kOperationDate); };
    // Each row's clash with its partner: the 6:00 operation runs into the 6:30 one in its room.
    const struct {
      const char *start, *said;
      C::Column named;
    } expected[] = {
        {"6:00", "%1 from 6:00 AM to 7:00 AM overlaps %2 from 6:30 AM to 7:00 AM", C::kORRoomCode},
        {"6:30", "%1 from 6:30 AM to 7:00 AM overlaps %2 from 6:00 AM to 7:00 AM", C::kORRoomCode},
        {"7:00", "%1 from 7:00 AM to 7:30 AM overlaps %2 from 7:00 AM to 7:30 AM", C::kORRoomCode},
        {"7:00", "%1 from 7:00 AM to 7:30 AM overlaps %2 from 7:00 AM to 7:30 AM", C::kORRoomCode},
        {"10:45", "%1 (surgeon) from 10:45 AM to 12:45 PM is also on %2 from 10:45 AM to 11:30 AM",
         C::kSurgeon},
        {"10:45", "%1 (surgeon) from 10:45 AM to 11:30 AM is also on %2 from 10:45 AM to 12:45 PM",
         C::kSurgeon}};
    for (int i = 0; i < 6; ++i) {
      const int row = marked[i], partner = marked[i ^ 1];
      QCOMPARE(start(row),
               QStringLiteral("12/8/2026 %1:00 AM").arg(QLatin1String(expected[i].start)));
      QCOMPARE(grid.RowMarkText(row),
               QString::fromLatin1(expected[i].said)
                   .arg(grid.TextMatrix(row, expected[i].named).trimmed(), patient(partner)));
    }
    const QList<int> quarterTo = {marked[4], marked[5]};
    const QList<int> seven = {marked[2], marked[3]};
    const QModelIndex selector = grid.model()->index(quarterTo[0] - 1, 0);
    QCOMPARE(selector.data(Qt::AccessibleDescriptionRole).toString(),
             grid.RowMarkText(quarterTo[0]));
    QCOMPARE(selector.data(Qt::ToolTipRole).toString(), grid.RowMarkText(quarterTo[0]));
    QCOMPARE(grid.CellBackColor(seven[0], 1), QColor(255, 255, 192));  // still confirmed yellow
  }

  void confirmAndRevokeFollowTheListedDate_data() {
    QTest::addColumn<QDate>("listed");
    QTest::addColumn<bool>("usable");
    QTest::newRow("yesterday") << kToday.addDays(-1) << false;
    QTest::newRow("today") << kToday << true;
    QTest::newRow("tomorrow") << kToday.addDays(1) << true;
    QTest::newRow("January of next year") << QDate(2027, 1, 15) << true;
  }
  void confirmAndRevokeFollowTheListedDate() {
    QFETCH(QDate, listed);
    QFETCH(bool, usable);
    MainWindowFixture f;
    AddRequest(f, listed, 9, QStringLiteral("LISTED, PATIENT"));
    QVERIFY(f.start());
    frmMain& w = f.window();
    PickListDate(w, listed);
    QVERIFY(w.mshflexPending->isEnabled());
    // A click on a row decides, and so does one below the last row.
    const QRect first = w.mshflexPending->visualRect(w.mshflexPending->model()->index(0, 1));
    QTest::mouseClick(w.mshflexPending->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(w.cmdOpt[0]->isEnabled(), usable);
    QCOMPARE(w.cmdOpt[1]->isEnabled(), usable);
    w.cmdOpt[0]->setEnabled(!usable);
    w.cmdOpt[1]->setEnabled(!usable);
    ClickBelowTheRows(*w.mshflexPending);
    QCOMPARE(w.cmdOpt[0]->isEnabled(), usable);
    QCOMPARE(w.cmdOpt[1]->isEnabled(), usable);
    // So does one on the header row, which Qt delivers to the header's viewport.
    w.cmdOpt[0]->setEnabled(!usable);
    QTest::mouseClick(w.mshflexPending->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(30, 5));
    QCOMPARE(w.cmdOpt[0]->isEnabled(), usable);
    // And an arrow key, also one that stays on the row (the listed date's last).
    w.cmdOpt[0]->setEnabled(!usable);
    QTest::keyClick(w.mshflexPending, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w.mshflexPending, Qt::Key_Down);
    QCOMPARE(w.cmdOpt[0]->isEnabled(), usable);
    // Shift+Tab and Tab leave the list for the control before it and the one after it.
    w.mshflexPending->setFocus();
    QTest::keyClick(w.mshflexPending, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w.focusWidget(), usable ? w.cmdOpt[1] : w.cmdView);
    w.mshflexPending->setFocus();
    QTest::keyClick(w.mshflexPending, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.DTPicker1);
  }

  void theRuleUsesTheClockAsLastRead() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    // The server passes midnight, but the clock is not read again: today is still "today".
    f.db().server().SetNow(platform::WallClock(kToday.addDays(1), QTime(0, 5)));
    ClickBelowTheRows(*w.mshflexPending);
    QVERIFY(w.cmdOpt[0]->isEnabled());
    QCOMPARE(f.statements().count(QStringLiteral("select getdate() as TDate")), 1);
  }

  void aFailedReloadIsReportedAndLeavesNoStaleRows_data() {
    QTest::addColumn<bool>("oneRequestOnly");
    QTest::newRow("many requests listed") << false;
    QTest::newRow("one request listed") << true;
  }
  void aFailedReloadIsReportedAndLeavesNoStaleRows() {
    QFETCH(bool, oneRequestOnly);
    MainWindowFixture f(DatabaseFixture::DefaultNow(), oneRequestOnly
                                                           ? DatabaseFixture::Seed::Empty
                                                           : DatabaseFixture::Seed::Demo);
    if (oneRequestOnly) AddRequest(f, kToday, 9, QStringLiteral("ONLY, ONE"));
    QVERIFY(f.start());
    frmMain& w = f.window();
    f.suite().failWhen(
        [](const QString& sql) { return sql.contains(QLatin1String("sp_GetORSchedule")); });
    PickListDate(w, kToday.addDays(1));
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY(f.boxes().last().style & platform::vbCritical);
    QCOMPARE(w.mshflexPending->Rows(), 2);
    QCOMPARE(w.mshflexPending->TextMatrix(1, session::RequestColumn::kPatientName), QString());
    QVERIFY(!w.mshflexPending->isEnabled());
    QVERIFY(w.isVisible());
    f.suite().failWhen(nullptr);
    PickListDate(w, kToday);
    QCOMPARE(w.mshflexPending->Rows(), f.db().countRequests(kToday) + 1);
    QVERIFY(w.mshflexPending->isEnabled());
  }

  // "#" finds the request on the tenth day by its number. Enter lists the first request found
  // on the date it lies on now and selects it, as a click on its row would; Esc closes a window
  // that lists none. Another desk may move or remove it while the window is open ('?' is its
  // number).
  void findListsAPatientsRequestsAcrossDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");  // the first three, newest first
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("day");  // of the first, from today
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("a name's beginning")
        << "ro"
        << "ROWE, BEN|ROWAN, ANA|ROWAN, ANA" << 3 << 10 << "3 requests found." << QString();
    QTest::newRow("a transaction number")
        << "#"
        << "ROWE, BEN" << 1 << 10 << "1 request found." << QString();
    QTest::newRow("wildcards are letters")
        << "O_"
        << "O_NEIL, EVA" << 1 << 0 << "1 request found." << QString();
    QTest::newRow("one letter")
        << "R"
        << "" << 0 << 0
        << "Type two letters of the patient's name at least, or a transaction number." << QString();
    QTest::newRow("over the cap") << "CAP"
                                  << "CAP 0|CAP 1|CAP 2" << 200 << 0
                                  << "More than 200 requests match: the 200 latest are listed. "
                                     "Type more of the name to see the others."
                                  << QString();
    QTest::newRow("a past one: not to be confirmed")
        << "OLD"
        << "OLD, PAST" << 1 << -5 << "1 request found." << QString();
    QTest::newRow("moved before the pick")
        << "#"
        << "ROWE, BEN" << 1 << 12 << "1 request found."
        << "UPDATE tbORSchedule SET OperationDate = '2026-12-20 08:00:00' WHERE TransNum = ?";
    QTest::newRow("gone before the pick") << "#"
                                          << "" << 1 << 0 << "1 request found."
                                          << "DELETE FROM tbORSchedule WHERE TransNum = ?";
  }
  void findListsAPatientsRequestsAcrossDates() {
    QFETCH(QString, text);
    QFETCH(QString, found);
    QFETCH(int, count);
    QFETCH(int, day);
    QFETCH(QString, line);
    QFETCH(QString, meanwhile);
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    f.db().exec(
        QStringLiteral("INSERT INTO tbOrRoom (RoomID, RoomName) VALUES ('OR01', "
                       "'DELIVERY ROOM')"));  // the requests' room
    AddRequest(f, kToday.addDays(3), 9, QStringLiteral("ROWAN, ANA"));
    AddRequest(f, kToday.addDays(-2), 9, QStringLiteral("ROWAN, ANA"));
    const qint64 rowe = AddRequest(f, kToday.addDays(10), 8, QStringLiteral("ROWE, BEN"));
    AddRequest(f, kToday, 9, QStringLiteral("O'BRIEN, AL"));
    AddRequest(f, kToday, 10, QStringLiteral("O_NEIL, EVA"));
    AddRequest(f, kToday.addDays(-5), 10, QStringLiteral("OLD, PAST"));
    for (int i = 0; i < 205; ++i)
      AddRequest(f, kToday.addDays(-i), 11, QStringLiteral("CAP %1").arg(i));
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), w.txtFind);
    QTest::keyClicks(w.txtFind, text == u"#" ? QString::number(rowe) : text);
    QStringList listed;
    testsupport::OnNextModal([&](QWidget* window) {
      auto* find = qobject_cast<requests::frmFind*>(window);
      for (int r = 1; r < find->grdFound->Rows(); ++r) {
        listed << find->grdFound->TextMatrix(r, 2);
        for (int c = 1; c < find->grdFound->Cols(); ++c)  // the columns fit their texts
          QVERIFY(!find->grdFound->CellTextCut(r, c));
      }
      listed << find->lblFound->text();
      if (!meanwhile.isEmpty()) f.db().exec(meanwhile, {rowe});
      QTest::keyClick(find->txtSearch, count ? Qt::Key_Return : Qt::Key_Escape);
    });
    QTest::keyClick(w.txtFind, Qt::Key_Return);
    QCOMPARE(listed.size(), count + 1);
    QCOMPARE(listed.mid(0, std::min(3, count)).join(u'|'),
             meanwhile.isEmpty() ? found : QStringLiteral("ROWE, BEN"));
    QCOMPARE(listed.last(), line);
    QCOMPARE(w.DTPicker1->Date(), kToday.addDays(day));
    const QString selected = found.section(u'|', 0, 0);  // none when it is gone
    QCOMPARE(w.mshflexPending->Row() > 0 ? w.mshflexPending->TextMatrix(w.mshflexPending->Row(), 1)
                                         : QString(),
             selected);
    QCOMPARE(w.cmdOpt[0]->isEnabled(), !selected.isEmpty() && day >= 0);
    QCOMPARE(w.cmdOpt[1]->isEnabled(), w.cmdOpt[0]->isEnabled());
    QCOMPARE(f.boxes().count(), int(selected.isEmpty() && count > 0));  // gone: said so
  }

  void apostrophesAndLongListsArriveIntact() {
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    AddRequest(f, kToday, 7, QStringLiteral("O'BRIEN, MARY"));
    f.db().server().AddRequests(kToday, 3000);
    QVERIFY(f.start());
    platform::FlexGrid& grid = *f.window().mshflexPending;
    QCOMPARE(grid.Rows(), 3002);
    QVERIFY(RowOf(grid, QStringLiteral("O'BRIEN, MARY")) > 0);
    QCOMPARE(grid.CellBackColor(grid.Rows() - 1, 1), QColor(192, 192, 255));
  }
};

QTEST_MAIN(TestRequestList)
#include "test_request_list.moc"
