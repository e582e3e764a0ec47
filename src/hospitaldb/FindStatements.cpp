// The statement that finds a patient's requests across dates.
#include "hospitaldb/ScheduleStore.h"
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/StatementHandlers.h"

namespace hospitaldb {
namespace {

// One more than the client lists, so that it can say when more requests match.
constexpr int kMostFound = 201;

const char* const kFoundSelect =
    "SELECT s.OperationDate, s.PatientName, s.ProcedureName, ifnull(r.RoomName, '') AS ORRoom,"
    " s.Surgeon, s.Status, s.TransNum"
    " FROM tbORSchedule s LEFT JOIN tbOrRoom r ON r.RoomID = s.ORRoomID WHERE %1"
    " ORDER BY s.OperationDate DESC, s.TransNum DESC LIMIT %2";

}  // namespace

QSqlQuery SelectFoundSchedules(const QSqlDatabase& db, const QString& searchText) {
  const QString key = searchText.trimmed();
  bool isNumber = false;
  const int transNum = key.toInt(&isNumber);
  QString condition = QStringLiteral("0");  // a single letter would list half the hospital
  QVariantList values;
  if (isNumber) {
    condition = QStringLiteral("s.TransNum = ?");
    values = {transNum};
  } else if (key.size() >= 2) {
    // The names that begin with the key, compared as the server compares them, as a range of
    // the name's index: what the key holds is text, never a pattern.
    condition =
        QStringLiteral("s.PatientName COLLATE TSQL >= ? AND s.PatientName COLLATE TSQL < ?");
    values = {key, key + QChar(0xFFFF)};
  }
  QSqlQuery query =
      PrepareQuery(db, QString::fromLatin1(kFoundSelect).arg(condition).arg(kMostFound));
  for (const QVariant& value : values)
    query.addBindValue(value);
  ExecQuery(query);
  return query;
}

// values: a transaction number, or the beginning of a patient's name (two characters at least).
// The newest requests first.
std::unique_ptr<platform::Recordset> FindSchedules(const StatePtr& state,
                                                   const QStringList& values) {
  return MakeRecordset(state, SelectFoundSchedules(state->database(), values[0]), {0});
}

}  // namespace hospitaldb
