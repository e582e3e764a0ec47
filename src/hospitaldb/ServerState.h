#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace hospitaldb {

// What an EmbeddedServer and its connections share: one named Qt SQL connection to the file.
// Every EmbeddedServer object opens its own, so several may work on one file in a process.
struct ServerState {
  explicit ServerState(const QString& path);
  ~ServerState();
  ServerState(const ServerState&) = delete;
  ServerState& operator=(const ServerState&) = delete;

  QSqlDatabase database() const;

  // The server clock: the machine clock, to the whole second, plus the stored offset.
  QDateTime now() const;
  void setNow(const QDateTime& when);

  // Throws platform::DatabaseError when the file has gone since it was opened. SQLite would go
  // on reading and writing the deleted file, and everything saved would be lost when the
  // program ends, after it had been reported as saved.
  void CheckFileIsThere() const;

  const QString path;
  const QString connectionName;
  // The login its connections run under, as ORIGINAL_LOGIN() names it: the machine's user.
  QString login;
};

}  // namespace hospitaldb
