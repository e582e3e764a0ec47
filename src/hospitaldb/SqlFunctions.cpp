#include "hospitaldb/SqlFunctions.h"

#include <sqlite3.h>

#include <QSqlDriver>
#include <QVariant>

#include "hospitaldb/TsqlText.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/QueryRecordset.h"

namespace hospitaldb {
namespace {

QString TextArgument(sqlite3_value* value) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

int CompareTsql(void*, int leftSize, const void* left, int rightSize, const void* right) {
  const QString a = QString::fromUtf8(static_cast<const char*>(left), leftSize);
  const QString b = QString::fromUtf8(static_cast<const char*>(right), rightSize);
  return TsqlCompare(a, b);
}

void LikeFunction(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL ||
      sqlite3_value_type(values[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  sqlite3_result_int(context, TsqlLike(TextArgument(values[0]), TextArgument(values[1])) ? 1 : 0);
}

void BoardTimeFunction(sqlite3_context* context, int, sqlite3_value** values) {
  const QDateTime when = sqlite3_value_type(values[0]) == SQLITE_NULL
                             ? QDateTime()
                             : platform::DateTimeFromIsoText(TextArgument(values[0]));
  if (!when.isValid()) {
    sqlite3_result_null(context);
    return;
  }
  const QByteArray text = platform::Format(when, QStringLiteral("hh:mm AM/PM")).toUtf8();
  sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

sqlite3* HandleOf(const QSqlDatabase& db) {
  const QVariant handle = db.driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    throw platform::DatabaseError(QStringLiteral("The database driver is not SQLite."));
  sqlite3* raw = *static_cast<sqlite3* const*>(handle.constData());
  if (!raw) throw platform::DatabaseError(QStringLiteral("The database is not open."));
  return raw;
}

void Check(sqlite3* handle, int result) {
  if (result != SQLITE_OK) throw platform::DatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
}

}  // namespace

void RegisterTsqlFunctions(const QSqlDatabase& db) {
  sqlite3* handle = HandleOf(db);
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  Check(handle,
        sqlite3_create_collation_v2(handle, "TSQL", SQLITE_UTF8, nullptr, CompareTsql, nullptr));
  Check(handle, sqlite3_create_function_v2(handle, "tsql_like", 2, flags, nullptr, LikeFunction,
                                           nullptr, nullptr, nullptr));
  Check(handle, sqlite3_create_function_v2(handle, "board_time", 1, flags, nullptr,
                                           BoardTimeFunction, nullptr, nullptr, nullptr));
}

bool InTransaction(const QSqlDatabase& db) {
  return sqlite3_get_autocommit(HandleOf(db)) == 0;
}

}  // namespace hospitaldb
