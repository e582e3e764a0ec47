// The board of confirmed operations on a full-HD wall screen: the cost of one refresh tick with
// 20 and with 200 operations, on a day that stays as it is and on one that changed (listing,
// bind, merging, row heights, pages and the paint that follows), and of a turn of the page,
// beside the floor of the same query read into strings without a window; the grid's paints per
// tick; and the share of one core that the open board takes with 200 operations, its pages
// turning.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
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

// Marks the last operation of the day's patient with a star and takes it off again, so that
// each listing differs.
void ChangeTheDay(hospitaldb::EmbeddedServer& server) {
  QSqlQuery query(server.Database());
  if (!query.exec(QStringLiteral(
          "UPDATE tbORSchedule SET PatientName = CASE WHEN PatientName LIKE '%*' "
          "THEN substr(PatientName, 1, length(PatientName) - 1) ELSE PatientName || '*' END "
          "WHERE TransNum = (SELECT MAX(TransNum) FROM tbORSchedule)")))
    qFatal("the day could not be changed");
}

// Ticks as the refresh timer runs them, up to the paint that shows them: on a day that stays as
// it is (the wall's usual tick) and on one that changed since the last tick; and the turn of a
// page, where the operations take several.
void TimeTicks(frmView& board, hospitaldb::EmbeddedServer& server,
               platform::Connection& floorConnection, int count) {
  PaintCounter counter;
  board.mshflxView->viewport()->installEventFilter(&counter);
  std::vector<QString> cells;
  const bench::Side floor{
      .run = [&] { bench::ReadAllText(floorConnection, session::ConfirmedListSql(), cells); },
      .prepare = [&] { std::vector<QString>().swap(cells); }};
  const auto tick = [&](std::function<void()> prepare) {
    return bench::Side{.run =
                           [&] {
                             board.Timer1_Timer();
                             Settle();
                           },
                       .prepare = std::move(prepare)};
  };
  const std::pair<QString, std::function<void()>> kinds[] = {
      {QStringLiteral("board_tick_%1"), Settle}, {QStringLiteral("board_changed_tick_%1"), [&] {
                                                    ChangeTheDay(server);
                                                    Settle();
                                                  }}};
  for (const auto& [name, prepare] : kinds) {
    counter.paints = 0;
    const bench::PairedTimes times = bench::TimePairs(floor, tick(prepare));
    if (board.mshflxView->Rows() != count + 1)
      qFatal("listed %d operations, expected %d", board.mshflxView->Rows() - 1, count);
    bench::Report(name.arg(count), times);
    bench::Report(QStringLiteral("%1_paints").arg(name.arg(count)),
                  double(counter.paints) / bench::kDefaultPairs, QStringLiteral("paints"));
  }
  if (board.lblPage->text().isEmpty()) return;
  const bench::Side turn{.run = [&] {
    board.Timer3_Timer();
    Settle();
  }};
  bench::Report(QStringLiteral("board_page_turn_%1").arg(count), bench::TimePairs(floor, turn));
  board.mshflxView->viewport()->removeEventFilter(&counter);
}

// The board left open with its timers running, as on the wall, its pages turning.
void MeasureCpuShare(frmView& board, int count, int seconds) {
  board.Timer1->start();
  board.Timer2->start();
  board.Timer3->start();
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
    board.Timer3->stop();
    board.Timer2_Timer();
    TimeTicks(board, server, *connection, count);
    // Long enough for two turns of the page.
    if (count == 200) MeasureCpuShare(board, count, 2 * frmView::kPageMs / 1000 + 1);
  }
  return 0;
}
