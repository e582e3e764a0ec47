// Resident memory that listing a day of 32,766 requests adds to the program, beside the size of
// the listing's text as UTF-16 (what one buffer of every cell's characters would take). Each
// figure comes from a fresh process (this program run again with --child) that starts the main
// window on the demo day, as a workstation does, and then lists the long day.
#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/Format.h"
#include "platform/widgets/FlexGrid.h"
#include "requests/RequestList.h"

namespace {

constexpr int kRequests = 32766;
constexpr int kRuns = 5;
constexpr double kMiB = 1024.0 * 1024.0;

// Lets posted work and idle-time work (freeing the replaced listing) run to the end, then
// paints the grid, so that the figure is what stays once the window is idle again.
void Settle(frmMain& window) {
  for (int i = 0; i < 10; ++i)
    QCoreApplication::processEvents();
  window.mshflexPending->viewport()->repaint();
}

double ListingTextMiB(const platform::FlexGrid& grid) {
  qsizetype chars = 0;
  for (int row = 1; row < grid.Rows(); ++row)
    for (int col = 0; col < grid.Cols(); ++col)
      chars += grid.TextView(row, col).size();
  return double(chars) * 2 / kMiB;
}

// Prints "<growth MiB> <text MiB>" on standard output.
int RunChild(int argc, char** argv, const QString& dateText) {
  QApplication app(argc, argv);
  bench::FailOnMessageBox();
  frmMain window;
  if (!window.Show()) return 1;
  Settle(window);
  const double before = bench::ResidentMiB();
  window.requestList().Load_ORSchedule(dateText);
  Settle(window);
  const double after = bench::ResidentMiB();
  if (window.mshflexPending->Rows() != kRequests + 1) qFatal("the long day was not listed");
  std::printf("%f %f\n", after - before, ListingTextMiB(*window.mshflexPending));
  return 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
    return RunChild(argc, argv, QString::fromUtf8(argv[2]));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
  qputenv("ORSCHED_DATABASE", path.toUtf8());
  qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
  QCoreApplication app(argc, argv);
  QString dateText;
  {
    hospitaldb::EmbeddedServer server(path);
    server.SeedDemoData();
    const QDate day = server.Now().date().addDays(31);
    server.AddRequests(day, kRequests);
    dateText =
        platform::Format(platform::WallClock(day, QTime(0, 0)), QStringLiteral("MM/DD/YYYY"));
  }

  std::vector<double> growth, text, ratios;
  for (int run = 0; run < kRuns; ++run) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), dateText});
    if (!child.waitForFinished(120000) || child.exitCode() != 0) qFatal("the child run failed");
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 2) qFatal("the child printed no figures");
    growth.push_back(figures[0].toDouble());
    text.push_back(figures[1].toDouble());
    ratios.push_back(growth.back() / text.back());
  }
  std::printf("BENCH list_memory_%d %.1f MiB floor=%.1f ratio=%.2f\n", kRequests, Median(growth),
              Median(text), Median(ratios));
  return 0;
}
