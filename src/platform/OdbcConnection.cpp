#include "platform/OdbcConnection.h"

#include <sql.h>
#include <sqlext.h>

#include <QAtomicInt>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Errors.h"
#include "platform/WallClock.h"

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

// Whether the statement was given up at its query timeout: SQLSTATE HYT00, or S1T00 as a
// driver speaking ODBC 2 (FreeTDS under Qt) reports it.
bool TimedOut(SQLHANDLE statement) {
  for (SQLSMALLINT record = 1; statement; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecA(SQL_HANDLE_STMT, statement, record, state, &native, nullptr,
                                      0, &length)))
      return false;
    const std::string_view code(reinterpret_cast<const char*>(state));
    if (code == "HYT00" || code == "S1T00") return true;
  }
  return false;
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
bool IsLinkFailure(SQLHANDLE statement, const QSqlDatabase& db) {
  const SQLHANDLE connection = HandleOf(db.driver()->handle());
  return HasConnectionState(SQL_HANDLE_STMT, statement) ||
         HasConnectionState(SQL_HANDLE_DBC, connection) || DriverSaysDead(connection);
}

// The text of a handle's diagnostic records, one line each.
QString DiagnosticText(SQLSMALLINT type, SQLHANDLE handle) {
  QStringList lines;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, record, state, &native, message,
                                      SQLSMALLINT(std::size(message)), &length)))
      break;
    lines << QString::fromUtf16(reinterpret_cast<const char16_t*>(message),
                                std::min<qsizetype>(length, std::size(message) - 1));
  }
  return lines.isEmpty() ? QStringLiteral("The ODBC driver reports an error.") : lines.join(u' ');
}

