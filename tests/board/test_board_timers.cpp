#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "board/ConfirmedList.h"
#include "board/frmView.h"
#include "platform/WallClock.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/PictureBox.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "support/BoardFixture.h"

using testsupport::BoardFixture;

namespace {

void AddOperations(BoardFixture& f, int count, const QString& procedure = QString()) {
  for (int i = 0; i < count; ++i) {
    testsupport::BoardOperation op;
    op.time = QTime(7, 0).addSecs(i * 1800);
    op.patient = QStringLiteral("PATIENT %1").arg(i);
    if (!procedure.isEmpty()) op.procedure = procedure;
    f.addConfirmed(op);
  }
}

QStringList GridTexts(const platform::FlexGrid& grid) {
  QStringList texts;
  for (int row = 0; row < grid.Rows(); ++row)
    for (int col = 0; col < grid.Cols(); ++col)
      texts << grid.TextMatrix(row, col);
  return texts;
}

}  // namespace

class TestBoardTimers : public QObject {
  Q_OBJECT

 private slots:
  void listsTwiceASecondAndStopsWhenClosed() {
    BoardFixture f;
    AddOperations(f, 40, QStringLiteral("REPAIR OF A LONG NAMED PART, OF ITS LEFT SIDE"));
    frmView& board = f.open();
    QCOMPARE(board.Timer1->interval(), 500);
    QCOMPARE(board.Timer2->interval(), 1000);
    // On the last page, as the listings that follow lay the wrapped rows out again.
    const platform::FlexGrid& grid = *board.mshflxView;
    while (!grid.isRowHidden(0) || grid.isRowHidden(grid.Rows() - 2))
      board.Timer3_Timer();
    const QString page = board.lblPage->text();
    f.db().exec(
        QStringLiteral("UPDATE tbORSchedule SET PatientName = 'PATIENT 0, CHANGED'"
                       " WHERE PatientName = 'PATIENT 0'"));  // a listing laid out anew
    QTRY_VERIFY_WITH_TIMEOUT(f.listings() >= 3 && f.clockReads() >= 1, 2500);
    QCOMPARE(board.lblPage->text(), page);
    QVERIFY(grid.isRowHidden(0) && !grid.isRowHidden(grid.Rows() - 2));
    QTest::keyClick(board.mshflxView, Qt::Key_Escape);
    QVERIFY(!board.isVisible());
    const qsizetype sent = f.connection().statements().size();
    QTest::qWait(1100);  // longer than either timer's interval
    QCOMPARE(f.connection().statements().size(), sent);
  }

  void theClockShowsTheServersTimeAfterTheFirstSecond() {
    // The server's clock is on another day than the machine's.
    BoardFixture f(platform::WallClock(QDate(2027, 3, 1), QTime(23, 15, 0)));
    frmView& board = f.open();
    QVERIFY(board.Label1->text().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!board.Label1->text().isEmpty(), 2000);
    const QDateTime read = modGlobal::ServerDateTime;
    QCOMPARE(read.date(), QDate(2027, 3, 1));
    QCOMPARE(board.Label1->text(), QStringLiteral("Monday, March 1, 2027 ") +
                                       read.time().toString(QStringLiteral("HH:mm:ss")));
    // The picture box is cleared before each print: one line from its top-left corner.
    board.Timer2_Timer();
    QCOMPARE(board.Picture1->PrintPosition(),
             QPoint(0, QFontMetrics(board.Picture1->font()).height()));
  }

