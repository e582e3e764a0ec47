// The client's transaction around a check and the write it guards.
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlFunctions.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/StatementHandlers.h"
#include "platform/Errors.h"

namespace hospitaldb {

// The whole file is held for writing at once (BEGIN IMMEDIATE), so that a row read for a check
// stays as read until the commit: another desk's transaction waits for it, as long as the busy
// timeout lets it, and then fails as busy having done nothing.
std::unique_ptr<platform::Recordset> BeginTransaction(const StatePtr& state, const QStringList&) {
  const QSqlDatabase db = state->database();
  if (InTransaction(db))
    throw platform::DatabaseError(
        QStringLiteral("The embedded database keeps one transaction of a connection at a time."));
  ExecStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
  return nullptr;
}

std::unique_ptr<platform::Recordset> CommitTransaction(const StatePtr& state, const QStringList&) {
  const QSqlDatabase db = state->database();
  if (!InTransaction(db))
    throw platform::DatabaseError(
        QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."));
  ExecStatement(db, QStringLiteral("COMMIT"));
  return nullptr;
}

// Only when a transaction is open, as "IF @@TRANCOUNT > 0" says.
std::unique_ptr<platform::Recordset> RollbackTransaction(const StatePtr& state,
                                                         const QStringList&) {
  if (InTransaction(state->database()))
    ExecStatement(state->database(), QStringLiteral("ROLLBACK"));
  return nullptr;
}

void AbortTransaction(const StatePtr& state) {
  const QSqlDatabase db = state->database();
  if (!db.isOpen() || !InTransaction(db)) return;
  QSqlQuery rollback(db);
  rollback.exec(QStringLiteral("ROLLBACK"));
}

}  // namespace hospitaldb
