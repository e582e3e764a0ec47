#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/WallClock.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "support/DocumentReaders.h"
#include "support/MainWindowFixture.h"
#include "support/OutputDialogs.h"

using namespace Qt::StringLiterals;
using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;
using testsupport::OutputDialogs;
using C = session::RequestColumn;

namespace {

const QDateTime kNow = DatabaseFixture::DefaultNow();
const QDate kToday = kNow.date();  // Tuesday, 12/8/2026
const auto kEmpty = DatabaseFixture::Seed::Empty;
const QDateTime kPrintedAt = platform::WallClock(kToday, QTime(11, 30, 15));
const QColor kConfirmed(255, 255, 192), kRevoked(255, 192, 192), kPending(192, 192, 255);

enum class Output { Print, Pdf, Csv };
// Widths in twips given to grid columns, by column.
using ColumnWidths = QList<std::pair<int, int>>;

}  // namespace

Q_DECLARE_METATYPE(Output)

namespace {

// A request of the day with the names a printout shows.
void AddRequest(MainWindowFixture& f, const QTime& at, const QString& patient,
                const QString& status = QStringLiteral("P"), int minutes = 0) {
  hospitaldb::ScheduleRecord record = f.db().sampleRequest(platform::WallClock(kToday, at));
  record.patientName = patient;
  record.status = status;
  record.surgeon = QStringLiteral("REYES ,ANA");
  record.anesthesiologist = QStringLiteral("CRUZ ,BEN");
  record.asstDoctor = QStringLiteral("LIM ,CORA");
  const qint64 transNum = f.db().insertRequest(record, false);
  if (minutes > 0)
    f.db().exec(QStringLiteral("INSERT INTO tbORScheduleDuration VALUES (?, ?)"),
                {transNum, minutes});
}

// Starts the window listing the day's requests, with the server's clock moved on to
// kPrintedAt afterwards so that the time of printing differs from the one start-up read.
bool Start(MainWindowFixture& f) {
  qputenv("ORSCHED_EMPLOYEE", "E7701");  // the fixture's environment restores it
  if (!f.start()) return false;
  f.db().server().SetNow(kPrintedAt);
  return true;
}

// Asks for the list's menu as a right click on the list or the Menu key does; whether it opened.
bool AskForMenu(frmMain& w, bool menuKey = false) {
  platform::FlexGrid& grid = *w.mshflexPending;
  // A right click reaches the grid's viewport, the Menu key the grid, which has the focus.
  QWidget* target = menuKey ? static_cast<QWidget*>(&grid) : grid.viewport();
  QContextMenuEvent ask(menuKey ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                        QPoint(30, 10), target->mapToGlobal(QPoint(30, 10)));
  QApplication::sendEvent(target, &ask);
  return QApplication::activePopupWidget() == w.mnuListing;
}

QAction* ItemFor(frmMain& w, Output output) {
  switch (output) {
    case Output::Print:
      return w.mnuPrintList;
    case Output::Pdf:
      return w.mnuExportPDF;
    case Output::Csv:
      break;
  }
  return w.mnuExportCSV;
}

// Opens the list's menu and chooses the item as a user would, the dialog answered with `path`
// (an empty path cancels it).
void Choose(frmMain& w, OutputDialogs& dialogs, Output output, const QString& path) {
  if (output == Output::Print)
    dialogs.printTo(path);
  else
    dialogs.saveAs(path);
  QVERIFY(AskForMenu(w));
  w.mnuListing->close();  // a chosen item closes the menu before it acts
  ItemFor(w, output)->trigger();
}

// A row's texts as paper and files carry them: the grid's shown columns, and after the
// operation's date and time its operating room where the list hides it, then `after`.
QStringList OutputTexts(platform::FlexGrid& grid, int row, const QStringList& after) {
  QStringList texts;
  for (int c = 1; c < grid.Cols(); ++c) {
    if (grid.ColWidth(c) != 0) texts.append(grid.TextMatrix(row, c));
    if (c != C::kOperationDate) continue;
    if (grid.ColWidth(C::kORRoomCode) == 0) texts.append(grid.TextMatrix(row, C::kORRoomCode));
    texts << after;
  }
  return texts;
}

QPoint CellCentre(platform::FlexGrid& grid, int row) {
  return grid.visualRect(grid.model()->index(row - 1, C::kPatientName)).center();
}

// The colour under a word of the first page, just left of it: the cell's background.
QColor ColourBeside(const QString& pdf, const QString& word) {
  constexpr int kDpi = 144;
  const QImage page = testsupport::RenderPdfPage(pdf, 0, kDpi);
  for (const testsupport::PdfWord& found : testsupport::PdfWords(pdf)) {
    if (found.page != 0 || found.text != word) continue;
    const QPointF at(found.box.left() - 1.5, found.box.center().y());
    return page.pixelColor((at * kDpi / 72).toPoint());
  }
  return QColor();
}

}  // namespace