  void escClosesFromAnyControlAndOtherKeysDoNothing_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("onGrid");
    QTest::newRow("Esc on the grid") << Qt::Key_Escape << true;
    QTest::newRow("Esc on the window") << Qt::Key_Escape << false;
    QTest::newRow("Enter") << Qt::Key_Return << true;
    QTest::newRow("a letter") << Qt::Key_A << true;
    QTest::newRow("Up") << Qt::Key_Up << true;
    QTest::newRow("Page Down") << Qt::Key_PageDown << true;
  }
  void escClosesFromAnyControlAndOtherKeysDoNothing() {
    QFETCH(Qt::Key, key);
    QFETCH(bool, onGrid);
    BoardFixture f;
    AddOperations(f, 40);  // more than the grid shows at once
    frmView& board = f.open();
    platform::FlexGrid& grid = *board.mshflxView;
    grid.setFocus();
    QTRY_VERIFY(grid.hasFocus());
    QTest::keyClick(onGrid ? static_cast<QWidget*>(&grid) : &board, key);
    QCOMPARE(board.isVisible(), key != Qt::Key_Escape);
    QCOMPARE(grid.Row(), 40);       // the last operation, current without scrolling there
    QVERIFY(!grid.isRowHidden(0));  // on its first page
  }

  void fitsIntoTheWorkAreaAfterADisplayChange_data() {
    QTest::addColumn<QMargins>("shrink");  // taken off the board's rectangle to give the area
    QTest::addColumn<bool>("fitsWidth");
    QTest::addColumn<bool>("fitsHeight");
    QTest::newRow("narrower") << QMargins(30, 0, 70, 0) << true << false;
    QTest::newRow("lower") << QMargins(0, 25, 0, 55) << false << true;
    QTest::newRow("smaller both ways") << QMargins(10, 20, 30, 40) << true << true;
    QTest::newRow("larger") << QMargins(-50, -50, -300, -200) << false << false;
    QTest::newRow("as large, elsewhere") << QMargins(40, 40, -40, -40) << false << false;
  }
  void fitsIntoTheWorkAreaAfterADisplayChange() {
    QFETCH(QMargins, shrink);
    QFETCH(bool, fitsWidth);
    QFETCH(bool, fitsHeight);
    BoardFixture f;
    frmView& board = f.open();
    const QRect before = board.geometry();
    const QRect area = before - shrink;
    f.sysInfo().Change(area);
    QRect expected = before;
    if (fitsWidth) expected = QRect(area.left(), expected.top(), area.width(), expected.height());
    if (fitsHeight) expected = QRect(expected.left(), area.top(), expected.width(), area.height());
    QTRY_COMPARE(board.geometry(), expected);
    QCOMPARE(board.isMaximized(), !fitsWidth && !fitsHeight);
  }

  void aFailedReadKeepsTheListingUnderALineUntilATickSucceeds_data() {
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<bool>("clockRead");  // before the failure
    QTest::addColumn<QString>("line");    // %1: the time of the last listing
    const QString listing = session::ConfirmedListSql(), clock = session::ServerClockSql();
    const QString listingFailed = QStringLiteral("The listing of confirmed operations failed: ");
    const QString asOf = QStringLiteral("listing as of %1 server time. Retrying...");
    QTest::newRow("the listing") << QStringList{listing} << true << listingFailed + asOf;
    QTest::newRow("the clock")
        << QStringList{clock} << true
        << QStringLiteral(
               "The server's clock does not answer: the time shown is the last one read. "
               "Retrying...");
    QTest::newRow("both") << QStringList{listing, clock} << true
                          << QStringLiteral("The database does not answer: ") + asOf;
    QTest::newRow("the listing, before the first clock read")
        << QStringList{listing} << false
        << listingFailed + QStringLiteral("this is the last listing received. Retrying...");
  }
  void aFailedReadKeepsTheListingUnderALineUntilATickSucceeds() {
    QFETCH(QStringList, failing);
    QFETCH(bool, clockRead);
    QFETCH(QString, line);
    BoardFixture f;
    AddOperations(f, 3);
    if (!clockRead)  // the main window read the clock hours before the board opened
      modGlobal::ServerDateTime = f.db().server().Now().addSecs(-3 * 3600);
    frmView& board = f.open();
    if (clockRead) {
      board.Timer2_Timer();
      board.Timer1_Timer();
    } else {
      board.Timer2->stop();
      QVERIFY(board.Label1->text().isEmpty());
    }
    const QString clock = board.Label1->text();
    const QStringList shown = GridTexts(*board.mshflxView);
    const QWidget& rows = *board.mshflxView->viewport();
    const int rowsTop = rows.y();
    const QLabel& notice = board.listingNotice();
    QVERIFY(notice.isHidden());

    f.connection().failWhen([failing](const QString& sql) { return failing.contains(sql); });
    QTRY_COMPARE_WITH_TIMEOUT(notice.text(), line.replace(QStringLiteral("%1"), clock.right(8)),
                              2500);
    QVERIFY(!notice.isHidden());
    QCOMPARE(notice.mapTo(board.mshflxView, QPoint(0, notice.height())).y(), rows.y());
    QCOMPARE(rows.y(), rowsTop + notice.height());  // the rows move down under the line
    QCOMPARE(GridTexts(*board.mshflxView), shown);
    QCOMPARE(board.Label1->text(), clock);

    f.connection().failNothing();
    QTRY_VERIFY_WITH_TIMEOUT(notice.isHidden(), 2000);
    QCOMPARE(rows.y(), rowsTop);
    QCOMPARE(f.boxes().count(), 0);
  }

  // Only the board's reads wait a few seconds for a hung server; the program's longer timeout
  // is back for whatever runs after them.
  void theBoardsReadsTimeOutSoonerThanTheRest() {
    BoardFixture f;
    f.connection().SetCommandTimeout(120);
    QMap<QString, int> timeouts;
    f.connection().failWhen([&](const QString& sql) {
      timeouts[sql] = f.connection().CommandTimeout();
      return false;
    });
    frmView& board = f.open();
    board.Timer2_Timer();
    board.Timer1_Timer();
    QCOMPARE(timeouts.value(session::ConfirmedListSql()), board::kBoardReadTimeoutSeconds);
    QCOMPARE(timeouts.value(session::ServerClockSql()), board::kBoardReadTimeoutSeconds);
    QCOMPARE(f.connection().CommandTimeout(), 120);
  }

  void aFailedFirstListingKeepsTheLoadTimeHeader() {
    BoardFixture f;
    AddOperations(f, 2);
    f.connection().failWhen([](const QString& sql) { return sql == session::ConfirmedListSql(); });
    frmView& board = f.open();
    const platform::FlexGrid& grid = *board.mshflxView;
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("TIME"));
    QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("UNTIL"));
    QCOMPARE(grid.TextMatrix(0, 12), QStringLiteral("TRANSNUM"));
    QCOMPARE(board.listingNotice().text(),
             QStringLiteral("The listing of confirmed operations failed: no listing yet. "
                            "Retrying..."));
    QVERIFY(!board.listingNotice().isHidden());

    f.connection().failNothing();
    QTRY_COMPARE_WITH_TIMEOUT(grid.Rows(), 3, 2000);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Time"));
    QVERIFY(board.listingNotice().isHidden());
    QCOMPARE(f.boxes().count(), 0);
  }
};

QTEST_MAIN(TestBoardTimers)
#include "test_board_timers.moc"
