#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "board/frmView.h"
#include "platform/FlexGrid.h"
#include "platform/Twips.h"
#include "session/Statements.h"
#include "support/BoardFixture.h"

using platform::FlexGrid;
using platform::TwipsToPixels;
using testsupport::BoardFixture;
using testsupport::BoardOperation;

namespace {

const QStringList kResultHeader = {
    QStringLiteral("Time"),        QStringLiteral("Surgeon"), QStringLiteral("Anesthesiologist"),
    QStringLiteral("Patientname"), QStringLiteral("Room"),    QStringLiteral("Procedurename"),
    QStringLiteral("AsstDoctor"),  QStringLiteral("CNurse"),  QStringLiteral("SNurse"),
    QStringLiteral("ORRoom"),      QStringLiteral("Status"),  QStringLiteral("Transnum")};

const QStringList kLoadTimeHeader = {QStringLiteral(" "),
                                     QStringLiteral("TIME"),
                                     QStringLiteral("SURGEON"),
                                     QStringLiteral("ANESTHESIOLOGIST"),
                                     QStringLiteral("PATIENT NAME"),
                                     QStringLiteral("ROOMID"),
                                     QStringLiteral("PROCEDURE"),
                                     QStringLiteral("C.NURSE"),
                                     QStringLiteral("S.NURSE"),
                                     QStringLiteral("OR ROOM"),
                                     QStringLiteral("STATUS"),
                                     QStringLiteral("TRANSNUM")};

QStringList Header(const FlexGrid& grid) {
  QStringList texts;
  for (int col = 0; col < grid.Cols(); ++col)
    texts << grid.TextMatrix(0, col);
  return texts;
}

// How the data rows of a column are merged, top to bottom: "2,1" is one cell over rows 1 and 2,
// then row 3 on its own.
QString Runs(const FlexGrid& grid, int col) {
  QStringList runs;
  for (int row = 1; row < grid.Rows(); row += grid.rowSpan(row - 1, col))
    runs << QString::number(grid.rowSpan(row - 1, col));
  return runs.join(u',');
}

BoardOperation Operation(int hour, int minute, const QString& patient) {
  BoardOperation op;
  op.time = QTime(hour, minute);
  op.patient = patient;
  return op;
}

}  // namespace

class TestBoardListing : public QObject {
  Q_OBJECT

 private slots:
  void opensBorderlessMaximizedAndListsOnce() {
    BoardFixture f;
    f.addConfirmed(Operation(8, 0, QStringLiteral("DOE, JOHN")));
    f.addConfirmed(Operation(9, 0, QStringLiteral("ROE, JANE")));
    frmView& board = f.open();
    QCOMPARE(board.windowTitle(), QStringLiteral("List Of Confirmed Operations"));
    QVERIFY(board.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(board.isModal());
    QVERIFY(board.isMaximized());
    QCOMPARE(board.geometry(), board.screen()->availableGeometry());
    // The load lists once, as a read-only, forward-only query, before any clock read.
    QCOMPARE(f.connection().statements(), QStringList{session::ConfirmedListSql()});
    QCOMPARE(f.connection().lastCursor(), platform::CursorType::ForwardOnly);
    QCOMPARE(f.connection().lastLock(), platform::LockType::ReadOnly);

    const FlexGrid& grid = *board.mshflxView;
    QCOMPARE(grid.FixedCols(), 0);
    QCOMPARE(Header(grid), kResultHeader);
    QCOMPARE(grid.Rows(), 3);
    QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("08:00 AM"));
    QCOMPARE(grid.TextMatrix(2, 3), QStringLiteral("ROE, JANE"));
    QCOMPARE(grid.width(), TwipsToPixels(32000));
    QCOMPARE(grid.geometry().topLeft(), QPoint(TwipsToPixels(120), TwipsToPixels(2040)));
    // The last record is current, without the view moving to it.
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
  }

