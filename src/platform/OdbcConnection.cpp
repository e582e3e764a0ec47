#include "platform/OdbcConnection.h"

#include <sql.h>
#include <sqlext.h>

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

#include "platform/Errors.h"
#include "platform/QueryRecordset.h"

namespace platform {
namespace {

QString NextConnectionName() {
  static QAtomicInt counter;
  return QStringLiteral("orsched-odbc-%1").arg(counter.fetchAndAddRelaxed(1));
}

// A dropped link leaves the connection looking open; its SQLSTATE tells.
bool IsLinkFailure(const QSqlError& error) {
  return error.text().contains(QLatin1String("08S01")) ||
         error.nativeErrorCode().contains(QLatin1String("08S01"));
}

void ApplyQueryTimeout(QSqlQuery& query, int seconds) {
  const QVariant handle = query.result()->handle();
  if (!handle.isValid()) return;
  SQLHANDLE statement = *static_cast<SQLHANDLE const*>(handle.data());
  if (statement)
    SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), 0);
}

}  // namespace

OdbcConnection::OdbcConnection(const QString& connectionString)
    : name_(NextConnectionName()), connectionString_(connectionString) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
  db.setDatabaseName(connectionString_);
  if (!db.open()) {
    const QString error = db.lastError().text();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw DatabaseError(QStringLiteral("Cannot connect to the database server: %1").arg(error));
  }
  // Row counts of procedures would otherwise arrive as extra results.
  QSqlQuery(QStringLiteral("SET NOCOUNT ON"), db).finish();
}

OdbcConnection::~OdbcConnection() {
  {
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(name_);
}

namespace {

QSqlQuery Run(const QString& name, const QString& sql, int timeout) {
  QSqlDatabase db = QSqlDatabase::database(name, false);
  if (!db.isOpen() && !db.open())
    throw DatabaseError(
        QStringLiteral("Cannot reconnect to the database server: %1").arg(db.lastError().text()));
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.prepare(sql)) throw DatabaseError(query.lastError().text());
  ApplyQueryTimeout(query, timeout);
  if (!query.exec()) {
    const QSqlError error = query.lastError();
    if (IsLinkFailure(error)) db.close();  // the next statement reconnects
    throw DatabaseError(error.text());
  }
  return query;
}

}  // namespace

void OdbcConnection::Execute(const QString& sql) {
  QSqlQuery query = Run(name_, sql, CommandTimeout());
  while (query.nextResult()) {
  }
  query.finish();
}

std::unique_ptr<Recordset> OdbcConnection::Open(const QString& sql, CursorType, LockType) {
  // Results are always read forward-only: the driver cannot keep a scrollable cursor open
  // beside the next statement, and the client reads every result from start to end.
  return std::make_unique<QueryRecordset>(Run(name_, sql, CommandTimeout()));
}

}  // namespace platform