// One statement executed directly (SQLExecDirect) on a statement handle of its own, with the
// query timeout set on that handle before it runs. Prepared, the client's procedure calls
// (written without EXEC) would reach the server as prepared calls; direct, they arrive as the
// batch the client wrote. Results are read forward-only, by column in order, one row ahead.
class DirectStatement : public Recordset {
 public:
  DirectStatement(QSqlDatabase db, const QString& sql, int timeout) : db_(std::move(db)) {
    const SQLHANDLE connection = HandleOf(db_.driver()->handle());
    if (!connection || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &stmt_)))
      fail(QStringLiteral("The connection has no statement to run."));
    SQLSetStmtAttr(stmt_, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeout)), 0);
    SQLSetStmtAttr(stmt_, SQL_ATTR_CURSOR_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), 0);
    std::u16string text(sql.utf16(), sql.utf16() + sql.size());
    const SQLRETURN r =
        SQLExecDirectW(stmt_, reinterpret_cast<SQLWCHAR*>(text.data()), SQLINTEGER(text.size()));
    if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA) failStatement();
    // Skip what returns no columns (row counts), up to the first result with columns.
    SQLSMALLINT count = 0;
    while (SQL_SUCCEEDED(SQLNumResultCols(stmt_, &count)) && count == 0 && nextResult()) {
    }
    describe(count);
    fetchAhead();
    MoveNext();
  }
  ~DirectStatement() override { Close(); }

  // Reads every further result, so that an error raised after the first one is reported.
  void Drain() {
    while (nextResult()) {
    }
  }

  bool AtEnd() const override { return atEnd_; }
  int FieldCount() const override { return int(names_.size()); }
  QString FieldName(int index) const override { return names_.value(index); }
  QVariant Value(int index) const override {
    if (atEnd_) throw DatabaseError(QStringLiteral("There is no current row."));
    return row_.value(index);
  }
  void MoveNext() override {
    atEnd_ = !ahead_;
    if (atEnd_) return;
    row_ = std::move(*ahead_);
    fetchAhead();
  }
  void Close() override {
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    stmt_ = nullptr;
    atEnd_ = true;
  }

 private:
  [[noreturn]] void fail(const QString& message) {
    Close();
    throw DatabaseError(message);
  }

  // The statement's error; a lost link also closes the connection, so that the next statement
  // reconnects.
  [[noreturn]] void failStatement() {
    const QString message = DiagnosticText(SQL_HANDLE_STMT, stmt_);
    if (IsLinkFailure(stmt_, db_)) {
      Close();
      db_.close();
      throw LinkError(message);
    }
    if (TimedOut(stmt_)) {
      Close();
      throw QueryTimeoutError(message);
    }
    fail(message);
  }

  // Reads the row after the current one. Past the last row it reads every further result, so
  // that an error the server raises after the rows (a THROW after a procedure's SELECT) fails
  // the reading while its rows are still current, instead of being lost with the statement.
  void fetchAhead() {
    ahead_.reset();
    if (!stmt_ || names_.isEmpty()) return;
    const SQLRETURN r = SQLFetch(stmt_);
    if (r == SQL_NO_DATA) return Drain();
    if (!SQL_SUCCEEDED(r)) failStatement();
    QVariantList row;
    for (int c = 0; c < int(names_.size()); ++c)
      row << read(c);
    ahead_ = std::move(row);
  }

  bool nextResult() {
    const SQLRETURN r = SQLMoreResults(stmt_);
    if (r == SQL_NO_DATA) return false;
    if (!SQL_SUCCEEDED(r)) failStatement();
    return true;
  }

  void describe(SQLSMALLINT count) {
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
      SQLWCHAR name[256] = {};
      SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      if (!SQL_SUCCEEDED(SQLDescribeColW(stmt_, c, name, SQLSMALLINT(std::size(name)), &length,
                                         &type, &size, &digits, &nullable)))
        failStatement();
      names_ << QString::fromUtf16(reinterpret_cast<const char16_t*>(name),
                                   std::min<qsizetype>(length, std::size(name) - 1));
      types_.push_back(type);
    }
  }

  QVariant read(int c) {
    const SQLUSMALLINT column = SQLUSMALLINT(c + 1);
    SQLLEN indicator = 0;
    switch (types_[c]) {
      case SQL_TYPE_TIMESTAMP:
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
      case SQL_TIMESTAMP:  // the same types as a driver of the ODBC 2 era names them
      case SQL_DATE:
      case SQL_TIME: {
        SQL_TIMESTAMP_STRUCT t{};
        get(column, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &indicator);
        if (indicator == SQL_NULL_DATA) return QVariant();
        return WallClock(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
      }
      case SQL_INTEGER:
      case SQL_SMALLINT:
      case SQL_TINYINT:
      case SQL_BIT: {
        SQLINTEGER n = 0;
        get(column, SQL_C_SLONG, &n, sizeof n, &indicator);
        return indicator == SQL_NULL_DATA ? QVariant() : QVariant(int(n));
      }
      case SQL_BIGINT: {
        SQLBIGINT n = 0;
        get(column, SQL_C_SBIGINT, &n, sizeof n, &indicator);
        return indicator == SQL_NULL_DATA ? QVariant() : QVariant(qlonglong(n));
      }
      case SQL_FLOAT:
      case SQL_REAL:
      case SQL_DOUBLE: {
        double d = 0;
        get(column, SQL_C_DOUBLE, &d, sizeof d, &indicator);
        return indicator == SQL_NULL_DATA ? QVariant() : QVariant(d);
      }
      default:
        return readText(column);
    }
  }

  // Text in pieces: the driver hands a long value over in as many calls as it needs.
  QVariant readText(SQLUSMALLINT column) {
    QString text;
    char16_t buffer[2048];
    for (;;) {
      SQLLEN indicator = 0;
      const SQLRETURN r = SQLGetData(stmt_, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
      if (r == SQL_NO_DATA) break;
      if (!SQL_SUCCEEDED(r)) failStatement();
      if (indicator == SQL_NULL_DATA) return QVariant();
      const qsizetype whole = qsizetype(std::size(buffer)) - 1;
      const qsizetype got =
          indicator == SQL_NO_TOTAL || indicator / 2 > whole ? whole : indicator / 2;
      text.append(QStringView(buffer, got));
      if (r == SQL_SUCCESS) break;
    }
    return text;
  }

  void get(SQLUSMALLINT column, SQLSMALLINT type, void* into, SQLLEN size, SQLLEN* indicator) {
    if (!SQL_SUCCEEDED(SQLGetData(stmt_, column, type, into, size, indicator))) failStatement();
  }

  QSqlDatabase db_;
  SQLHANDLE stmt_ = nullptr;
  QStringList names_;
  std::vector<SQLSMALLINT> types_;
  QVariantList row_;
  std::optional<QVariantList> ahead_;
  bool atEnd_ = true;
};

// Opens the connection and sets it up for the client's statements. False when it cannot.
bool OpenSession(QSqlDatabase& db) {
  if (!db.open()) return false;
  try {
    DirectStatement(db, QString::fromLatin1(OdbcConnection::kSessionSettings),
                    OdbcConnection::kLoginTimeoutSeconds)
        .Drain();
  } catch (const DatabaseError&) {
    // A server that has no such settings (the tests' SQLite) sends no row counts either; a
    // lost link has closed the connection.
  }
  return db.isOpen();
}

std::unique_ptr<DirectStatement> Run(const QString& name, const QString& sql, int timeout) {
  QSqlDatabase db = QSqlDatabase::database(name, false);
  if (!db.isOpen() && !OpenSession(db))
    throw DatabaseError(
        QStringLiteral("Cannot reconnect to the database server: %1").arg(db.lastError().text()));
  return std::make_unique<DirectStatement>(db, sql, timeout);
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

void OdbcConnection::Execute(const QString& sql) {
  Run(name_, sql, CommandTimeout())->Drain();
}

std::unique_ptr<Recordset> OdbcConnection::Open(const QString& sql, CursorType, LockType) {
  // Results are always read forward-only: the driver cannot keep a scrollable cursor open
  // beside the next statement, and the client reads every result from start to end.
  return Run(name_, sql, CommandTimeout());
}

}  // namespace platform
