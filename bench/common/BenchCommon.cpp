#include "common/BenchCommon.h"

#include "hospitaldb/EmbeddedServer.h"
#include "platform/Connection.h"
#include "platform/widgets/MsgBox.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace bench {

namespace {

double ElapsedMs(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double TimeSide(const Side& side) {
  if (side.prepare) side.prepare();
  const double ms = ElapsedMs(side.run);
  if (side.finish) side.finish();
  return ms;
}

// The middle value; with an even count, the mean of the two middle ones.
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The medians of matching lists of floor and measured times, pair i being floorMs[i] and
// measuredMs[i]. A floor time of zero makes its pair's ratio infinite, not a division fault.
PairedTimes Summarize(const std::vector<double>& floorMs, const std::vector<double>& measuredMs) {
  if (floorMs.empty() || floorMs.size() != measuredMs.size())
    qFatal("%zu floor times and %zu measured times do not pair", floorMs.size(), measuredMs.size());
  std::vector<double> ratios;
  for (size_t i = 0; i < floorMs.size(); ++i)
    ratios.push_back(floorMs[i] > 0 ? measuredMs[i] / floorMs[i]
                                    : std::numeric_limits<double>::infinity());
  return {Median(floorMs), Median(measuredMs), Median(ratios)};
}

}  // namespace

PairedTimes TimePairs(const Side& floor, const Side& measured, int pairs) {
  if (pairs < kDefaultPairs) qFatal("%d pairs are too few for a median", pairs);
  std::vector<double> floorMs, measuredMs;
  for (int i = 0; i < pairs; ++i) {
    floorMs.push_back(TimeSide(floor));
    measuredMs.push_back(TimeSide(measured));
  }
  return Summarize(floorMs, measuredMs);
}

ScratchDatabase::ScratchDatabase() {
  qputenv("ORSCHED_DATABASE", path().toUtf8());
  qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
}

DemoWorkstation::DemoWorkstation(int& argc, char** argv)
    : app_(argc, argv), server_(std::make_unique<hospitaldb::EmbeddedServer>(scratch_.path())) {
  FailOnMessageBox();
  server_->SeedDemoData();
}

DemoWorkstation::~DemoWorkstation() = default;

void FailOnMessageBox() {
  platform::SetMsgBoxHandler([](const QString& prompt, int, const QString&) -> int {
    qFatal("unexpected message: %s", qPrintable(prompt));
  });
}

void ReadAllText(platform::Connection& connection, const QString& sql,
                 std::vector<QString>& cells) {
  auto records =
      connection.Open(sql, platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
  const int fields = records->FieldCount();
  for (; !records->AtEnd(); records->MoveNext())
    for (int i = 0; i < fields; ++i)
      cells.push_back(records->Text(i));
  records->Close();
}

void ReadAllText(QSqlQuery&& query, std::vector<QString>& cells) {
  const int fields = query.record().count();
  while (query.next())
    for (int i = 0; i < fields; ++i)
      cells.push_back(query.value(i).toString());
  query.finish();
}

void RequirePlan(const QSqlQuery& executed, const char* index) {
  QSqlQuery plan(executed.driver()->createResult());
  plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + executed.lastQuery());
  for (const QVariant& value : executed.boundValues())
    plan.addBindValue(value);
  plan.exec();
  QString steps;
  while (plan.next())
    steps += plan.value(3).toString() + u'\n';
  if (!steps.contains(QLatin1String(index)))
    qFatal("the plan does not use %s:\n%s", index, qPrintable(steps));
}

void Report(const QString& name, const PairedTimes& times) {
  std::printf("BENCH %s %.1f ms floor=%.1f ratio=%.2f\n", qPrintable(name), times.measuredMs,
              times.floorMs, times.ratio);
  std::fflush(stdout);
}

void Report(const QString& name, double value, const QString& unit) {
  std::printf("BENCH %s %.1f %s\n", qPrintable(name), value, qPrintable(unit));
  std::fflush(stdout);
}

double ProcessCpuMs() {
#ifdef Q_OS_WIN
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
#endif
}

double ResidentMiB() {
#ifdef Q_OS_WIN
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
#else
  // The second field of statm: resident pages.
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) qFatal("cannot read /proc/self/statm");
  long size = 0, resident = 0;
  const int read = std::fscanf(statm, "%ld %ld", &size, &resident);
  std::fclose(statm);
  if (read != 2) qFatal("cannot read /proc/self/statm");
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
#endif
}

}  // namespace bench
