// Finding a patient over a year of requests (20,000) beside the floor: the statement the
// embedded database runs for the find, read into strings by a bare QSqlQuery. And the request
// list's idle refresh of an unchanged day of 200 requests: one tick beside the floor of that
// day's listing read into strings, and the share of a core that a tick every 30 seconds takes.
#include <QSqlQuery>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/ScheduleStore.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "requests/ListRefresh.h"
#include "requests/RequestList.h"
#include "session/FoundRequests.h"
#include "session/Statements.h"

namespace {

constexpr int kRepeats = 20;  // finds per timed run: one takes about a millisecond

// A name that matches more requests than a find lists, so that the server sorts them all.
const QString kName = QStringLiteral("CRUZ");

void ReportFind(hospitaldb::EmbeddedServer& server, platform::Connection& connection) {
  bench::RequirePlan(hospitaldb::SelectFoundSchedules(server.Database(), kName),
                     "ixORSchedulePatientNameNoCase");

  std::vector<QString> cells;
  const bench::Side bare{
      .run =
          [&] {
            for (int i = 0; i < kRepeats; ++i)
              bench::ReadAllText(hospitaldb::SelectFoundSchedules(server.Database(), kName), cells);
          },
      .prepare = [&] { std::vector<QString>().swap(cells); }};
  session::FoundRequests found;
  const bench::Side find{.run = [&] {
    for (int i = 0; i < kRepeats; ++i)
      found = session::FindRequests(connection, kName);
  }};
  const bench::PairedTimes times = bench::TimePairs(bare, find);
  if (!found.more || found.requests.size() != size_t(session::kMostFound))
    qFatal("found %zu requests, expected the cap", found.requests.size());
  bench::Report(QStringLiteral("find_20000_x%1").arg(kRepeats), times);
}

void ReportIdleRefresh(frmMain& window, platform::Connection& floorConnection, const QDate& day) {
  requests::ListRefresh& refresh = window.listRefresh();
  refresh.Timer().stop();  // ticks are run by hand below
  window.DTPicker1->SetValue(platform::WallClock(day, QTime(0, 0)));
  window.requestList().Reload();
  const auto listed = window.requestList().SharedListing();
  if (listed->Rows() != 200) qFatal("listed %d requests, expected 200", listed->Rows());
  std::vector<QString> cells;
  const QString sql = session::ScheduleListSql(window.requestList().ListedDay());
  const bench::Side floor{.run = [&] { bench::ReadAllText(floorConnection, sql, cells); },
                          .prepare = [&] { std::vector<QString>().swap(cells); }};
  const bench::Side tick{.run = [&] {
    refresh.Tick();
    QCoreApplication::processEvents();
  }};
  bench::Report(QStringLiteral("list_refresh_tick_200"), bench::TimePairs(floor, tick));
  const double before = bench::ProcessCpuMs();
  for (int i = 0; i < 50; ++i)
    tick.run();
  const double cpuPerTick = (bench::ProcessCpuMs() - before) / 50;
  if (window.requestList().SharedListing() != listed) qFatal("an unchanged day was shown again");
  // A share this small needs more places than bench::Report gives.
  std::printf("BENCH list_refresh_cpu_200 %.3f %%\n",
              100.0 * cpuPerTick / requests::ListRefresh::kIntervalMs);
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  const QDate today = server.Now().date();
  for (int day = 1; day <= 364; ++day)  // a year of about 55 requests a day
    server.AddRequests(today.addDays(-day), 55);
  const QDate full = today.addDays(40);
  server.AddRequests(full, 200);
  auto connection = server.Connect();
  ReportFind(server, *connection);

  frmMain window;
  if (!window.Show()) return 1;
  ReportIdleRefresh(window, *connection, full);
  return 0;
}