class TestListingOutput : public QObject {
  Q_OBJECT

 private slots:
  void theMenuIsUsableOnlyWhileRequestsAreListed_data() {
    QTest::addColumn<bool>("menuKey");
    QTest::addColumn<QDate>("listed");
    QTest::addColumn<bool>("newRequest");
    QTest::addColumn<bool>("opens");
    QTest::newRow("right click") << false << kToday << false << true;
    QTest::newRow("Menu key") << true << kToday << false << true;
    QTest::newRow("no requests") << false << kToday.addDays(1) << false << false;
    QTest::newRow("pane locked by New") << false << kToday << true << false;
  }
  void theMenuIsUsableOnlyWhileRequestsAreListed() {
    QFETCH(bool, menuKey);
    QFETCH(QDate, listed);
    QFETCH(bool, newRequest);
    QFETCH(bool, opens);
    MainWindowFixture f(kNow, kEmpty);
    AddRequest(f, QTime(9, 0), QStringLiteral("DOE, JANE"));
    QVERIFY(Start(f));
    frmMain& w = f.window();
    QVERIFY(AskForMenu(w));  // the items were usable on the listed requests
    w.mnuListing->close();
    w.DTPicker1->setDate(listed);
    if (newRequest) w.cmdOption[0]->click();

    QCOMPARE(AskForMenu(w, menuKey), opens);
    QStringList items;
    for (QAction* item : w.mnuListing->actions()) {
      items.append(item->text());
      QVERIFY(item->isEnabled());
    }
    QCOMPARE(items, QStringList({u"Print List..."_s, u"Export PDF..."_s, u"Export CSV..."_s}));
    w.mnuListing->close();
    // Items left usable from before do nothing now, not even ask; a cancelled dialog ends the
    // action before anything is read or written.
    f.suite().connection()->clearStatements();
    OutputDialogs dialogs;
    for (QAction* item : w.mnuListing->actions())
      item->trigger();
    QCOMPARE(dialogs.saveRequests().size() + dialogs.printDialogs(), opens ? 3 : 0);
    QVERIFY(f.statements().isEmpty());
    QCOMPARE(f.boxes().count(), 0);
  }

