// Time of opening "Day by Room" on a day of 200 requests in 12 rooms until it has painted, beside
// the list's own load of that day up to its paint; and of the open window's redraw of the day,
// beside that same load.
#include <QSqlError>
#include <QSqlQuery>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/Format.h"
#include "platform/widgets/FlexGrid.h"
#include "requests/DayPlan.h"
#include "requests/RequestList.h"
#include "requests/frmDayByRoom.h"

namespace {

constexpr int kRequests = 200, kRooms = 12;

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// The demo's ten rooms and two more; the requests numbered after `after` dealt out over them in
// turn.
void SpreadOverRooms(hospitaldb::EmbeddedServer& server, qint64 after) {
  QSqlQuery query(server.Database());
  bool done = query.exec(QStringLiteral(
                  "INSERT INTO tbOrRoom VALUES ('OR07', 'OR 7'), ('OR08', 'OR 8')")) &&
              query.exec(QStringLiteral("SELECT RoomID FROM tbOrRoom ORDER BY RoomID"));
  QStringList rooms;
  while (done && query.next())
    rooms << query.value(0).toString();
  for (int i = 0; done && i < rooms.size(); ++i)
    done = query.exec(QStringLiteral("UPDATE tbORSchedule SET ORRoomID = '%1' WHERE TransNum > %2 "
                                     "AND TransNum % %3 = %4")
                          .arg(rooms[i])
                          .arg(after)
                          .arg(rooms.size())
                          .arg(i));
  if (!done || rooms.size() != kRooms)
    qFatal("the rooms could not be spread: %s", qPrintable(query.lastError().text()));
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  const QDate day = server.Now().date().addDays(30), other = day.addDays(30);
  QSqlQuery last(server.Database());
  if (!last.exec(QStringLiteral("SELECT COALESCE(MAX(TransNum), 0) FROM tbORSchedule")) ||
      !last.next())
    qFatal("no last request");
  server.AddRequests(day, kRequests);
  SpreadOverRooms(server, last.value(0).toLongLong());

  frmMain window;
  if (!window.Show()) return 1;
  requests::RequestList& list = window.requestList();
  const auto dateText = [](const QDate& date) {
    return platform::Format(platform::WallClock(date, QTime(0, 0)), QStringLiteral("MM/DD/YYYY"));
  };
  bench::Side load;
  load.prepare = [&] {
    list.Load_ORSchedule(dateText(other));  // each run starts from an empty list
    Settle();
  };
  load.run = [&] {
    list.Load_ORSchedule(dateText(day));
    Settle();
    window.mshflexPending->viewport()->repaint();
  };
  load.prepare();
  load.run();

  const bench::Side open{.run =
                             [&] {
                               window.cmdDayByRoom_Click();
                               Settle();
                               window.dayByRoom()->repaint();
                             },
                         .finish =
                             [&] {
                               window.dayByRoom()->close();
                               Settle();
                             }};
  bench::Report(QStringLiteral("day_by_room_open_%1").arg(kRequests), bench::TimePairs(load, open));

  window.cmdDayByRoom_Click();
  Settle();
  const requests::DayPlan& plan = window.dayByRoom()->Plan();
  if (int(plan.Blocks().size()) != kRequests || plan.Rooms().size() < kRooms)
    qFatal("%d blocks in %d rooms", int(plan.Blocks().size()), int(plan.Rooms().size()));
  // The load with the window closed, beside the open window's redraw.
  const bench::Side closedLoad{.run = load.run, .prepare = [&] {
                                 if (window.dayByRoom()) window.dayByRoom()->close();
                                 load.prepare();
                               }};
  const bench::Side redraw{.run =
                               [&] {
                                 window.dayByRoom()->Redraw();
                                 window.dayByRoom()->repaint();
                               },
                           .prepare =
                               [&] {
                                 window.cmdDayByRoom_Click();
                                 Settle();
                               }};
  bench::Report(QStringLiteral("day_by_room_redraw_%1").arg(kRequests),
                bench::TimePairs(closedLoad, redraw));
  return 0;
}
