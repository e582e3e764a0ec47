#include <QTest>

#include "platform/CellTexts.h"

using platform::CellTexts;

namespace {

QString Text(int row, int col) {
  return QStringLiteral("r%1c%2").arg(row).arg(col);
}

CellTexts Table(int rows, int cols) {
  CellTexts cells(cols);
  for (int r = 0; r < rows; ++r) {
    cells.startRow();
    for (int c = 0; c < cols; ++c)
      cells.appendCell(Text(r, c));
  }
  return cells;
}

// Every cell of `cells` holds Text(row, col), except those named in `changed` (row, col, text).
void VerifyCells(const CellTexts& cells, int rows, int cols,
                 const QList<std::tuple<int, int, QString>>& changed = {}) {
  QCOMPARE(cells.rows(), rows);
  QCOMPARE(cells.cols(), cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      QString expected = Text(r, c);
      for (const auto& [row, col, text] : changed)
        if (row == r && col == c) expected = text;
      QCOMPARE(cells.at(r, c).toString(), expected);
    }
}

}  // namespace

class TestCellTexts : public QObject {
  Q_OBJECT

 private slots:
  void editsKeepTheOtherCellsThroughCompaction() {
    CellTexts cells = Table(50, 6);
    // Enough rewrites of one row to leave more dead text than live text behind, several times.
    for (int i = 0; i < 2000; ++i)
      cells.set(7, 2, QStringLiteral("edit %1").arg(i));
    cells.set(0, 0, QString());
    VerifyCells(cells, 50, 6, {{7, 2, QStringLiteral("edit 1999")}, {0, 0, QString()}});
    qsizetype live = 0;
    for (int r = 0; r < 50; ++r)
      for (int c = 0; c < 6; ++c)
        live += cells.at(r, c).size();
    QCOMPARE(cells.textSize(), live);  // the text left behind by the edits is not counted
  }

  void aCellSetFromItsOwnTableReadsBackWhole() {
    CellTexts cells = Table(3, 3);
    cells.set(2, 2, QString(5000, u'x'));  // the buffer is about to grow on the next edit
    cells.set(0, 1, cells.at(2, 2));
    QCOMPARE(cells.at(0, 1).toString(), QString(5000, u'x'));
    cells.set(1, 0, cells.at(1, 0).mid(1));
    QCOMPARE(cells.at(1, 0).toString(), QStringLiteral("1c0"));
  }

  // A first row of "a", `wide` w's, "b" and `last` v's, then a short row.
  void rowsLongerThanSixteenBitsCanCount_data() {
    QTest::addColumn<int>("wide");
    QTest::addColumn<int>("last");
    QTest::newRow("widened by a long cell") << 70000 << 70000;
    QTest::newRow("widened by its last character: 65,536 in all") << 65533 << 1;
  }
  void rowsLongerThanSixteenBitsCanCount() {
    QFETCH(int, wide);
    QFETCH(int, last);
    const QString longText(wide, u'w');
    CellTexts cells(4);
    cells.startRow();
    cells.appendCell(u"a");
    cells.appendCell(longText);
    cells.appendCell(u"b");
    cells.appendCell(QString(last, u'v'));
    cells.startRow();
    for (int c = 0; c < 4; ++c)
      cells.appendCell(Text(1, c));

    QCOMPARE(cells.at(0, 0).toString(), QStringLiteral("a"));
    QCOMPARE(cells.at(0, 1).toString(), longText);
    QCOMPARE(cells.at(0, 2).toString(), QStringLiteral("b"));
    QCOMPARE(cells.at(0, 3).toString(), QString(last, u'v'));
    QCOMPARE(cells.at(1, 3).toString(), Text(1, 3));

    // Narrow again, then wide again, by edits.
    cells.set(0, 1, u"short");
    cells.set(0, 3, u"");
    QCOMPARE(cells.at(0, 1).toString(), QStringLiteral("short"));
    QCOMPARE(cells.at(0, 2).toString(), QStringLiteral("b"));
    cells.set(1, 2, longText);
    QCOMPARE(cells.at(1, 2).toString(), longText);
    QCOMPARE(cells.at(1, 3).toString(), Text(1, 3));
    QCOMPARE(cells.at(0, 1).toString(), QStringLiteral("short"));
  }

  void resizeKeepsCellsByPosition() {
    CellTexts cells = Table(4, 3);
    cells.resize(6, 3);
    QCOMPARE(cells.at(5, 2).toString(), QString());
    QCOMPARE(cells.at(3, 2).toString(), Text(3, 2));
    cells.resize(6, 5);
    QCOMPARE(cells.at(2, 4).toString(), QString());
    QCOMPARE(cells.at(2, 1).toString(), Text(2, 1));
    cells.resize(2, 2);
    VerifyCells(cells, 2, 2);
    cells.resize(3, 0);
    QCOMPARE(cells.rows(), 3);
    cells.resize(3, 1);
    QCOMPARE(cells.at(2, 0).toString(), QString());
  }

  void clearEmptiesEveryCellAndKeepsTheShape() {
    CellTexts cells = Table(3, 2);
    cells.set(1, 1, QString(70000, u'w'));
    cells.clearTexts();
    QCOMPARE(cells.rows(), 3);
    QCOMPARE(cells.cols(), 2);
    QCOMPARE(cells.textSize(), 0);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 2; ++c)
        QVERIFY(cells.at(r, c).isEmpty());
    cells.set(2, 1, u"back");
    QCOMPARE(cells.at(2, 1).toString(), QStringLiteral("back"));
  }
};

QTEST_GUILESS_MAIN(TestCellTexts)
#include "test_cell_texts.moc"
