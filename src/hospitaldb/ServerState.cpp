#include "hospitaldb/ServerState.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>

#include "hospitaldb/Schema.h"
#include "hospitaldb/SqlFunctions.h"
#include "hospitaldb/SqlHelpers.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"

namespace hospitaldb {
namespace {

QString NewConnectionName() {
  static QAtomicInteger<quint64> counter;
  return QStringLiteral("hospitaldb-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The machine clock as its wall shows it: the server keeps its own local date and time of day.
QDateTime MachineNowToTheSecond() {
  const QDateTime now = QDateTime::currentDateTime();
  return platform::WallClock(now.date(),
                             QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

// The machine's user, as a desk's login to a server would name it; never null, so that it
// compares as text.
QString MachineUser() {
  for (const char* variable : {"USER", "USERNAME", "LOGNAME"})
    if (const QString name = qEnvironmentVariable(variable); !name.isEmpty()) return name;
  return QStringLiteral("");
}

platform::DatabaseError CannotOpen(const QString& path, const QString& why) {
  return platform::DatabaseError(
      QStringLiteral("Cannot open the database %1: %2").arg(QDir::toNativeSeparators(path), why));
}

void OpenFile(QSqlDatabase& db, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  db.setDatabaseName(path);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
  if (!db.open()) throw CannotOpen(path, db.lastError().text());
  // SQLite reads the file at the first statement: a file that is no database, or cannot be
  // read, fails here, and the failure names it.
  try {
    // Readers never wait for the writer, and the writer waits for a busy lock instead of failing.
    ExecStatement(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    ExecStatement(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    RegisterTsqlFunctions(db);
    CreateSchema(db);
  } catch (const platform::DatabaseError& error) {
    throw CannotOpen(path, error.message());
  }
}

}  // namespace

ServerState::ServerState(const QString& filePath)
    : path(filePath), connectionName(NewConnectionName()), login(MachineUser()) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
  try {
    OpenFile(db, path);
  } catch (...) {
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
    throw;
  }
}

ServerState::~ServerState() {
  {
    QSqlDatabase db = database();
    db.close();
  }
  QSqlDatabase::removeDatabase(connectionName);
}

QSqlDatabase ServerState::database() const {
  return QSqlDatabase::database(connectionName, false);
}

void ServerState::CheckFileIsThere() const {
  if (!QFileInfo::exists(path))
    throw platform::DatabaseError(
        QStringLiteral("The database file %1 is missing. Nothing was read or saved; restore the "
                       "file and start the program again.")
            .arg(QDir::toNativeSeparators(path)));
}

QDateTime ServerState::now() const {
  const qint64 offset =
      ReadScalar(database(), QStringLiteral("SELECT ClockOffsetSeconds FROM tbServerInfo"))
          .toLongLong();
  return MachineNowToTheSecond().addSecs(offset);
}

void ServerState::setNow(const QDateTime& when) {
  const qint64 offset = MachineNowToTheSecond().secsTo(platform::AsWallClock(when));
  WriteTransaction transaction(database());
  ExecStatement(database(), QStringLiteral("UPDATE tbServerInfo SET ClockOffsetSeconds = ?"),
                {offset});
  transaction.Commit();
}

}  // namespace hospitaldb
