// Memory over a long day: the board refreshed 10,000 times over a listing that changes under
// it, and the main window taken through 1,000 date changes. Resident memory is read after the
// first 100 (once caches and pools have filled) and after all of them; what it grew by between
// the two is what a long-running program would keep losing.
#include <QSqlQuery>

#include "app/frmMain.h"
#include "board/frmView.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"

namespace {

constexpr int kWarmUp = 100;

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// Runs `step` `count` times; the growth of resident memory after the warm-up, in KiB.
double GrowthKiB(int count, const std::function<void(int)>& step) {
  double afterWarmUp = 0;
  for (int i = 0; i < count; ++i) {
    step(i);
    Settle();
    if (i + 1 == kWarmUp) afterWarmUp = bench::ResidentMiB();
  }
  return (bench::ResidentMiB() - afterWarmUp) * 1024;
}

// Two of today's operations come and go from the board, turn by turn, so that every listing
// differs from the last in its rows, spans and heights.
void ChangeTheDay(QSqlQuery& change, int tick) {
  change.addBindValue(tick % 2 ? QStringLiteral("C") : QStringLiteral("P"));
  if (!change.exec()) qFatal("could not change the day's operations");
  change.finish();
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();

  frmMain window;
  if (!window.Show()) return 1;
  const QDate today = window.DTPicker1->Date();
  bench::Report(QStringLiteral("list_soak"),
                GrowthKiB(1000,
                          [&](int i) {
                            window.DTPicker1->setDate(today.addDays(i % 11 - 5));
                            window.mshflexPending->viewport()->repaint();
                          }),
                QStringLiteral("KiB"));

  QSqlQuery change(server.Database());
  change.prepare(QStringLiteral(
      "UPDATE tbORSchedule SET Status = ? WHERE TransNum IN"
      " (SELECT TransNum FROM tbORSchedule WHERE Status IN ('C', 'P') ORDER BY TransNum"
      " LIMIT 2 OFFSET 40)"));
  auto connection = server.Connect();
  frmView board(nullptr, [&] { return connection; });
  board.show();
  bench::Report(QStringLiteral("board_soak"),
                GrowthKiB(10000,
                          [&](int tick) {
                            ChangeTheDay(change, tick);
                            board.Timer1_Timer();
                            if (tick % 2) board.Timer2_Timer();
                            board.mshflxView->viewport()->repaint();
                          }),
                QStringLiteral("KiB"));
  return 0;
}
