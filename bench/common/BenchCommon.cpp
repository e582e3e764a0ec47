#include "common/BenchCommon.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& prepare) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const QString& name, double value, const QString& unit, double floor) {
  std::printf("BENCH %s %.1f %s floor=%.1f ratio=%.2f\n", qPrintable(name), value, qPrintable(unit),
              floor, floor > 0 ? value / floor : 0.0);
  std::fflush(stdout);
}

}  // namespace bench
