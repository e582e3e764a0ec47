// The board of confirmed operations on a full-HD wall screen: the cost of one refresh tick
// (listing, bind, merging, row heights and the paint that follows) with 20 and with 200
// operations, beside the floor of the same query read into strings without a window; the grid
// paints per tick; and the share of one core that the open board takes with 200 operations.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlQuery>
#include <QTimer>
#include <vector>

#include "board/frmView.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/TsqlDate.h"
#include "platform/Connection.h"
#include "platform/WallClock.h"
#include "platform/widgets/FlexGrid.h"
#include "session/Statements.h"

namespace {

// Replaces the server day's requests with `count` confirmed operations.
void ConfirmedToday(hospitaldb::EmbeddedServer& server, int count) {
  const QDate today = server.Now().date();
  const QVariantList day = {
      hospitaldb::StoredDateTimeText(platform::WallClock(today, QTime(0, 0))),
      hospitaldb::StoredDateTimeText(platform::WallClock(today.addDays(1), QTime(0, 0)))};
  QSqlQuery query(server.Database());
  for (const QString& sql :
       {QStringLiteral("DELETE FROM tbORSchedule WHERE OperationDate >= ? AND OperationDate < ?"),
        QStringLiteral("UPDATE tbORSchedule SET Status = 'C'"
                       " WHERE OperationDate >= ? AND OperationDate < ?")}) {
    if (sql.startsWith(u'U')) server.AddRequests(today, count);
    query.prepare(sql);
    query.addBindValue(day[0]);
    query.addBindValue(day[1]);
    if (!query.exec()) qFatal("%s", qPrintable(sql));
    query.finish();
  }
}

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// One tick as the refresh timer runs it, up to the paint that shows it.
void TimeTicks(frmView& board, platform::Connection& floorConnection, int count) {
  PaintCounter counter;
  board.mshflxView->viewport()->installEventFilter(&counter);
  std::vector<QString> cells;
  const bench::Side floor{
      .run = [&] { bench::ReadAllText(floorConnection, session::ConfirmedListSql(), cells); },
      .prepare = [&] { std::vector<QString>().swap(cells); }};
  const bench::Side tick{.run =
                             [&] {
                               board.Timer1_Timer();
                               Settle();
                             },
                         .prepare = Settle};
  const bench::PairedTimes times = bench::TimePairs(floor, tick);
  if (board.mshflxView->Rows() != count + 1)
    qFatal("listed %d operations, expected %d", board.mshflxView->Rows() - 1, count);
  bench::Report(QStringLiteral("board_tick_%1").arg(count), times);
  bench::Report(QStringLiteral("board_paints_per_tick_%1").arg(count),
                double(counter.paints) / bench::kDefaultPairs, QStringLiteral("paints"));
  board.mshflxView->viewport()->removeEventFilter(&counter);
}

// The board left open with its timers running, as on the wall.
void MeasureCpuShare(frmView& board, int count, int seconds) {
  board.Timer1->start();
  board.Timer2->start();
  Settle();
  QEventLoop wait;
  QTimer::singleShot(seconds * 1000, &wait, &QEventLoop::quit);
  QElapsedTimer wall;
  const double cpuBefore = bench::ProcessCpuMs();
  wall.start();
  wait.exec();
  const double cpuMs = bench::ProcessCpuMs() - cpuBefore;
  bench::Report(QStringLiteral("board_cpu_%1").arg(count), 100.0 * cpuMs / double(wall.elapsed()),
                QStringLiteral("%"));
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  auto connection = server.Connect();

  for (int count : {20, 200}) {
    ConfirmedToday(server, count);
    frmView board(nullptr, [connection] { return connection; });
    board.show();
    // A full-HD wall screen, whatever size the platform's screen has.
    board.setWindowState(Qt::WindowNoState);
    board.setGeometry(0, 0, 1920, 1080);
    Settle();
    if (board.size() != QSize(1920, 1080)) qFatal("the board is not full-HD here");
    board.Timer1->stop();  // ticks are run by hand below
    board.Timer2->stop();
    board.Timer2_Timer();
    TimeTicks(board, *connection, count);
    if (count == 200) MeasureCpuShare(board, count, 10);
  }
  return 0;
}
