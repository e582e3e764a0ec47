#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>

#include "hospitaldb/EmbeddedServer.h"
#include "platform/Errors.h"
#include "platform/QueryRecordset.h"
#include "platform/SqlQuote.h"
#include "platform/WallClock.h"
#include "tools/SqlServerScripts.h"

namespace tools {
namespace {

// Any day serves: the seed places everything relative to the server's date.
const QDate kSeedDay(2026, 12, 8);

struct Table {
  const char* target;   // where the rows go on SQL Server
  const char* columns;  // the embedded table's columns, as SQL Server names them
  const char* source;   // the embedded query, rows in insertion order
  bool keepsIdentity;   // the column list starts with an IDENTITY column to fill as it is
};

const Table kTables[] = {
    {"SCHEDULE.dbo.tbOrRoom", "RoomID, RoomName", "SELECT RoomID, RoomName FROM tbOrRoom", false},
    {"SCHEDULE.dbo.tbDoctor", "DoctorCode, LastName, FirstName, MiddleName, Specialty",
     "SELECT DoctorCode, LastName, FirstName, MiddleName, Specialty FROM tbDoctor", false},
    {"[PASSWORD].dbo.tbpasswordmain",
     "employeeid, lastname, firstname, middlename, originaldepartment",
     "SELECT employeeid, lastname, firstname, middlename, originaldepartment FROM tbpasswordmain",
     false},
    {"SCHEDULE.dbo.tbORSchedule", nullptr, "SELECT * FROM tbORSchedule", true},
    {"SCHEDULE.dbo.tbORScheduleDuration", "TransNum, Minutes",
     "SELECT TransNum, Minutes FROM tbORScheduleDuration", false},
};

// A stored date as an expression on @Today, the script's day at midnight.
QString DateExpression(const QDateTime& when) {
  const qint64 days = kSeedDay.daysTo(when.date());
  const int seconds = when.time().msecsSinceStartOfDay() / 1000;
  return QStringLiteral("DATEADD(second, %1, DATEADD(day, %2, @Today))").arg(seconds).arg(days);
}

QString Literal(const QVariant& value) {
  if (value.isNull()) return QStringLiteral("NULL");
  if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
    return value.toString();
  const QString text = value.toString();
  if (const QDateTime when = platform::DateTimeFromIsoText(text); when.isValid())
    return DateExpression(when);
  return QStringLiteral("N'") + platform::SqlQuote(text) + u'\'';
}

QString Insert(const QSqlDatabase& db, const Table& table) {
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.exec(QString::fromLatin1(table.source) + QStringLiteral(" ORDER BY rowid")))
    throw platform::DatabaseError(
        QStringLiteral("Cannot read %1").arg(QString::fromLatin1(table.source)));
  const QSqlRecord record = query.record();
  QStringList names;
  for (int c = 0; c < record.count(); ++c)
    names << record.fieldName(c);
  const QString columns = table.columns ? QString::fromLatin1(table.columns) : names.join(u", ");
  QStringList rows;
  while (query.next()) {
    QStringList values;
    for (int c = 0; c < record.count(); ++c)
      values << Literal(query.value(c));
    rows << QStringLiteral("    (") + values.join(u", ") + u')';
  }
  QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES\n")
                    .arg(QString::fromLatin1(table.target), columns) +
                rows.join(QStringLiteral(",\n")) + QStringLiteral(";\n");
  if (!table.keepsIdentity) return sql;
  const QString target = QString::fromLatin1(table.target);
  return QStringLiteral("SET IDENTITY_INSERT %1 ON;\n").arg(target) + sql +
         QStringLiteral("SET IDENTITY_INSERT %1 OFF;\n").arg(target);
}

const char* const kHeader =
    "-- The demo data of the embedded database, for a server to try the client on: operating\n"
    "-- rooms, doctors, staff (the demo user is E1001) and the requests of yesterday, today and\n"
    "-- the next five days with their expected durations, counted from the day this script runs.\n"
    "-- It fills empty tables only.\n"
    "-- Made by `make sqlserver-scripts` from the embedded database's seed; do not edit by hand.\n"
    "\n"
    "SET NOCOUNT ON;\n"
    "SET XACT_ABORT ON;\n"
    "IF EXISTS (SELECT 1 FROM SCHEDULE.dbo.tbORSchedule)\n"
    "   OR EXISTS (SELECT 1 FROM SCHEDULE.dbo.tbOrRoom)\n"
    "   OR EXISTS (SELECT 1 FROM [PASSWORD].dbo.tbpasswordmain)\n"
    "BEGIN\n"
    "    RAISERROR (N'The demo data goes into empty tables only.', 16, 1);\n"
    "    RETURN;\n"
    "END;\n"
    "DECLARE @Today datetime = CONVERT(date, GETDATE());\n"
    "BEGIN TRANSACTION;\n";

}  // namespace

QString DemoDataScript() {
  QTemporaryDir folder;
  hospitaldb::EmbeddedServer server(folder.filePath(QStringLiteral("demo.sqlite")));
  server.SetNow(platform::WallClock(kSeedDay, QTime(10, 0)));
  server.SeedDemoData();
  QString script = QString::fromLatin1(kHeader);
  for (const Table& table : kTables)
    script += Insert(server.Database(), table);
  return script + QStringLiteral("COMMIT;\nGO\n");
}

}  // namespace tools
