#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "platform/Errors.h"
#include "platform/WallClock.h"
#include "platform/widgets/FlexGrid.h"
#include "support/MemoryRecordset.h"

using platform::FlexGrid;
using testsupport::MemoryRecordset;

namespace {

// A listing of `count` records: NAME "name <i>", PROC, WHEN (a date and time), and COUNT.
MemoryRecordset Listing(int count) {
  QList<QVariantList> rows;
  for (int i = 1; i <= count; ++i)
    rows.append({QStringLiteral("name %1").arg(i), QStringLiteral("proc %1").arg(i),
                 platform::WallClock(QDate(2024, 3, i % 28 + 1), QTime(14, 7, 9)), i});
  return MemoryRecordset({QStringLiteral("NAME"), QStringLiteral("PROC"), QStringLiteral("WHEN"),
                          QStringLiteral("COUNT")},
                         rows);
}

void Bind(FlexGrid& grid, MemoryRecordset records) {
  grid.Bind(records);
}

QPoint CellCentre(const FlexGrid& grid, int row, int col) {
  return grid.visualRect(grid.model()->index(row - 1, col)).center();
}

// Records whose fields A and B hold the "|"-separated texts of `a` and `b`, row by row.
MemoryRecordset Columns(const QString& a, const QString& b) {
  QList<QVariantList> rows;
  for (int r = 0; r < a.count(u'|') + 1; ++r)
    rows.append({a.section(u'|', r, r), b.section(u'|', r, r)});
  return MemoryRecordset({QStringLiteral("A"), QStringLiteral("B")}, rows);
}

// The merged cells of a column, top to bottom: "2,1" is one cell over rows 1 and 2, then row 3.
QString Runs(const FlexGrid& grid, int col) {
  QStringList runs;
  for (int row = 1; row < grid.Rows(); row += grid.rowSpan(row - 1, col))
    runs << QString::number(grid.rowSpan(row - 1, col));
  return runs.join(u',');
}

}  // namespace

