#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "board/frmView.h"
#include "platform/FlexGrid.h"
#include "platform/Format.h"
#include "platform/PictureBox.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "support/BoardFixture.h"

using testsupport::BoardFixture;
using testsupport::BoardOperation;

namespace {

// 8 December 2026, 10:00:00 on the server, whatever the machine's clock says.
const QDateTime kServerNow = testsupport::DatabaseFixture::DefaultNow();

void AddOperations(BoardFixture& f, int count) {
  for (int i = 0; i < count; ++i) {
    BoardOperation op;
    op.time = QTime(7, 0).addSecs(i * 1800);
    op.patient = QStringLiteral("PATIENT %1").arg(i);
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
  void refreshesTwiceASecondAndReadsTheClockEverySecond() {
    BoardFixture f;
    frmView& board = f.open();
    QVERIFY(board.Timer1->isActive());
    QCOMPARE(board.Timer1->interval(), 500);
    QVERIFY(board.Timer2->isActive());
    QCOMPARE(board.Timer2->interval(), 1000);
    QCOMPARE(f.listings(), 1);  // the load's
    QCOMPARE(f.clockReads(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(f.listings() >= 3 && f.clockReads() >= 1, 2500);
  }

  void theClockShowsTheServersTimeFromTheFirstTick() {
    BoardFixture f(kServerNow);
    frmView& board = f.open();
    QCoreApplication::processEvents();
    QVERIFY(board.Label1->text().isEmpty());  // until the first clock tick

    board.Timer2_Timer();
    // The server's clock, not the machine's, read into the program-wide time.
    const QDateTime read = modGlobal::ServerDateTime;
    QVERIFY(qAbs(read.secsTo(kServerNow)) <= 2);
    QCOMPARE(board.Label1->text(), QStringLiteral("Tuesday, December 8, 2026 ") +
                                       read.time().toString(QStringLiteral("HH:mm:ss")));
    QCOMPARE(f.connection().statements().last(), session::ServerClockSql());

    // The picture box is cleared before each print: one line from its top-left corner.
    board.Timer2_Timer();
    QCOMPARE(board.Picture1->PrintPosition(),
             QPoint(0, QFontMetrics(board.Picture1->font()).height()));
    QCOMPARE(board.Picture1->size(), QSize(1, 9));
  }

  void theClockTimerShowsTheServersTimeAfterASecond() {
    BoardFixture f(QDateTime(QDate(2027, 3, 1), QTime(23, 15, 0)));
    frmView& board = f.open();
    QVERIFY(board.Label1->text().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!board.Label1->text().isEmpty(), 2000);
    QVERIFY(board.Label1->text().startsWith(QStringLiteral("Monday, March 1, 2027 23:15:0")));
  }

  void escClosesFromAnyControlAndOtherKeysDoNothing_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("onGrid");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Esc on the grid") << Qt::Key_Escape << true << true;
    QTest::newRow("Esc on the window") << Qt::Key_Escape << false << true;
    QTest::newRow("Enter") << Qt::Key_Return << true << false;
    QTest::newRow("a letter") << Qt::Key_A << true << false;
    QTest::newRow("Up") << Qt::Key_Up << true << false;
    QTest::newRow("Page Down") << Qt::Key_PageDown << true << false;
    QTest::newRow("Home on the window") << Qt::Key_Home << false << false;
  }
  void escClosesFromAnyControlAndOtherKeysDoNothing() {
    QFETCH(Qt::Key, key);
    QFETCH(bool, onGrid);
    QFETCH(bool, closes);
    BoardFixture f;
    AddOperations(f, 40);  // more than the grid shows at once
    frmView& board = f.open();
    platform::FlexGrid& grid = *board.mshflxView;
    grid.setFocus();
    QTRY_VERIFY(grid.hasFocus());
    const int row = grid.Row();
    QWidget* target = onGrid ? static_cast<QWidget*>(&grid) : &board;
    QTest::keyClick(target, key);
    QCOMPARE(board.isVisible(), !closes);
    QCOMPARE(grid.Row(), row);
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
    QCOMPARE(f.boxes().count(), 0);
  }

  void nothingRunsOnceTheBoardIsClosed() {
    BoardFixture f;
    frmView& board = f.open();
    QTest::keyClick(board.mshflxView, Qt::Key_Escape);
    QVERIFY(!board.isVisible());
    QVERIFY(!board.Timer1->isActive());
    QVERIFY(!board.Timer2->isActive());
    const int sent = int(f.connection().statements().size());
    QTest::qWait(1100);  // longer than either timer's interval
    QCOMPARE(f.connection().statements().size(), sent);
  }

  void aRejectedBoardStopsItsTimersToo() {
    BoardFixture f;
    frmView& board = f.open();
    board.reject();
    QVERIFY(!board.Timer1->isActive() && !board.Timer2->isActive());
  }

  void fitsIntoTheWorkAreaAfterADisplayChange_data() {
    // The work area relative to the board's maximized geometry, and what the board becomes.
    QTest::addColumn<QMargins>("shrink");  // subtracted from the board's rectangle
    QTest::addColumn<bool>("fitsWidth");   // the board takes the area's left and width
    QTest::addColumn<bool>("fitsHeight");  // the board takes the area's top and height
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
    QVERIFY(board.isMaximized());
    const QRect before = board.geometry();
    const QRect area = before - shrink;
    f.sysInfo().Change(area);

    QRect expected = before;
    if (fitsWidth) {
      expected.setLeft(area.left());
      expected.setWidth(area.width());
    }
    if (fitsHeight) {
      expected.setTop(area.top());
      expected.setHeight(area.height());
    }
    QTRY_COMPARE(board.geometry(), expected);
    QCOMPARE(board.isMaximized(), !fitsWidth && !fitsHeight);
    // A later change that fits leaves the board where it is.
    f.sysInfo().Change(expected.adjusted(-100, -100, 100, 100));
    QCoreApplication::processEvents();
    QCOMPARE(board.geometry(), expected);
  }

  void aFailedReadKeepsTheListingUnderALineUntilATickSucceeds_data() {
    QTest::addColumn<QString>("failing");
    QTest::newRow("the listing") << session::ConfirmedListSql();
    QTest::newRow("the clock") << session::ServerClockSql();
  }
  void aFailedReadKeepsTheListingUnderALineUntilATickSucceeds() {
    QFETCH(QString, failing);
    BoardFixture f(kServerNow);
    AddOperations(f, 3);
    frmView& board = f.open();
    board.Timer2_Timer();
    const QString clock = board.Label1->text();
    const QDateTime listedAt = modGlobal::ServerDateTime;
    board.Timer1_Timer();
    const QStringList shown = GridTexts(*board.mshflxView);
    const QLabel& line = board.listingNotice();
    QVERIFY(line.isHidden());

    f.connection().failWhen([failing](const QString& sql) { return sql == failing; });
    QTRY_VERIFY_WITH_TIMEOUT(!line.isHidden(), 2000);
    QCOMPARE(line.text(), QStringLiteral("The database does not answer: listing as of %1 server "
                                         "time. Retrying...")
                              .arg(platform::Format(listedAt, QStringLiteral("hh:mm:ss"))));
    // The rows move down under the line rather than being covered by it.
    const QRect lineArea(line.mapTo(board.mshflxView, QPoint(0, 0)), line.size());
    QVERIFY(lineArea.bottom() < board.mshflxView->viewport()->geometry().top());
    QCOMPARE(GridTexts(*board.mshflxView), shown);
    QCOMPARE(board.Label1->text(), clock);
    QCOMPARE(f.boxes().count(), 0);
    QVERIFY(board.isVisible());

    f.connection().failNothing();
    QTRY_VERIFY_WITH_TIMEOUT(line.isHidden(), 2000);
    QCOMPARE(f.boxes().count(), 0);
  }

  void aFailedFirstListingKeepsTheLoadTimeHeader() {
    BoardFixture f;
    AddOperations(f, 2);
    f.connection().failWhen([](const QString& sql) { return sql == session::ConfirmedListSql(); });
    frmView& board = f.open();
    const platform::FlexGrid& grid = *board.mshflxView;
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("TIME"));
    QCOMPARE(grid.TextMatrix(0, 11), QStringLiteral("TRANSNUM"));
    QVERIFY(!board.listingNotice().isHidden());
    QCOMPARE(board.listingNotice().text(),
             QStringLiteral("The database does not answer: no listing yet. Retrying..."));
    QCOMPARE(f.boxes().count(), 0);

    f.connection().failNothing();
    QTRY_COMPARE_WITH_TIMEOUT(grid.Rows(), 3, 2000);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Time"));
    QVERIFY(board.listingNotice().isHidden());
  }
};

QTEST_MAIN(TestBoardTimers)
#include "test_board_timers.moc"
