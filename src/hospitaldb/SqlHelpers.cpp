#include "hospitaldb/SqlHelpers.h"

#include <QSqlError>

#include "hospitaldb/SqlFunctions.h"
#include "platform/Errors.h"

namespace hospitaldb {
namespace {

// SQLite's result codes for a database that another connection holds (its extended codes keep
// them in the low byte).
bool IsBusy(const QSqlError& error) {
  bool numeric = false;
  const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
  return numeric && (code == 5 || code == 6);
}

// SQLite's disk I/O error: a write may or may not be on disk, as a statement whose link to a
// server broke may or may not have been carried out.
bool IsInputOutput(const QSqlError& error) {
  bool numeric = false;
  return (error.nativeErrorCode().toInt(&numeric) & 0xff) == 10 && numeric;
}

[[noreturn]] void Fail(const QSqlQuery& query) {
  const QSqlError error = query.lastError();
  const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  if (IsBusy(error))
    throw platform::BusyError(
        QStringLiteral("The database is busy: another program has been writing to it for too "
                       "long. Nothing was changed; please try again. (%1)")
            .arg(text));
  if (IsInputOutput(error)) throw platform::LinkError(text);
  throw platform::DatabaseError(text);
}

}  // namespace

QSqlQuery PrepareQuery(const QSqlDatabase& db, const QString& sql) {
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.prepare(sql)) Fail(query);
  return query;
}

void ExecQuery(QSqlQuery& query) {
  if (!query.exec()) Fail(query);
}

namespace {

QSqlQuery RunBound(const QSqlDatabase& db, const QString& sql,
                   std::initializer_list<QVariant> values) {
  QSqlQuery query = PrepareQuery(db, sql);
  for (const QVariant& value : values)
    query.addBindValue(value);
  ExecQuery(query);
  return query;
}

}  // namespace

void ExecStatement(const QSqlDatabase& db, const QString& sql,
                   std::initializer_list<QVariant> values) {
  RunBound(db, sql, values).finish();
}

QVariant ReadScalar(const QSqlDatabase& db, const QString& sql,
                    std::initializer_list<QVariant> values) {
  QSqlQuery query = RunBound(db, sql, values);
  QVariant result;
  if (query.next()) result = query.value(0);
  query.finish();
  return result;
}

WriteTransaction::WriteTransaction(const QSqlDatabase& db) : db_(db), nested_(InTransaction(db)) {
  ExecStatement(db_,
                nested_ ? QStringLiteral("SAVEPOINT write") : QStringLiteral("BEGIN IMMEDIATE"));
  open_ = true;
}

WriteTransaction::~WriteTransaction() {
  if (!open_) return;
  QSqlQuery rollback(db_);
  rollback.exec(nested_ ? QStringLiteral("ROLLBACK TO write") : QStringLiteral("ROLLBACK"));
  if (nested_) rollback.exec(QStringLiteral("RELEASE write"));
}

void WriteTransaction::Commit() {
  ExecStatement(db_, nested_ ? QStringLiteral("RELEASE write") : QStringLiteral("COMMIT"));
  open_ = false;
}

}  // namespace hospitaldb
