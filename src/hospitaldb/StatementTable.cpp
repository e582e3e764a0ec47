#include <QSqlQuery>

#include "hospitaldb/ClientStatements.h"
#include "hospitaldb/ServerState.h"
#include "hospitaldb/StatementHandlers.h"
#include "hospitaldb/StatementShape.h"
#include "platform/Errors.h"
#include "platform/QueryRecordset.h"

namespace hospitaldb {
namespace {

// The statements the client sends, by their shapes.
struct KnownStatement {
  const char* shape;
  StatementHandler handler;
};

namespace C = ClientStatement;

const KnownStatement kKnownStatements[] = {
    {C::kServerClock, ServerDate},
    {C::kScheduleList, ListSchedules},
    {C::kRoomName, RoomById},
    {C::kRoomCode, RoomIdByName},
    {C::kRoomList, ListRooms},
    {C::kSaveSchedule, SaveSchedule},
    {C::kUpdateSchedule, UpdateScheduleStatus},
    {C::kAllOrStaff, AllOrStaff},
    {C::kOrStaffByKey, OrStaffByKey},
    {C::kConfirmedList, ConfirmedToday},
    {C::kDoctorSearch, SearchDoctors},
    {C::kLoginEmployee, LoginEmployee},
    {C::kFindSchedules, FindSchedules},
    {C::kScheduleByNum, ScheduleByNum},
    {C::kScheduleDurations, ListDurations},
    {C::kSetDuration, SetDuration},
    {C::kBeginTransaction, BeginTransaction},
    {C::kCommitTransaction, CommitTransaction},
    {C::kRollbackTransaction, RollbackTransaction},
};

struct Shape {
  std::vector<SqlToken> tokens;
  StatementHandler handler;
  std::optional<ProcedureCall> procedure;
};

const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = [] {
    std::vector<Shape> result;
    for (const KnownStatement& known : kKnownStatements) {
      std::vector<SqlToken> tokens = TokenizeSql(QString::fromLatin1(known.shape));
      auto procedure = ReadProcedureCall(tokens);
      result.push_back({std::move(tokens), known.handler, std::move(procedure)});
    }
    return result;
  }();
  return shapes;
}

// A call of a procedure this server has, written in a form it does not take.
QString WrongCallError(const ProcedureCall& call, const ProcedureCall& known) {
  if (!call.argumentsAreLiterals)
    return QStringLiteral("Procedure %1 takes only quoted values as its arguments.")
        .arg(known.baseName);
  if (call.argumentCount > known.argumentCount)
    return QStringLiteral("Procedure or function %1 has too many arguments specified.")
        .arg(known.baseName);
  if (call.argumentCount == known.argumentCount)
    return QStringLiteral("Procedure %1 was called in a form the embedded database does not take.")
        .arg(known.baseName);
  return QStringLiteral("Procedure or function '%1' expects parameter %2, which was not supplied.")
      .arg(known.baseName)
      .arg(call.argumentCount + 1);
}

[[noreturn]] void FailUnknown(const std::vector<SqlToken>& tokens, const QString& sql) {
  if (const auto call = ReadProcedureCall(tokens)) {
    for (const Shape& shape : Shapes())
      if (shape.procedure && shape.procedure->name.compare(call->name, Qt::CaseInsensitive) == 0)
        throw platform::DatabaseError(WrongCallError(*call, *shape.procedure));
    throw platform::DatabaseError(
        QStringLiteral("Could not find stored procedure '%1'.").arg(call->name));
  }
  throw platform::DatabaseError(
      QStringLiteral("The embedded database does not know the statement \"%1\".")
          .arg(sql.simplified()));
}

// Keeps the server state alive while the query lives: base classes are destroyed in reverse
// order, so the query (in QueryRecordset) goes before the state that owns its connection.
struct StateHolder {
  StatePtr state;
};

class EmbeddedRecordset : private StateHolder, public platform::QueryRecordset {
 public:
  EmbeddedRecordset(const StatePtr& state, QSqlQuery&& query, std::vector<int> dateColumns)
      : StateHolder{state}, QueryRecordset(std::move(query), std::move(dateColumns)) {}
};

}  // namespace

std::unique_ptr<platform::Recordset> RunStatement(const StatePtr& state, const QString& sql) {
  std::vector<SqlToken> tokens = TokenizeSql(sql);
  DropLeadingExec(tokens);
  try {
    for (const Shape& shape : Shapes())
      if (const auto values = MatchShape(tokens, shape.tokens))
        return shape.handler(state, *values);
    FailUnknown(tokens, sql);
  } catch (...) {
    AbortTransaction(state);
    throw;
  }
}

std::unique_ptr<platform::Recordset> MakeRecordset(const StatePtr& state, QSqlQuery&& query,
                                                   std::vector<int> dateColumns) {
  return std::make_unique<EmbeddedRecordset>(state, std::move(query), std::move(dateColumns));
}

std::unique_ptr<platform::Recordset> EmptyRecordset(const StatePtr& state) {
  return MakeRecordset(state, QSqlQuery(state->database()));
}

QString UnknownTransactionError(const QString& transNum) {
  return QStringLiteral("There is no OR schedule with transaction number %1.").arg(transNum);
}

QString DurationError(const QString& value) {
  return QStringLiteral(
             "A duration of '%1' minutes cannot be kept: it must be a whole number from "
             "5 to 1440.")
      .arg(value.left(100));
}

QString NotANumberError(const QString& value) {
  return QStringLiteral(
             "Conversion failed when converting the varchar value '%1' to data type int.")
      .arg(value);
}

}  // namespace hospitaldb