  void aRightClickOpensTheMenuWithoutMovingTheRowOrClicking() {
    MainWindowFixture f(kNow, kEmpty);
    AddRequest(f, QTime(8, 0), QStringLiteral("FIRST, ANN"));
    AddRequest(f, QTime(9, 0), QStringLiteral("SECOND, BEN"));
    QVERIFY(Start(f));
    frmMain& w = f.window();
    platform::FlexGrid& grid = *w.mshflexPending;
    const int rowBefore = grid.Row();
    QSignalSpy clicks(&grid, &platform::FlexGrid::Click);
    QSignalSpy doubleClicks(&grid, &platform::FlexGrid::DblClick);
    // Through the window, as the platform delivers a click: it raises the context menu event.
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {},
                      grid.viewport()->mapTo(&w, CellCentre(grid, 2)));
    QCOMPARE(QApplication::activePopupWidget(), w.mnuListing);
    w.mnuListing->close();
    QTest::mouseDClick(grid.viewport(), Qt::RightButton, {}, CellCentre(grid, 2));
    QCOMPARE(grid.Row(), rowBefore);
    QCOMPARE(clicks.count() + doubleClicks.count(), 0);
    QVERIFY(!w.cmdOpt[0]->isEnabled() && !w.cmdOpt[1]->isEnabled());
    QVERIFY(w.txtName->text().isEmpty());  // no request loaded into the form
    // The left button still does what it did.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 2));
    QCOMPARE(grid.Row(), 2);
    QVERIFY(w.cmdOpt[0]->isEnabled() && w.cmdOpt[1]->isEnabled());
  }

  // The grid decides the columns by their widths, so a column shown or hidden on screen is
  // shown or left out in the file, in the grid's order.
  void theCsvHoldsTheVisibleColumnsAndEveryRowInOrder_data() {
    QTest::addColumn<ColumnWidths>("widths");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<bool>("proposed");  // saved where proposed, in a home without documents
    const QStringList statusColumns = {u"Status"_s, u"ConfirmedBy"_s, u"DateConfirmed"_s,
                                       u"RevokedBy"_s, u"DateRevoked"_s};
    const QStringList laidOut =
        QStringList{u"PatientName"_s, u"ProcedureName"_s,    u"RoomNo"_s,
                    u"Surgeon"_s,     u"Anesthesiologist"_s, u"OperationDate"_s,
                    u"ORRoomID"_s,    u"Est. Duration"_s,    u"Until"_s,
                    u"AsstDoctor"_s} +
        statusColumns;
    QTest::newRow("as laid out") << ColumnWidths() << laidOut << false;
    QTest::newRow("remarks shown, room hidden")
        << ColumnWidths{{C::kRemarks, 1500}, {C::kPatientRoom, 0}}
        << QStringList{u"PatientName"_s,      u"ProcedureName"_s, u"Surgeon"_s,
                       u"Anesthesiologist"_s, u"OperationDate"_s, u"ORRoomID"_s,
                       u"Est. Duration"_s,    u"Until"_s,         u"Remarks"_s,
                       u"AsstDoctor"_s} +
               statusColumns
        << false;
    QStringList roomShown = laidOut;  // in its place in the list, not again after the time
    roomShown.move(roomShown.indexOf(u"ORRoomID"_s), 3);
    QTest::newRow("operating room shown, once")
        << ColumnWidths{{C::kORRoomCode, 900}} << roomShown << false;
    QTest::newRow("into the documents folder, made") << ColumnWidths() << laidOut << true;
  }
  void theCsvHoldsTheVisibleColumnsAndEveryRowInOrder() {
    QFETCH(ColumnWidths, widths);
    QFETCH(QStringList, header);
    QFETCH(bool, proposed);
    MainWindowFixture f(kNow, kEmpty);
    AddRequest(f, QTime(8, 0), QStringLiteral("O'BRIEN, SEAN"), QStringLiteral("C"), 90);
    AddRequest(f, QTime(9, 0), QStringLiteral("DELA CRUZ, JUAN \"JOJO\""), QStringLiteral(" R "));
    AddRequest(f, QTime(10, 0), QStringLiteral("PEÑA, MARÍA"));
    QVERIFY(Start(f));
    platform::FlexGrid& grid = *f.window().mshflexPending;
    for (const auto& [column, twips] : widths)
      grid.SetColWidth(column, twips);
    OutputDialogs dialogs;
    QTemporaryDir dir;
    const QByteArray home = qgetenv("HOME");
    if (proposed) qputenv("HOME", QFile::encodeName(dir.path()));
    const QString path = dir.filePath(proposed ? u"Documents/OR requests 2026-12-08.csv"_s
                                               : QStringLiteral("day.csv"));
    Choose(f.window(), dialogs, Output::Csv, path);
    qputenv("HOME", home);
    QCOMPARE(f.boxes().prompts(), QStringList{u"The list was written to %1."_s.arg(path)});
    QVERIFY(
        dialogs.saveRequests().constFirst().proposedPath.endsWith(u"OR requests 2026-12-08.csv"_s));
    if (proposed) QCOMPARE(dialogs.saveRequests().constFirst().proposedPath, path);

    const QList<QStringList> records = testsupport::ReadCsvWithPython(path);
    QCOMPARE(records.value(0), header);
    QCOMPARE(records.size(), grid.Rows());
    // Each request's expected duration and end where it is known.
    QCOMPARE(records[1], OutputTexts(grid, 1, {u"1:30"_s, u"09:30 AM"_s}));
    for (int r = 2; r < grid.Rows(); ++r)
      QCOMPARE(records[r], OutputTexts(grid, r, {QString(), QString()}));
  }

  void printoutsListEveryRowOnItsColourUnderTheirHeading_data() {
    QTest::addColumn<Output>("output");
    QTest::newRow("print") << Output::Print;
    QTest::newRow("PDF") << Output::Pdf;
  }
  void printoutsListEveryRowOnItsColourUnderTheirHeading() {
    QFETCH(Output, output);
    MainWindowFixture f(kNow, kEmpty);
    // The first three show the status colours; the rest fill more than one page.
    QStringList patients = {u"AMBER, ANN"_s, u"ROSE, RIA"_s, u"BLUE, BEA"_s};
    const QStringList statuses = {u"C"_s, u" R "_s, u"c"_s};
    for (int i = 0; i < 45; ++i) {
      if (i >= patients.size())
        patients.append(QStringLiteral("PATIENT%1, PAT").arg(i + 1, 2, 10, QLatin1Char('0')));
      AddRequest(f, QTime(7, 0).addSecs(i * 600), patients[i], statuses.value(i, u"P"_s));
    }
    QVERIFY(Start(f));
    const QDateTime startUpTime = modGlobal::ServerDateTime;
    f.suite().connection()->clearStatements();
    OutputDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("day.pdf"));
    Choose(f.window(), dialogs, output, path);
    QCOMPARE(f.boxes().count(), output == Output::Pdf ? 1 : 0);  // where the file was written

    // The time of printing is read for the printout alone.
    QCOMPARE(f.suite().connection()->statements(), QStringList{session::ServerClockSql()});
    QCOMPARE(modGlobal::ServerDateTime, startUpTime);
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(path);
    QVERIFY2(info.pages >= 2, "45 rows fill more than one page");
    QVERIFY(info.pageSize.width() > info.pageSize.height());
    if (output == Output::Print)
      QCOMPARE(dialogs.printLayouts().constFirst().orientation(), QPageLayout::Landscape);

    const QStringList pages = testsupport::PdfText(path).split(QLatin1Char('\f'));
    qsizetype listed = 0;
    for (int p = 0; p < info.pages; ++p) {
      const QString page = pages.value(p).simplified();
      QVERIFY(page.contains(u"Operation requests of Tuesday, December 8, 2026"_s));
      // Read a moment after the clock was set: the seconds may have moved on.
      QVERIFY2(page.contains(QRegularExpression(
                   u"Printed 12/8/2026 11:30:1\\d AM \\(server time\\) by employee E7701"_s)),
               qPrintable(page.left(300)));
      QVERIFY(page.contains(u"Page %1 of %2"_s.arg(p + 1).arg(info.pages)));
      QVERIFY(page.contains(u"Surgeon"_s));  // the column heads
      // The rows of this page, in the listed order, none missing between pages; a name may wrap
      // in its column after its surname.
      for (qsizetype at = 0; listed < patients.size(); ++listed) {
        at = page.indexOf(patients[listed].section(u' ', 0, 0), at);
        if (at < 0) break;
      }
    }
    QCOMPARE(listed, patients.size());
    QCOMPARE(ColourBeside(path, u"AMBER,"_s), kConfirmed);
    QCOMPARE(ColourBeside(path, u"ROSE,"_s), kRevoked);
    QCOMPARE(ColourBeside(path, u"BLUE,"_s), kPending);
  }

  // One message naming the failure; a file already under the chosen name stays as it was.
  void aFailureIsReportedOnceAndLeavesTheFileAsItWas_data() {
    QTest::addColumn<Output>("output");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("clockFails");
    QTest::newRow("print, clock fails") << Output::Print << "day.pdf" << true;
    QTest::newRow("PDF, clock fails") << Output::Pdf << "day.pdf" << true;
    QTest::newRow("PDF, no such folder") << Output::Pdf << "gone/day.pdf" << false;
    QTest::newRow("CSV, no such folder") << Output::Csv << "gone/day.csv" << false;
  }
  void aFailureIsReportedOnceAndLeavesTheFileAsItWas() {
    QFETCH(Output, output);
    QFETCH(QString, name);
    QFETCH(bool, clockFails);
    MainWindowFixture f(kNow, kEmpty);
    AddRequest(f, QTime(9, 0), QStringLiteral("DOE, JANE"));
    QVERIFY(Start(f));
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile old(path);
    if (clockFails) {
      QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
      old.close();
      f.suite().failWhen([](const QString& sql) { return sql == session::ServerClockSql(); });
    }
    OutputDialogs dialogs;
    Choose(f.window(), dialogs, output, path);
    QCOMPARE(f.boxes().count(), 1);
    QCOMPARE(f.boxes().last().style, platform::vbCritical);
    if (!clockFails) QVERIFY2(f.boxes().last().prompt.contains(path), qPrintable(path));
    QVERIFY(old.open(QIODevice::ReadOnly) == clockFails);
    if (clockFails) QCOMPARE(old.readAll(), QByteArray("old"));
    QVERIFY(f.window().mshflexPending->isEnabled());
  }
};

QTEST_MAIN(TestListingOutput)
#include "test_listing_output.moc"