  void columnWidthsByPosition() {
    BoardFixture f;
    BoardOperation op = Operation(8, 0, QStringLiteral("DOE, JOHN"));
    op.room = QString(60, u'R');  // hidden however wide its text
    f.addConfirmed(op);
    const FlexGrid& grid = *f.open().mshflxView;
    const int widths[] = {1300, 2300, 3300, 2600, 0, 3100, 2300, 2000, 1800, 1500, 0, 0};
    QCOMPARE(grid.Cols(), 12);
    for (int col = 0; col < grid.Cols(); ++col) {
      QCOMPARE(grid.ColWidth(col), widths[col]);
      QCOMPARE(grid.isColumnHidden(col), widths[col] == 0);
      if (widths[col] > 0) QCOMPARE(grid.columnWidth(col), TwipsToPixels(widths[col]));
    }
    // Columns the procedure might add later stay hidden too.
    for (int col = 12; col <= 14; ++col)
      QCOMPARE(grid.ColWidth(col), 0);
  }

  void rowHeightFollowsTheProcedureLength_data() {
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("twips");
    QTest::newRow("25") << 25 << 300;
    QTest::newRow("26") << 26 << 800;
    QTest::newRow("39") << 39 << 800;
    QTest::newRow("40") << 40 << 1300;
    QTest::newRow("empty") << 0 << 300;
  }
  void rowHeightFollowsTheProcedureLength() {
    QFETCH(int, characters);
    QFETCH(int, twips);
    BoardFixture f;
    BoardOperation op = Operation(8, 0, QStringLiteral("DOE, JOHN"));
    op.procedure = QString(characters, u'P');
    f.addConfirmed(op);
    f.addConfirmed(Operation(9, 0, QStringLiteral("ROE, JANE")));
    const FlexGrid& grid = *f.open().mshflxView;
    QCOMPARE(grid.RowHeight(1), twips);
    QCOMPARE(grid.rowHeight(0), TwipsToPixels(twips));
    QCOMPARE(grid.RowHeight(2), 300);
    QVERIFY(grid.WordWrap());
  }

  void mergesEqualNeighboursExceptTheCirculatingNurse() {
    BoardFixture f;
    // Two at 7:00 with one surgeon; the third has the surgeon at another time; one circulating
    // nurse for all three.
    BoardOperation first = Operation(7, 0, QStringLiteral("DOE, JOHN"));
    BoardOperation second = Operation(7, 0, QStringLiteral("ROE, JANE"));
    BoardOperation third = Operation(9, 30, QStringLiteral("ROE, JANE"));
    second.anesthesiologist = third.anesthesiologist = QStringLiteral("OTHER ,ANES");
    third.sNurse = QStringLiteral("NEW ,NURSE");
    third.procedure = QStringLiteral("HERNIORRHAPHY");
    for (const BoardOperation& op : {first, second, third})
      f.addConfirmed(op);
    const FlexGrid& grid = *f.open().mshflxView;

    QCOMPARE(grid.MergeCells(), FlexGrid::MergeMode::Free);
    QCOMPARE(Runs(grid, 0), QStringLiteral("2,1"));  // time
    // The surgeon merges across a change of time: the column to the left does not limit it.
    QCOMPARE(Runs(grid, 1), QStringLiteral("3"));
    QCOMPARE(Runs(grid, 2), QStringLiteral("1,2"));  // anesthesiologist
    QCOMPARE(Runs(grid, 3), QStringLiteral("1,2"));  // patient
    QCOMPARE(Runs(grid, 5), QStringLiteral("2,1"));  // procedure
    QCOMPARE(Runs(grid, 6), QStringLiteral("3"));    // no assistant doctor in any
    QCOMPARE(Runs(grid, 7), QStringLiteral("1,1,1"));
    QCOMPARE(Runs(grid, 8), QStringLiteral("2,1"));
    QCOMPARE(Runs(grid, 11), QStringLiteral("1,1,1"));
    for (int col = 0; col < grid.Cols(); ++col)
      QCOMPARE(grid.MergeCol(col), col <= 9 && col != 7);
  }

  void aListingWithARecordLessLeavesNothingStale() {
    BoardFixture f;
    f.addConfirmed(Operation(7, 0, QStringLiteral("DOE, JOHN")));
    BoardOperation longOne = Operation(8, 0, QStringLiteral("ROE, JANE"));
    longOne.procedure = QString(45, u'P');
    const qint64 second = f.addConfirmed(longOne);
    f.addConfirmed(Operation(8, 0, QStringLiteral("ROE, JANE")));
    frmView& board = f.open();
    const FlexGrid& grid = *board.mshflxView;
    QCOMPARE(Runs(grid, 0), QStringLiteral("1,2"));

    f.revoke(second);
    board.Timer1_Timer();
    QCOMPARE(grid.Rows(), 3);
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(Runs(grid, 0), QStringLiteral("1,1"));
    QCOMPARE(Runs(grid, 1), QStringLiteral("2"));
    QCOMPARE(grid.RowHeight(2), 300);  // not the height of the record that left
    QCOMPARE(grid.Row(), 2);
  }

