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

// The ODBC handle behind a Qt handle variant (statement or connection); null when none.
SQLHANDLE HandleOf(const QVariant& handle) {
  if (!handle.isValid() || !handle.data()) return nullptr;
  return *static_cast<SQLHANDLE const*>(handle.data());
}

// Whether any diagnostic record of a handle has an SQLSTATE of class 08 (connection exception:
// 08S01 "communication link failure", 08001, ...), not only the first one.
bool HasConnectionState(SQLSMALLINT type, SQLHANDLE handle) {
  if (!handle) return false;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecA(type, handle, record, state, &native, nullptr, 0, &length)))
      return false;
    if (state[0] == '0' && state[1] == '8') return true;
  }
}

// Whether the driver knows its connection is gone (ODBC 3.5's SQL_ATTR_CONNECTION_DEAD).
// FreeTDS reports the statement that meets a lost link as an "Unknown error", without class
// 08 (only the statements after it get 08S01), but it does mark the connection dead.
bool DriverSaysDead(SQLHANDLE connection) {
  SQLUINTEGER dead = SQL_CD_FALSE;
  return connection &&
         SQL_SUCCEEDED(
             SQLGetConnectAttr(connection, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
         dead == SQL_CD_TRUE;
}

// A dropped link leaves the connection looking open; the driver's diagnostics tell.
bool IsLinkFailure(QSqlQuery& query, const QSqlDatabase& db) {
  const SQLHANDLE connection = HandleOf(db.driver()->handle());
  return HasConnectionState(SQL_HANDLE_STMT, HandleOf(query.result()->handle())) ||
         HasConnectionState(SQL_HANDLE_DBC, connection) || DriverSaysDead(connection);
}

void ApplyQueryTimeout(QSqlQuery& query, int seconds) {
  if (SQLHANDLE statement = HandleOf(query.result()->handle()))
    SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), 0);
}

// Opens the connection and sets it up for the client's statements. False when it cannot.
bool OpenSession(QSqlDatabase& db) {
  if (!db.open()) return false;
  // Row counts of procedures would otherwise arrive as extra results.
  QSqlQuery(QStringLiteral("SET NOCOUNT ON"), db).finish();
  return true;
}

}  // namespace

OdbcConnection::OdbcConnection(const QString& connectionString, int loginTimeoutSeconds)
    : name_(NextConnectionName()), connectionString_(connectionString) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
  db.setDatabaseName(connectionString_);
  // Without it a driver may wait for an unreachable server as long as the network lets it.
  db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginTimeoutSeconds));
  if (!OpenSession(db)) {
    const QString error = db.lastError().text();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw DatabaseError(QStringLiteral("Cannot connect to the database server: %1").arg(error));
  }
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
  if (!db.isOpen() && !OpenSession(db))
    throw DatabaseError(
        QStringLiteral("Cannot reconnect to the database server: %1").arg(db.lastError().text()));
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.prepare(sql)) throw DatabaseError(query.lastError().text());
  ApplyQueryTimeout(query, timeout);
  if (!query.exec()) {
    const QString error = query.lastError().text();
    // This statement fails; the next one reconnects.
    if (IsLinkFailure(query, db)) {
      db.close();
      throw LinkError(error);
    }
    throw DatabaseError(error);
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
