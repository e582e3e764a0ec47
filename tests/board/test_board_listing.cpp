#include <QHeaderView>
#include <QLabel>
#include <QTest>

#include "board/frmView.h"
#include "platform/Twips.h"
#include "platform/widgets/FlexGrid.h"
#include "session/Statements.h"
#include "support/BoardFixture.h"

using platform::FlexGrid;
using platform::TwipsToPixels;
using testsupport::BoardFixture;
using testsupport::BoardOperation;

namespace {

QStringList Header(const FlexGrid& grid) {
  QStringList texts;
  for (int col = 0; col < grid.Cols(); ++col)
    texts << grid.TextMatrix(0, col);
  return texts;
}

// The merged cells of a column, top to bottom: "2,1" is one cell over rows 1 and 2, then row 3.
QString Runs(const FlexGrid& grid, int col) {
  QStringList runs;
  for (int row = 1; row < grid.Rows(); row += grid.rowSpan(row - 1, col))
    runs << QString::number(grid.rowSpan(row - 1, col));
  return runs.join(u',');
}

BoardOperation Operation(int hour, const QString& patient) {
  BoardOperation op;
  op.time = QTime(hour, 0);
  op.patient = patient;
  return op;
}

}  // namespace

class TestBoardListing : public QObject {
  Q_OBJECT

 private slots:
  void opensMaximizedWithTheListingInTheDesignsColumns() {
    BoardFixture f;
    BoardOperation first = Operation(8, QStringLiteral("DOE, JOHN"));
    first.room = QString(60, u'R');  // hidden however wide its text
    first.minutes = 90;
    f.addConfirmed(first);
    f.addConfirmed(Operation(9, QStringLiteral("ROE, JANE")));
    frmView& board = f.open();
    QCOMPARE(board.windowTitle(), QStringLiteral("List Of Confirmed Operations"));
    QVERIFY(board.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(board.isModal() && board.isMaximized());
    QCOMPARE(board.geometry(), board.screen()->availableGeometry());
    // The load lists once, before any clock read.
    QCOMPARE(f.connection().statements(), QStringList{session::ConfirmedListSql()});

    const FlexGrid& grid = *board.mshflxView;
    QCOMPARE(Header(grid), QStringLiteral("Time Until Surgeon Anesthesiologist Patientname Room "
                                          "Procedurename AsstDoctor CNurse SNurse ORRoom Status "
                                          "Transnum")
                               .split(u' '));
    QCOMPARE(grid.Rows(), 3);
    QCOMPARE(grid.TextMatrix(2, 4), QStringLiteral("ROE, JANE"));
    const int widths[] = {1300, 1300, 2300, 2000, 2600, 0, 3100, 2300,
                          2000, 1800, 1500, 0,    0,    0, 0,    0};
    for (int col = 0; col < 16; ++col)
      QCOMPARE(grid.ColWidth(col), widths[col]);
    for (int col = 0; col < grid.Cols(); ++col)
      QCOMPARE(grid.isColumnHidden(col) ? 0 : grid.columnWidth(col), TwipsToPixels(widths[col]));
    QCOMPARE(grid.Row(), 2);  // the last record is current

    // Each operation's expected end after its time, where its duration is known, once the
    // board has read the server's day.
    board.Timer2_Timer();
    board.Timer1_Timer();
    QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("09:30 AM"));
    QCOMPARE(grid.TextMatrix(2, 1), QString());
  }

  void rowHeightFollowsTheProcedureLength_data() {
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("twips");
    QTest::addColumn<bool>("alone");  // the only operation listed
    QTest::newRow("25") << 25 << 300 << false;
    QTest::newRow("26") << 26 << 800 << false;
    QTest::newRow("39") << 39 << 800 << false;
    QTest::newRow("40") << 40 << 1300 << false;
    QTest::newRow("40, the only operation") << 40 << 1300 << true;
  }
  void rowHeightFollowsTheProcedureLength() {
    QFETCH(int, characters);
    QFETCH(int, twips);
    QFETCH(bool, alone);
    BoardFixture f;
    BoardOperation op = Operation(8, QStringLiteral("DOE, JOHN"));
    op.procedure = QString(characters, u'I');  // narrow: on one line where it can be
    f.addConfirmed(op);
    if (!alone) f.addConfirmed(Operation(9, QStringLiteral("ROE, JANE")));
    const FlexGrid& grid = *f.open().mshflxView;
    QCOMPARE(grid.RowHeight(1), twips);
    QCOMPARE(grid.rowHeight(0), TwipsToPixels(twips));
    QCOMPARE(grid.Row(), alone ? 1 : 2);  // the last record is current
    if (!alone) QCOMPARE(grid.RowHeight(2), 300);
  }