  void anEmptyListingShowsTheHeaderOnly() {
    BoardFixture f;
    frmView& board = f.open();
    const FlexGrid& grid = *board.mshflxView;
    QCOMPARE(grid.Rows(), 1);
    QCOMPARE(Header(grid), kResultHeader);
    QCOMPARE(grid.Row(), 0);
    // Nothing listed, so nothing switched on.
    QVERIFY(!grid.WordWrap());
    for (int col = 0; col < grid.Cols(); ++col)
      QVERIFY(!grid.MergeCol(col));

    // Once a listing held a record they stay on, also through an empty listing.
    const qint64 only = f.addConfirmed(Operation(8, 0, QStringLiteral("DOE, JOHN")));
    board.Timer1_Timer();
    QVERIFY(grid.WordWrap() && grid.MergeCol(0));
    f.revoke(only);
    board.Timer1_Timer();
    QCOMPARE(grid.Rows(), 1);
    QVERIFY(grid.WordWrap() && grid.MergeCol(9) && !grid.MergeCol(7));
  }

  void theDesignsTypeAndColours() {
    BoardFixture f;
    f.addConfirmed(Operation(7, 0, QStringLiteral("DOE, JOHN")));
    f.addConfirmed(Operation(8, 0, QStringLiteral("ROE, JANE")));
    frmView& board = f.open();
    FlexGrid& grid = *board.mshflxView;
    auto isDesignFont = [](const QFont& font, const QString& family, qreal points) {
      return font.family() == family && font.pointSizeF() == points && font.bold();
    };
    QVERIFY(isDesignFont(grid.font(), QStringLiteral("Arial"), 12));
    QVERIFY(
        isDesignFont(grid.horizontalHeader()->font(), QStringLiteral("Times New Roman"), 14.25));
    QVERIFY(isDesignFont(board.Label1->font(), QStringLiteral("Arial"), 18));

    const QImage image = grid.grab().toImage();
    const QPoint origin = grid.viewport()->geometry().topLeft();
    // Near the right edge of a cell, clear of its left-aligned text; the line under a cell is
    // the pixel row below its rectangle.
    auto nearRightEdge = [&](int row, int col, bool lineUnder) {
      const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
      return image.pixelColor(
          origin + QPoint(cell.right() - 3, lineUnder ? cell.bottom() + 1 : cell.top() + 3));
    };
    QCOMPARE(nearRightEdge(1, 1, false), QColor(255, 255, 192));
    QCOMPARE(nearRightEdge(1, 1, true), QColor(192, 192, 192));
    QCOMPARE(nearRightEdge(2, 3, false), QColor(0, 0, 255));  // the current (last) row
    const QRect header = grid.horizontalHeader()->geometry();
    bool blueText = false;
    for (int x = header.left(); x < header.left() + 60 && !blueText; ++x)
      for (int y = header.top(); y <= header.bottom() && !blueText; ++y)
        blueText = image.pixelColor(x, y) == QColor(0, 0, 255);
    QVERIFY2(blueText, "the header's text is blue");
  }

  void thePictureIsTheProductsMark() {
    BoardFixture f;
    frmView& board = f.open();
    const QImage mark = board.Image1->pixmap().toImage();
    QCOMPARE(mark.size(), QSize(350, 124));
    QVERIFY(!mark.hasAlphaChannel());
    QCOMPARE(board.Image1->geometry(), platform::TwipRect(120, 120, 5250, 1860));
    // Not a blank or single-coloured box.
    QSet<QRgb> colours;
    for (int y = 0; y < mark.height(); y += 4)
      for (int x = 0; x < mark.width(); x += 4)
        colours.insert(mark.pixel(x, y));
    QVERIFY(colours.size() >= 4);
  }
};

QTEST_MAIN(TestBoardListing)
#include "test_board_listing.moc"