class TestFlexGrid : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    grid_ = std::make_unique<FlexGrid>();
    grid_->resize(600, 300);
  }
  void cleanup() { grid_.reset(); }

  void modelPassesTheModelTester() {
    QAbstractItemModelTester tester(grid_->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    Bind(*grid_, Listing(5));
    grid_->SetRowColors(2, Qt::black, Qt::yellow);
    grid_->SetCols(7);
    grid_->SetCols(3);
    grid_->SetRows(9);
    grid_->SetFormatString(QStringLiteral("<A|^B"));
    grid_->Clear();
    Bind(*grid_, Listing(0));
  }

  void bindTakesHeaderAndRecordsAsText() {
    MemoryRecordset records(
        {QStringLiteral("NAME"), QStringLiteral("WHEN"), QStringLiteral("DAY"),
         QStringLiteral("COUNT"), QStringLiteral("NOTE")},
        {{QStringLiteral("DOE ,JOHN"), platform::WallClock(QDate(2024, 3, 5), QTime(14, 7, 9)),
          platform::WallClock(QDate(2024, 12, 25), QTime(0, 0)), 42, QVariant()},
         {QStringLiteral("ROE ,JANE"), platform::WallClock(QDate(2024, 11, 15), QTime(9, 0, 5)),
          QVariant(), 7, QStringLiteral("x")}});
    grid_->Bind(records);

    QVERIFY(records.AtEnd());
    QCOMPARE(grid_->Rows(), 3);
    QCOMPARE(grid_->Cols(), 6);  // the selector column, then the five fields
    const QStringList header = {QString(),
                                QStringLiteral("NAME"),
                                QStringLiteral("WHEN"),
                                QStringLiteral("DAY"),
                                QStringLiteral("COUNT"),
                                QStringLiteral("NOTE")};
    for (int col = 0; col < header.size(); ++col)
      QCOMPARE(grid_->TextMatrix(0, col), header[col]);
    QCOMPARE(grid_->TextMatrix(1, 0), QString());
    QCOMPARE(grid_->TextMatrix(1, 1), QStringLiteral("DOE ,JOHN"));
    QCOMPARE(grid_->TextMatrix(1, 2), QStringLiteral("3/5/2024 2:07:09 PM"));
    QCOMPARE(grid_->TextMatrix(1, 3), QStringLiteral("12/25/2024"));
    QCOMPARE(grid_->TextMatrix(1, 4), QStringLiteral("42"));
    QCOMPARE(grid_->TextMatrix(1, 5), QString());
    QCOMPARE(grid_->TextMatrix(2, 2), QStringLiteral("11/15/2024 9:00:05 AM"));
    QCOMPARE(grid_->model()->data(grid_->model()->index(1, 5)).toString(), QStringLiteral("x"));
  }

  void rebindingReplacesEverything() {
    Bind(*grid_, Listing(5));
    grid_->SetRowColors(4, Qt::black, Qt::red);
    grid_->SetRow(5);
    Bind(*grid_, Listing(2));

    QCOMPARE(grid_->Rows(), 3);
    QCOMPARE(grid_->model()->rowCount(), 2);
    QCOMPARE(grid_->TextMatrix(2, 1), QStringLiteral("name 2"));
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, grid_->TextMatrix(3, 1));
    QCOMPARE(grid_->Row(), 0);
    QCOMPARE(grid_->CellBackColor(2, 1), grid_->palette().color(QPalette::Base));

    Bind(*grid_, Listing(0));
    QCOMPARE(grid_->Rows(), 1);
    QCOMPARE(grid_->TextMatrix(0, 1), QStringLiteral("NAME"));
  }

  void widthsStayByPosition() {
    grid_->SetCols(3);
    grid_->SetColWidth(0, 1);
    grid_->SetColWidth(1, 2500);
    grid_->SetColWidth(2, 0);
    grid_->SetColWidth(6, 1500);  // beyond Cols(): applies once the column exists
    Bind(*grid_, Listing(3));     // 5 columns

    QCOMPARE(grid_->columnWidth(0), 0);
    QVERIFY(!grid_->isColumnHidden(0));
    QCOMPARE(grid_->ColWidth(1), 2500);
    QCOMPARE(grid_->columnWidth(1), 167);
    QVERIFY(grid_->isColumnHidden(2));
    QCOMPARE(grid_->ColWidth(3), FlexGrid::kDefaultColWidth);
    QCOMPARE(grid_->columnWidth(3), 64);

    grid_->SetCols(2);
    grid_->SetCols(8);
    QVERIFY(grid_->isColumnHidden(2));
    QCOMPARE(grid_->columnWidth(1), 167);
    QCOMPARE(grid_->columnWidth(6), 100);

    grid_->SetColWidth(2, -1);
    QVERIFY(!grid_->isColumnHidden(2));
    QCOMPARE(grid_->ColWidth(2), FlexGrid::kDefaultColWidth);
  }

  void rowHeightInPixels_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("default") << 255 << 17;
    QTest::newRow("short procedure") << 250 << 17;
    QTest::newRow("medium procedure") << 500 << 33;
    QTest::newRow("long procedure") << 1000 << 67;
    QTest::newRow("board short") << 300 << 20;
    QTest::newRow("half a pixel rounds up") << 8 << 1;
    QTest::newRow("under half a pixel rounds down") << 7 << 0;
    QTest::newRow("over a pixel and a half") << 23 << 2;
    QTest::newRow("zero") << 0 << 0;
  }
  void rowHeightInPixels() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    Bind(*grid_, Listing(3));
    grid_->SetRowHeight(2, twips);
    QCOMPARE(grid_->RowHeight(2), twips);
    QCOMPARE(grid_->rowHeight(1), pixels);
    QCOMPARE(grid_->rowHeight(0), 17);
  }

  void headerRowHeight() {
    ShowWithListing(2);
    const QHeaderView* header = grid_->horizontalHeader();
    const int natural = header->height();
    QVERIFY(natural > 0);
    QCOMPARE(grid_->RowHeight(0), natural * 15);  // as tall as its font needs, in twips

    grid_->SetRowHeight(0, 500);
    QCOMPARE(grid_->RowHeight(0), 500);
    QCOMPARE(header->height(), 33);
    QCOMPARE(grid_->viewport()->geometry().top(), header->geometry().bottom() + 1);

    grid_->SetRowHeight(0, -1);
    QCOMPARE(header->height(), natural);
    QCOMPARE(grid_->RowHeight(0), natural * 15);
  }

  void rowHeightsReturnToTheDefault() {
    Bind(*grid_, Listing(4));
    grid_->SetRowHeight(2, 1000);
    Bind(*grid_, Listing(4));  // also rows that survive the new listing
    QCOMPARE(grid_->rowHeight(1), 17);
    QCOMPARE(grid_->RowHeight(2), FlexGrid::kDefaultRowHeight);
    grid_->SetRowHeight(3, 500);
    grid_->SetRows(6);
    QCOMPARE(grid_->rowHeight(2), 17);
    grid_->SetRowHeight(4, 500);
    grid_->SetRowHeight(4, -1);
    QCOMPARE(grid_->rowHeight(3), 17);
  }

  void resizedRowsRelayoutTheView() {
    grid_->resize(300, 120);
    ShowWithListing(10);
    const int scrollMaximum = grid_->verticalScrollBar()->maximum();
    for (int row = 6; row <= 10; ++row)
      grid_->SetRowHeight(row, 1000);
    QCOMPARE(grid_->rowViewportPosition(6), 17 * 5 + 67);
    QTRY_VERIFY(grid_->verticalScrollBar()->maximum() > scrollMaximum);  // fewer rows fit
  }

  void rowHeightsSetWhileDrawingIsSuspended() {
    ShowWithListing(3);
    grid_->SetRedraw(false);
    grid_->SetRowHeight(1, 1000);
    grid_->SetRowHeight(2, 500);
    grid_->SetRedraw(true);
    QCOMPARE(grid_->rowViewportPosition(1), 67);
    QCOMPARE(grid_->rowViewportPosition(2), 67 + 33);
    QCOMPARE(grid_->rowAt(67 + 33 + 5), 2);
  }

  void rowColors() {
    Bind(*grid_, Listing(3));
    const QColor yellow(255, 255, 192);
    grid_->SetRowColors(2, Qt::black, yellow);
    grid_->SetRowColors(3, Qt::black, yellow);
    grid_->SetRowColors(3, Qt::blue, QColor(255, 192, 192));

    QCOMPARE(grid_->CellBackColor(2, 1), yellow);
    QCOMPARE(grid_->CellBackColor(2, 4), yellow);
    QCOMPARE(grid_->CellForeColor(3, 2), QColor(Qt::blue));
    QCOMPARE(grid_->CellBackColor(3, 2), QColor(255, 192, 192));
    QCOMPARE(grid_->CellBackColor(1, 1), grid_->palette().color(QPalette::Base));
    QCOMPARE(grid_->CellBackColor(2, 0), grid_->palette().color(QPalette::Button));
    QCOMPARE(grid_->CellBackColor(0, 1), grid_->palette().color(QPalette::Button));
    // What the view draws: the row's brush on data columns, the button face on the selector.
    const QAbstractItemModel* model = grid_->model();
    QCOMPARE(model->index(1, 3).data(Qt::BackgroundRole).value<QBrush>().color(), yellow);
    QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
             grid_->palette().color(QPalette::Button));
    QVERIFY(!model->index(0, 3).data(Qt::BackgroundRole).isValid());
  }

  void manyDistinctColorsKeepEveryRowsColors() {
    Bind(*grid_, Listing(2));
    grid_->SetRowColors(2, Qt::black, Qt::red);
    grid_->SetRedraw(false);
    for (int i = 0; i < 70000; ++i)  // more pairs than the colour table holds
      grid_->SetRowColors(1, Qt::black, QColor::fromRgb(QRgb(i)));
    grid_->SetRedraw(true);
    QCOMPARE(grid_->CellBackColor(1, 1), QColor::fromRgb(QRgb(69999)));
    QCOMPARE(grid_->CellBackColor(2, 1), QColor(Qt::red));
  }

  void colorsWhileDrawingIsSuspendedAreAnnouncedOnce() {
    Bind(*grid_, Listing(3));
    QSignalSpy changed(grid_->model(), &QAbstractItemModel::dataChanged);
    grid_->SetRedraw(false);
    QVERIFY(!grid_->Redraw());
    QVERIFY(!grid_->updatesEnabled());
    for (int row = 1; row <= 3; ++row)
      grid_->SetRowColors(row, Qt::black, Qt::yellow);
    QCOMPARE(changed.count(), 0);
    grid_->SetRedraw(true);
    QVERIFY(grid_->updatesEnabled());
    QCOMPARE(changed.count(), 1);
    const QModelIndex last = changed[0][1].toModelIndex();
    QCOMPARE(last.row(), 2);
    QCOMPARE(last.column(), grid_->Cols() - 1);
    grid_->SetRowColors(2, Qt::black, Qt::red);
    QCOMPARE(changed.count(), 2);
  }

  void paintsRowColorsTheSelectionAndTheSelector() {
    ShowWithListing(3);
    grid_->SetRowColors(1, Qt::black, Qt::yellow);
    grid_->SetRowColors(2, Qt::black, Qt::yellow);
    grid_->SetRow(2);
    const QImage image = grid_->viewport()->grab().toImage();
    // Sample each cell near its right edge, clear of the left-aligned text.
    auto cellColor = [&](int row, int col) {
      const QRect cell = grid_->visualRect(grid_->model()->index(row - 1, col));
      return image.pixelColor(cell.right() - 3, cell.center().y());
    };
    QCOMPARE(cellColor(1, 2), QColor(Qt::yellow));
    QCOMPARE(cellColor(2, 2), grid_->palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(cellColor(3, 2), grid_->palette().color(QPalette::Base));
    QCOMPARE(cellColor(2, 0), grid_->palette().color(QPalette::Button));
  }

  void clickMakesTheRowCurrentFirst() {
    ShowWithListing(4);
    int rowAtClick = -1;
    connect(grid_.get(), &FlexGrid::Click, this, [&] { rowAtClick = grid_->Row(); });
    QSignalSpy clicks(grid_.get(), &FlexGrid::Click);

    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(*grid_, 3, 2));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(rowAtClick, 3);
    QVERIFY(grid_->selectionModel()->isRowSelected(2, {}));
  }

  void clickBelowTheLastRowAndOnTheHeader() {
    ShowWithListing(2);
    grid_->SetRow(2);
    QSignalSpy clicks(grid_.get(), &FlexGrid::Click);
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, QPoint(30, 200));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(grid_->Row(), 2);
    // Qt hands a click on the header row to the header's viewport, not to the header itself.
    QWidget* header = grid_->horizontalHeader()->viewport();
    QCOMPARE(grid_->childAt(header->mapTo(grid_.get(), QPoint(30, 5))), header);
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(30, 5));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(grid_->Row(), 2);
    QTest::mouseClick(grid_->viewport(), Qt::RightButton, {}, QPoint(30, 200));
    QTest::mouseClick(header, Qt::RightButton, {}, QPoint(30, 5));
    QCOMPARE(clicks.count(), 2);
  }

  void doubleClickIsOneClickAndOneDoubleClick_data() {
    QTest::addColumn<bool>("onHeader");
    QTest::addColumn<int>("rowAfter");
    QTest::newRow("on a cell") << false << 2;
    QTest::newRow("on the header") << true << 1;
  }
  void doubleClickIsOneClickAndOneDoubleClick() {
    QFETCH(bool, onHeader);
    QFETCH(int, rowAfter);
    ShowWithListing(3);
    grid_->SetRow(1);
    QSignalSpy clicks(grid_.get(), &FlexGrid::Click);
    QSignalSpy doubles(grid_.get(), &FlexGrid::DblClick);
    QWidget* target = onHeader ? grid_->horizontalHeader()->viewport() : grid_->viewport();
    const QPoint at = onHeader ? QPoint(30, 5) : CellCentre(*grid_, 2, 1);
    // The events a real double click delivers.
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(grid_->Row(), rowAfter);
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 2);
  }

  void disabledGridEmitsNothing() {
    ShowWithListing(2);
    grid_->SetRow(2);
    grid_->setEnabled(false);
    QSignalSpy clicks(grid_.get(), &FlexGrid::Click);
    QSignalSpy doubles(grid_.get(), &FlexGrid::DblClick);
    for (int i = 0; i < 6; ++i)  // the disabled grid takes none of the mouse events
      QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not accepted")));
    QWidget* header = grid_->horizontalHeader()->viewport();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(*grid_, 1, 1));
    QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(*grid_, 1, 1));
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(30, 5));
    QTest::mouseDClick(header, Qt::LeftButton, {}, QPoint(30, 5));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(doubles.count(), 0);
    QCOMPARE(grid_->Row(), 2);
  }

  void keysMoveTheCurrentRow() {
    ShowWithListing(3);
    grid_->setFocus();
    grid_->SetRow(1);
    QTest::keyClick(grid_.get(), Qt::Key_Down);
    QCOMPARE(grid_->Row(), 2);
    QVERIFY(grid_->selectionModel()->isRowSelected(1, {}));
    QTest::keyClick(grid_.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid_->Row(), 3);
  }

  void rowCounterIsSixteenBits() {
    Bind(*grid_, Listing(FlexGrid::kMaxRows - 1));
    QCOMPARE(grid_->Rows(), FlexGrid::kMaxRows);

    Bind(*grid_, Listing(2));
    MemoryRecordset tooMany = Listing(FlexGrid::kMaxRows);
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, grid_->Bind(tooMany));
    QCOMPARE(grid_->Rows(), 3);  // the previous listing stays
    QCOMPARE(grid_->TextMatrix(2, 1), QStringLiteral("name 2"));
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, grid_->SetRows(FlexGrid::kMaxRows + 1));
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, grid_->SetRows(0));
  }

  void formatString() {
    grid_->SetFormatString(QStringLiteral(" |^CODE  #|OR STAFF   |>N"));
    QCOMPARE(grid_->Cols(), 4);
    QCOMPARE(grid_->TextMatrix(0, 0), QStringLiteral(" "));
    QCOMPARE(grid_->TextMatrix(0, 1), QStringLiteral("CODE  #"));
    QCOMPARE(grid_->TextMatrix(0, 2), QStringLiteral("OR STAFF   "));
    QCOMPARE(grid_->TextMatrix(0, 3), QStringLiteral("N"));
    auto alignment = [&](int col) {
      return Qt::Alignment(
                 grid_->model()->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).toInt()) &
             Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(1), Qt::AlignHCenter);
    QCOMPARE(alignment(2), Qt::AlignLeft);
    QCOMPARE(alignment(3), Qt::AlignRight);
    grid_->SetTextMatrix(1, 1, QStringLiteral("0042"));
    QCOMPARE(Qt::Alignment(grid_->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt()) &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
  }

  void clearEmptiesCellsButKeepsTheShape() {
    Bind(*grid_, Listing(3));
    grid_->SetRowColors(1, Qt::black, Qt::yellow);
    grid_->Clear();
    QCOMPARE(grid_->Rows(), 4);
    QCOMPARE(grid_->Cols(), 5);
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 5; ++col)
        QCOMPARE(grid_->TextMatrix(row, col), QString());
    QCOMPARE(grid_->CellBackColor(1, 1), grid_->palette().color(QPalette::Base));
  }

  void mergesEqualNeighboursInMarkedColumns_data() {
    QTest::addColumn<FlexGrid::MergeMode>("mode");
    QTest::addColumn<QString>("a");  // column 1, marked
    QTest::addColumn<QString>("b");  // column 2, marked only where told
    QTest::addColumn<bool>("markB");
    QTest::addColumn<QString>("runs");  // of A and B
    const auto free = FlexGrid::MergeMode::Free;
    QTest::newRow("equal neighbours") << free << "x|x|y"
                                      << "1|2|3" << true << "2,1 1,1,1";
    QTest::newRow("whatever the column to the left holds") << free << "p|q|q"
                                                           << "s|s|s" << true << "1,2 3";
    QTest::newRow("unmarked column") << free << "x|y|x"
                                     << "s|s|s" << false << "1,1,1 1,1,1";
    QTest::newRow("empty texts, case") << free << "|x|X"
                                       << "||" << true << "1,1,1 3";
    QTest::newRow("never") << FlexGrid::MergeMode::Never << "x|x|x"
                           << "s|s|s" << true << "1,1,1 1,1,1";
  }
  void mergesEqualNeighboursInMarkedColumns() {
    QFETCH(FlexGrid::MergeMode, mode);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, markB);
    QFETCH(QString, runs);
    grid_->SetMergeCells(mode);
    grid_->SetMergeCol(1, true);
    grid_->SetMergeCol(2, markB);
    Bind(*grid_, Columns(a, b));
    QCOMPARE(Runs(*grid_, 1) + u' ' + Runs(*grid_, 2), runs);
  }

  void mergedCellsFollowEveryChangeOfTheTexts() {
    grid_->SetMergeCells(FlexGrid::MergeMode::Free);
    grid_->SetMergeCol(1, true);
    Bind(*grid_, Columns(QStringLiteral("x|x|x|y"), QStringLiteral("1|2|3|4")));
    QCOMPARE(Runs(*grid_, 1), QStringLiteral("3,1"));
    // A listing with a record less: nothing merged reaches past the new last row.
    Bind(*grid_, Columns(QStringLiteral("x|y|y"), QStringLiteral("1|2|3")));
    QCOMPARE(Runs(*grid_, 1), QStringLiteral("1,2"));
    grid_->SetTextMatrix(3, 1, QStringLiteral("z"));
    QCOMPARE(Runs(*grid_, 1), QStringLiteral("1,1,1"));
    grid_->SetRows(6);  // two empty rows
    QCOMPARE(Runs(*grid_, 1), QStringLiteral("1,1,1,2"));
    // A hidden column carries no merged cells until it shows.
    grid_->SetColWidth(1, 0);
    QCOMPARE(grid_->rowSpan(3, 1), 1);
    grid_->SetColWidth(1, -1);
    QCOMPARE(Runs(*grid_, 1), QStringLiteral("1,1,1,2"));
  }

  void setColsKeepsCellsByPosition() {
    Bind(*grid_, Listing(2));
    grid_->SetCols(2);
    grid_->SetCols(4);
    QCOMPARE(grid_->TextMatrix(2, 1), QStringLiteral("name 2"));
    QCOMPARE(grid_->TextMatrix(2, 2), QString());
    QCOMPARE(grid_->TextMatrix(0, 1), QStringLiteral("NAME"));
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, grid_->TextMatrix(1, 4));
  }

  void editsOfABoundListingReachTheModel() {
    QAbstractItemModelTester tester(grid_->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    Bind(*grid_, Listing(40));
    QSignalSpy changed(grid_->model(), &QAbstractItemModel::dataChanged);
    grid_->SetTextMatrix(12, 2, QStringLiteral("edited"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), grid_->model()->index(11, 2));
    grid_->SetTextMatrix(13, 1, grid_->TextMatrix(12, 2) + QString(70000, u'+'));
    grid_->SetRows(30);
    grid_->SetRows(45);

    auto shown = [&](int row, int col) { return grid_->model()->index(row - 1, col).data(); };
    QCOMPARE(shown(12, 2).toString(), QStringLiteral("edited"));
    QCOMPARE(grid_->TextView(12, 2), QStringLiteral("edited"));
    QCOMPARE(shown(13, 1).toString().size(), 70006);
    QCOMPARE(shown(13, 2).toString(), QStringLiteral("proc 13"));
    QCOMPARE(shown(29, 1).toString(), QStringLiteral("name 29"));
    QCOMPARE(shown(30, 1).toString(), QString());
    QCOMPARE(shown(44, 4).toString(), QString());
  }

 private:
  void ShowWithListing(int rows) {
    Bind(*grid_, Listing(rows));
    grid_->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
  }

  std::unique_ptr<FlexGrid> grid_;
};

QTEST_MAIN(TestFlexGrid)
#include "test_flexgrid.moc"