  void mergesEqualNeighboursButNotTheCirculatingNurse() {
    BoardFixture f;
    // The third has the first two's surgeon at another time; one circulating nurse for all.
    BoardOperation third = Operation(9, QStringLiteral("ROE, JANE"));
    third.sNurse = QStringLiteral("NEW ,NURSE");
    for (const BoardOperation& op : {Operation(7, QStringLiteral("DOE, JOHN")),
                                     Operation(7, QStringLiteral("ROE, JANE")), third})
      f.addConfirmed(op);
    const FlexGrid& grid = *f.open().mshflxView;
    QCOMPARE(Runs(grid, 0), QStringLiteral("2,1"));
    QCOMPARE(Runs(grid, 2), QStringLiteral("3"));  // across the change of time
    QCOMPARE(Runs(grid, 4), QStringLiteral("1,2"));
    QCOMPARE(Runs(grid, 8), QStringLiteral("1,1,1"));
    QCOMPARE(Runs(grid, 9), QStringLiteral("2,1"));
    for (int col = 0; col < grid.Cols(); ++col)
      QCOMPARE(grid.MergeCol(col), col <= 10 && col != 1 && col != 8);
  }

  // 60 operations on a small window: pages of whole rows, each operation on one of them, and a
  // surgeon's or anesthesiologist's merged cell drawn within each page where it has rows.
  void operationsThatDoNotFitAreShownInPages() {
    BoardFixture f;
    QList<qint64> operations;
    for (int i = 0; i < 60; ++i) {
      BoardOperation op = Operation(6, QStringLiteral("PATIENT %1").arg(i));
      op.time = QTime(6, 0).addSecs(i * 600);
      op.surgeon = QStringLiteral("SURGEON ,NUMBER %1").arg(i / 7);
      op.anesthesiologist = QStringLiteral("ANESTHESIOLOGIST %1").arg(i / 13);
      if (i % 4 == 0) op.procedure = QString(45, u'P');
      operations << f.addConfirmed(op);
    }
    frmView& board = f.open();
    board.setWindowState(Qt::WindowNoState);
    board.setGeometry(0, 0, 1024, 768);
    const FlexGrid& grid = *board.mshflxView;
    const QString caption = board.lblPage->text();
    const int pages = caption.section(u' ', 3).toInt();
    QVERIFY2(pages > 2 && caption == QStringLiteral("Page 1 of %1").arg(pages),
             qPrintable(caption));
    QSet<int> shown;
    for (int page = 1; page <= pages; ++page, board.Timer3_Timer()) {
      QCOMPARE(board.lblPage->text(), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
      const QImage image = grid.viewport()->grab().toImage();
      for (int row = 1; row < grid.Rows(); ++row) {
        if (grid.isRowHidden(row - 1)) continue;
        shown.insert(row);
        // The time, the surgeon and the anesthesiologist: each whole (merged) cell within the
        // page, with its text.
        for (int col : {0, 2, 3}) {
          const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
          QVERIFY(grid.viewport()->rect().contains(cell));
          bool text = false;
          for (int y = cell.top(); y <= cell.bottom() && !text; ++y)
            for (int x = cell.left(); x <= cell.right() && !text; ++x)
              text = qGray(image.pixel(x, y)) < 100;
          QVERIFY2(text, qPrintable(QStringLiteral("row %1, column %2").arg(row).arg(col)));
        }
      }
    }
    QCOMPARE(shown.size(), 60);
    QCOMPARE(board.lblPage->text(), QStringLiteral("Page 1 of %1").arg(pages));

    // From the last page, a shorter listing goes back to the last of the pages it still has.
    for (int page = 1; page < pages; ++page)
      board.Timer3_Timer();
    for (qint64 operation : operations.mid(20))
      f.revoke(operation);
    board.Timer1_Timer();
    const int left = board.lblPage->text().section(u' ', 3).toInt();
    QVERIFY(left < pages);
    QCOMPARE(board.lblPage->text(), QStringLiteral("Page %1 of %1").arg(left));
  }

  void eachListingReplacesTheLastWithoutLeftovers() {
    BoardFixture f;
    frmView& board = f.open();
    const FlexGrid& grid = *board.mshflxView;
    // An empty listing: its header only, and nothing switched on by it.
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Time"));
    QVERIFY(!grid.WordWrap());
    for (int col = 0; col < grid.Cols(); ++col)
      QVERIFY(!grid.MergeCol(col));

    f.addConfirmed(Operation(7, QStringLiteral("DOE, JOHN")));
    BoardOperation longOne = Operation(8, QStringLiteral("ROE, JANE"));
    longOne.procedure = QString(45, u'P');
    const qint64 second = f.addConfirmed(longOne);
    f.addConfirmed(Operation(8, QStringLiteral("ROE, JANE")));
    board.Timer1_Timer();
    QCOMPARE(Runs(grid, 0), QStringLiteral("1,2"));
    QVERIFY(grid.WordWrap());

    f.revoke(second);  // a record less
    board.Timer1_Timer();
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(Runs(grid, 0), QStringLiteral("1,1"));
    QCOMPARE(grid.RowHeight(2), 300);  // not the height of the record that left
    QCOMPARE(grid.Row(), 2);

    f.db().exec(QStringLiteral("UPDATE tbORSchedule SET Status = 'R'"));
    board.Timer1_Timer();
    QCOMPARE(grid.Rows(), 1);
    QVERIFY(grid.WordWrap() && grid.MergeCol(0));  // left on once a listing held a record
  }

  void theDesignsTypeColoursAndPicture_data() {
    QTest::addColumn<QSize>("screen");
    QTest::newRow("the design's area") << QSize(1360, 600);
    QTest::newRow("1024 x 768") << QSize(1024, 768);
    QTest::newRow("3840 x 2160") << QSize(3840, 2160);
    QTest::newRow("1080 x 1920, upright") << QSize(1080, 1920);
  }
  void theDesignsTypeColoursAndPicture() {
    QFETCH(QSize, screen);
    BoardFixture f(testsupport::DatabaseFixture::DefaultNow(),
                   testsupport::DatabaseFixture::Seed::Demo);
    frmView& board = f.open();
    board.setWindowState(Qt::WindowNoState);
    board.setGeometry(QRect(QPoint(0, 0), screen));
    board.Timer2_Timer();
    FlexGrid& grid = *board.mshflxView;
    const qreal scale = screen.width() / 1360.0;  // the type grows with the screen
    auto isBold = [scale](const QFont& font, const QString& family, qreal points) {
      return font.family() == family && font.pointSizeF() == points * scale && font.bold();
    };
    QVERIFY(isBold(grid.font(), QStringLiteral("Arial"), 12));
    QVERIFY(isBold(grid.horizontalHeader()->font(), QStringLiteral("Times New Roman"), 14.25));
    QVERIFY(isBold(board.Label1->font(), QStringLiteral("Arial"), 18));
    // The list to the window's edges, every column in it, the clock on the screen, and every
    // text whole.
    QCOMPARE(grid.geometry().bottomRight(), board.rect().bottomRight());
    for (int col = 0; col < grid.Cols(); ++col)
      QVERIFY(grid.isColumnHidden(col) ||
              grid.columnViewportPosition(col) + grid.columnWidth(col) <= grid.viewport()->width());
    QVERIFY(board.rect().contains(board.Label1->geometry()));
    QVERIFY(board.Label1->sizeHint().width() <= board.Label1->width());
    for (int row = 1; row < grid.Rows(); ++row)
      for (int col = 0; col < grid.Cols(); ++col)
        QVERIFY2(!grid.CellTextCut(row, col), qPrintable(grid.TextMatrix(row, col)));

    // On the last page, where the current row (the last) shows. Near a cell's right edge, clear
    // of its text; the line under it is the next pixel row.
    QCOMPARE(grid.Row(), grid.Rows() - 1);
    while (grid.isRowHidden(grid.Row() - 1))
      board.Timer3_Timer();
    const QImage image = grid.grab().toImage();
    auto pixel = [&](int row, int col, bool lineUnder) {
      const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
      return image.pixelColor(
          grid.viewport()->geometry().topLeft() +
          QPoint(cell.right() - 3, lineUnder ? cell.bottom() + 1 : cell.top() + 3));
    };
    int first = 1;
    while (grid.isRowHidden(first - 1))
      ++first;
    QCOMPARE(pixel(first, 3, false), QColor(255, 255, 192));
    QCOMPARE(pixel(first, 3, true), QColor(192, 192, 192));
    QCOMPARE(pixel(grid.Row(), 3, false), QColor(255, 255, 192));  // current, not shown selected
    bool blueHeaderText = false;
    for (int x = 0; x < 60; ++x)
      for (int y = 0; y < grid.horizontalHeader()->height(); ++y)
        blueHeaderText = blueHeaderText || image.pixelColor(x, y) == QColor(0, 0, 255);
    QVERIFY(blueHeaderText);

    const QImage mark = board.Image1->pixmap().toImage();
    QCOMPARE(mark.size(), QSize(350, 124) * scale);
    QSet<QRgb> colours;  // a picture, not a plain box
    for (int i = 0; i < mark.width() * mark.height(); i += 7)
      colours.insert(mark.pixel(i % mark.width(), i / mark.width()));
    QVERIFY(colours.size() >= 4);
  }
};

QTEST_MAIN(TestBoardListing)
#include "test_board_listing.moc"
