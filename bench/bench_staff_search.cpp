// Time of one search of the OR staff search window (statement, bind, paint) over 5,000 OR staff
// among 20,000 employees, beside the floor: the same query read row by row into strings.
#include <QSqlQuery>
#include <vector>

#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/widgets/FlexGrid.h"
#include "session/Statements.h"
#include "staff/frmStaff.h"

namespace {

constexpr int kEmployees = 20000;
constexpr int kOrStaff = 5000;  // every fourth employee works in the operating rooms

void AddEmployees(hospitaldb::EmbeddedServer& server) {
  QSqlDatabase db = server.Database();
  db.transaction();
  QSqlQuery insert(db);
  insert.prepare(QStringLiteral("INSERT INTO tbpasswordmain VALUES (?, ?, ?, ?, ?)"));
  const QStringList last = {QStringLiteral("SANTOS"), QStringLiteral("REYES"),
                            QStringLiteral("CRUZ"),   QStringLiteral("BAUTISTA"),
                            QStringLiteral("GARCIA"), QStringLiteral("MENDOZA")};
  for (int i = 0; i < kEmployees; ++i) {
    insert.addBindValue(QStringLiteral("B%1").arg(i));
    insert.addBindValue(last[i % last.size()] + QString::number(i % 997));
    insert.addBindValue(QStringLiteral("FIRST%1").arg(i % 211));
    insert.addBindValue(i % 3 ? QStringLiteral("M") : QString());
    insert.addBindValue(i % (kEmployees / kOrStaff) ? QStringLiteral("12") : QStringLiteral("29"));
    if (!insert.exec()) qFatal("could not add employees");
  }
  db.commit();
}

}  // namespace

int main(int argc, char** argv) {
  bench::DemoWorkstation workstation(argc, argv);
  hospitaldb::EmbeddedServer& server = workstation.server();
  AddEmployees(server);
  auto connection = server.Connect();

  frmStaff window(nullptr, [&] { return connection; });
  window.show();
  platform::FlexGrid& list = *window.MSHFlexGrid1;
  // The whole department (no key), and what typing a last name's first letters lists.
  for (const QString& key : {QString(), QStringLiteral("SANTOS1")}) {
    const QString sql = key.isEmpty() ? session::AllOrStaffSql() : session::OrStaffByKeySql(key);
    std::vector<QString> cells;
    const bench::Side floor{.run = [&] { bench::ReadAllText(*connection, sql, cells); },
                            .prepare = [&] { std::vector<QString>().swap(cells); }};
    const bench::Side search{.run = [&] {
      window.SetSearchKey(key);
      window.cmdConnect_Click();
      QCoreApplication::processEvents();
      list.viewport()->repaint();
    }};
    const bench::PairedTimes times = bench::TimePairs(floor, search);
    // The demo's own OR staff are listed beside the ones added.
    if (key.isEmpty() && list.Rows() < kOrStaff + 1) qFatal("listed %d staff", list.Rows() - 1);
    bench::Report(
        key.isEmpty() ? QStringLiteral("staff_search_all") : QStringLiteral("staff_search_prefix"),
        times);
  }
  return 0;
}
