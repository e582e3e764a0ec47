// A second workstation on the same embedded database file: for a while it saves requests on one
// date, lists that date and confirms a pending request of it, as the client does, through the
// client's own statement texts and the embedded connection. It says on standard output what
// each step came to, one line each:
//   SAVED <patient>            LISTED <rows>              CONFIRMED <transaction number>
//   FAILED <step> <patient or number> | <message>
//   MISSING <patient>          a request it saved that a later listing of the date lacked
// Arguments: the database file, a name for its patients, the seconds to run, the date (ISO).
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSet>
#include <QTextStream>
#include <QThread>

#include "hospitaldb/EmbeddedServer.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "session/CheckedWrite.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"

namespace {

QTextStream out(stdout);

void Say(const QString& line) {
  out << line << Qt::endl;  // flushed at once: the test reads as the program goes
}

// Runs a step; a failure is said with its message, and the step counts as not done.
template <class Step>
bool Attempt(const QString& what, Step&& step) {
  try {
    step();
    return true;
  } catch (const platform::RuntimeError& error) {
    Say(QStringLiteral("FAILED %1 | %2").arg(what, error.message().simplified()));
  }
  return false;
}

session::ORSchedule NewRequest(const QString& patient, const QDate& date) {
  session::ORSchedule r;
  r.patientName = patient;
  r.procedure = QStringLiteral("APPENDECTOMY");
  r.orRoomCode = QStringLiteral("OR01");
  r.staff[session::kSurgeon].code = QStringLiteral("D1001");
  r.staff[session::kAnes].code = QStringLiteral("D1002");
  r.staff[session::kSNurse].code = QStringLiteral("E1002");
  r.staff[session::kCNurse].code = QStringLiteral("E1003");
  r.operationAt = platform::WallClock(date, QTime(9, 0));
  return r;
}

struct Listed {
  QSet<QString> patients;
  QString pendingTransNum;  // the last pending request listed, the other program's if any
};

Listed ListDate(platform::Connection& connection, const QDate& date, const QString& name) {
  auto rows = connection.Open(session::ScheduleListSql(
      platform::Format(platform::WallClock(date, QTime(0, 0)), QStringLiteral("MM/DD/YYYY"))));
  Listed listed;
  int count = 0;
  for (; !rows->AtEnd(); rows->MoveNext(), ++count) {
    const QString patient = rows->Text(session::RequestColumn::kPatientName - 1);
    listed.patients << patient;
    const bool pending = rows->Text(session::RequestColumn::kStatus - 1).trimmed() != u"C";
    const bool others = !patient.startsWith(name + u'-');
    if (pending && (others || listed.pendingTransNum.isEmpty()))
      listed.pendingTransNum = rows->Text(session::RequestColumn::kTransNum - 1);
  }
  rows->Close();
  Say(QStringLiteral("LISTED %1").arg(count));
  return listed;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 5) return 2;
  const QString name = args[2];
  const qint64 runFor = args[3].toLongLong() * 1000;
  const QDate date = QDate::fromString(args[4], Qt::ISODate);
  const QString employee = hospitaldb::DemoEmployeeCode();

  hospitaldb::EmbeddedServer server(args[1]);
  const std::shared_ptr<platform::Connection> connection = server.Connect();
  QStringList saved;
  QElapsedTimer clock;
  clock.start();
  for (int n = 1; clock.elapsed() < runFor; ++n) {
    const QString patient = QStringLiteral("%1-%2").arg(name).arg(n);
    if (Attempt(QStringLiteral("SAVE ") + patient, [&] {
          connection->Execute(session::SaveScheduleSql(NewRequest(patient, date), employee, {}));
        })) {
      Say(QStringLiteral("SAVED ") + patient);
      saved << patient;
    }
    Listed listed;
    if (!Attempt(QStringLiteral("LIST -"), [&] { listed = ListDate(*connection, date, name); }))
      continue;
    for (const QString& own : std::as_const(saved))
      if (!listed.patients.contains(own)) Say(QStringLiteral("MISSING ") + own);
    const QString transNum = listed.pendingTransNum;
    // Confirmed as the client does: checked and written in one transaction.
    const session::CheckedWrite confirm{
        transNum.toLongLong(),
        [](const std::optional<session::ORSchedule>& now, platform::Connection&) {
          return now.has_value();
        },
        [&](platform::Connection& c) {
          c.Execute(session::UpdateScheduleSql(session::RequestStatus::Confirmed, employee,
                                               transNum.toLongLong()));
        }};
    if (!transNum.isEmpty() && Attempt(QStringLiteral("CONFIRM ") + transNum, [&] {
          if (!session::RunChecked(*connection, confirm))
            throw platform::DatabaseError(QStringLiteral("gone"));
        }))
      Say(QStringLiteral("CONFIRMED ") + transNum);
    QThread::msleep(5);  // a user's pace is far slower; this leaves the other program a turn
  }
  return 0;
}
