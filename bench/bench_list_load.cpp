// Time of listing one date's requests until the grid has painted, beside the floor: the same
// query read row by row into strings, without a window. And that floor itself beside a bare
// QSqlQuery reading the statement the embedded database runs for it, which shows the cost of
// the recordset and the statement's recognition above Qt SQL's.
#include <QSqlQuery>
#include <vector>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/ScheduleStore.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/FlexGrid.h"
#include "requests/RequestList.h"
#include "session/Clashes.h"
#include "session/Statements.h"

namespace {

// Finding the double bookings of the listed day, which every load does, beside the whole load.
// The day's requests start at every minute some twenty times over, with the same teams: the
// rule meets as many clashes as a day can hold.
void ReportClashes(const requests::RequestList& list, const bench::Side& load) {
  const bench::Side find{.run = [&] {
    const session::RequestListing& listing = list.Listing();  // each load replaces it
    const session::Clashes clashes(
        listing.Rows(),
        [&](int row, session::RequestColumn::Column c) { return listing.Text(row, c); },
        [&](int row) { return listing.ClashSpan(row); });
    if (!clashes.Any()) qFatal("no clash found");
  }};
  bench::Report(QStringLiteral("clash_32766"), bench::TimePairs(load, find));
}

void ReportRecordset(hospitaldb::EmbeddedServer& server, platform::Connection& connection,
                     const QDate& date, const QString& dateText) {
  std::vector<QString> cells;
  const bench::Side bare{
      .run =
          [&] {
            bench::ReadAllText(hospitaldb::SelectScheduleListing(server.Database(), date), cells);
          },
      .prepare = [&] { std::vector<QString>().swap(cells); }};
  const bench::Side recordset{
      .run = [&] { bench::ReadAllText(connection, session::ScheduleListSql(dateText), cells); },
      .prepare = [&] { std::vector<QString>().swap(cells); }};
  bench::Report(QStringLiteral("recordset_read_32766"), bench::TimePairs(bare, recordset));
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  const QDate today = server.Now().date();
  const QDate small = today.addDays(30), large = today.addDays(31), other = today.addDays(60);
  server.AddRequests(small, 1000);
  server.AddRequests(large, 32766);
  auto floorConnection = server.Connect();

  frmMain window;
  if (!window.Show()) return 1;
  requests::RequestList& list = window.requestList();
  platform::FlexGrid& grid = *window.mshflexPending;

  for (const auto& [date, count] : {std::pair{small, 1000}, std::pair{large, 32766}}) {
    const QString text =
        platform::Format(platform::WallClock(date, QTime(0, 0)), QStringLiteral("MM/DD/YYYY"));
    const QString empty =
        platform::Format(platform::WallClock(other, QTime(0, 0)), QStringLiteral("MM/DD/YYYY"));
    // The strings read are released outside the timed part, as the grid's are.
    std::vector<QString> cells;
    const bench::Side floor{
        .run = [&] { bench::ReadAllText(*floorConnection, session::ScheduleListSql(text), cells); },
        .prepare = [&] { std::vector<QString>().swap(cells); }};
    bench::Side load;
    load.prepare = [&] {
      list.Load_ORSchedule(empty);  // each run starts from an empty list
      QCoreApplication::processEvents();
    };
    load.run = [&] {
      list.Load_ORSchedule(text);
      QCoreApplication::processEvents();
      grid.viewport()->repaint();
    };
    const bench::PairedTimes times = bench::TimePairs(floor, load);
    if (grid.Rows() != count + 1) qFatal("listed %d rows, expected %d", grid.Rows() - 1, count);
    bench::Report(QStringLiteral("list_load_%1").arg(count), times);
    if (count == 32766) {
      ReportClashes(list, load);
      ReportRecordset(server, *floorConnection, date, text);
    }
  }
  return 0;
}
