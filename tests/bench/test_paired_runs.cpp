#include <QStringList>
#include <QTest>

#include "common/BenchCommon.h"

class TestPairedRuns : public QObject {
  Q_OBJECT

 private slots:
  // Each side's preparation comes just before its own run, and floor and measured runs take turns.
  void runsTakeTurns() {
    QStringList order;
    auto step = [&order](const char* name) {
      return [&order, name] { order << QString::fromLatin1(name); };
    };
    bench::TimePairs({step("floor"), step("prepare floor")},
                     {step("measured"), step("prepare measured")});
    const QStringList pair{QStringLiteral("prepare floor"), QStringLiteral("floor"),
                           QStringLiteral("prepare measured"), QStringLiteral("measured")};
    QStringList expected;
    for (int i = 0; i < bench::kDefaultPairs; ++i)
      expected << pair;
    QCOMPARE(order, expected);
  }

  void morePairsOnRequestAndNoPreparationNeeded() {
    int floors = 0, measured = 0;
    bench::TimePairs({[&] { ++floors; }}, {[&] { QCOMPARE(++measured, floors); }}, 12);
    QCOMPARE(floors, 12);
    QCOMPARE(measured, 12);
  }

  // A busy moment that starts between the halves of the fifth pair slows that pair's measured
  // run and both runs of every later pair. Pair by pair the load still costs 1.3 times the floor;
  // the ratio of the two medians would say 2.6.
  void ratioIsTakenWithinEachPair() {
    const auto times = bench::Summarize({10, 10, 10, 10, 10, 20, 20, 20, 20},
                                        {13, 13, 13, 13, 26, 26, 26, 26, 26});
    QCOMPARE(times.floorMs, 10.0);
    QCOMPARE(times.measuredMs, 26.0);
    QCOMPARE(times.ratio, 1.3);
  }

  void evenCountTakesTheMeanOfTheMiddleTwo() {
    const auto times = bench::Summarize({4, 1, 3, 2}, {8, 3, 6, 4});
    QCOMPARE(times.floorMs, 2.5);
    QCOMPARE(times.measuredMs, 5.0);
    QCOMPARE(times.ratio, 2.0);  // ratios 2, 3, 2, 2
  }
};

QTEST_GUILESS_MAIN(TestPairedRuns)
#include "test_paired_runs.moc"
