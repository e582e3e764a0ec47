// The embedded database at a hospital's scale: 1,000,000 requests, 500 a day. One day's listing
// as the client runs it beside the bare read of exactly that day's rows (by their row numbers,
// which needs no index of the date); and a find of a patient with a few requests among them
// beside its bare statement. Each fails the run when its plan does not use its index.
#include <QSqlQuery>
#include <vector>

#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/ScheduleStore.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "session/FoundRequests.h"
#include "session/Statements.h"

namespace {

constexpr int kDays = 2000, kPerDay = 500;  // 1,000,000 requests
constexpr int kRepeats = 20;                // reads per timed run: one takes about a millisecond
const QString kPatient = QStringLiteral("ZAMORA, LIZA");

void ReportListing(hospitaldb::EmbeddedServer& server, platform::Connection& connection,
                   const QDate& day) {
  const QSqlDatabase db = server.Database();
  bench::RequirePlan(hospitaldb::SelectScheduleListing(db, day), "ixORScheduleOperationDate");
  QSqlQuery range(db);
  range.exec(QStringLiteral("SELECT min(TransNum), max(TransNum), count(*) FROM tbORSchedule"
                            " WHERE OperationDate >= '%1' AND OperationDate < '%1 24'")
                 .arg(day.toString(Qt::ISODate)));
  range.next();
  if (range.value(2).toInt() != kPerDay ||
      range.value(1).toLongLong() - range.value(0).toLongLong() != kPerDay - 1)
    qFatal("the day's requests are not one run of row numbers");
  const QString bareSql =
      QStringLiteral("SELECT %1 FROM tbORSchedule WHERE TransNum BETWEEN %2 AND %3")
          .arg(hospitaldb::ScheduleListingFields().join(u','))
          .arg(range.value(0).toLongLong())
          .arg(range.value(1).toLongLong());
  const QString listSql = session::ScheduleListSql(
      platform::Format(platform::WallClock(day, QTime(0, 0)), QStringLiteral("MM/DD/YYYY")));
  std::vector<QString> cells;
  const bench::Side bare{.run =
                             [&] {
                               for (int i = 0; i < kRepeats; ++i) {
                                 QSqlQuery rows(db);
                                 rows.setForwardOnly(true);
                                 rows.exec(bareSql);
                                 bench::ReadAllText(std::move(rows), cells);
                               }
                             },
                         .prepare = [&] { std::vector<QString>().swap(cells); }};
  const bench::Side listing{.run =
                                [&] {
                                  for (int i = 0; i < kRepeats; ++i)
                                    bench::ReadAllText(connection, listSql, cells);
                                },
                            .prepare = [&] { std::vector<QString>().swap(cells); }};
  bench::Report(QStringLiteral("listing_500_of_1000000_x%1").arg(kRepeats),
                bench::TimePairs(bare, listing));
}

void ReportFind(hospitaldb::EmbeddedServer& server, platform::Connection& connection) {
  const QSqlDatabase db = server.Database();
  bench::RequirePlan(hospitaldb::SelectFoundSchedules(db, kPatient),
                     "ixORSchedulePatientNameNoCase");
  std::vector<QString> cells;
  const bench::Side bare{.run =
                             [&] {
                               for (int i = 0; i < kRepeats; ++i)
                                 bench::ReadAllText(hospitaldb::SelectFoundSchedules(db, kPatient),
                                                    cells);
                             },
                         .prepare = [&] { std::vector<QString>().swap(cells); }};
  session::FoundRequests found;
  const bench::Side find{.run = [&] {
    for (int i = 0; i < kRepeats; ++i)
      found = session::FindRequests(connection, kPatient);
  }};
  bench::Report(QStringLiteral("find_of_1000000_x%1").arg(kRepeats), bench::TimePairs(bare, find));
  if (found.requests.size() != 5) qFatal("found %zu requests, expected 5", found.requests.size());
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  const QDate first = server.Now().date().addDays(-kDays - 30);
  for (int day = 0; day < kDays; ++day)
    server.AddRequests(first.addDays(day), kPerDay);
  // One patient among them, on five dates.
  QSqlQuery rename(server.Database());
  rename.exec(QStringLiteral("UPDATE tbORSchedule SET PatientName = '%1'"
                             " WHERE TransNum IN (1000, 200000, 400000, 600000, 800000)")
                  .arg(kPatient));
  auto connection = server.Connect();
  ReportListing(server, *connection, first.addDays(kDays / 2));
  ReportFind(server, *connection);
  return 0;
}
