#pragma once

#include <QString>
#include <memory>

#include "platform/Connection.h"

namespace platform {

// A connection to the hospital's SQL Server through ODBC. Statement texts go to the server as
// they are, executed directly (never prepared), each with CommandTimeout as its query timeout;
// results are read forward-only and each statement is finished before the next.
class OdbcConnection : public ConnectionSettingsBase {
 public:
  // How long a login waits for a server that does not answer: long enough for a slow network,
  // short enough that start-up says "Connection Failed" rather than seeming to hang.
  static constexpr int kLoginTimeoutSeconds = 5;

  // Connects with an ODBC connection string. Throws DatabaseError when the server cannot be
  // reached within the login timeout or refuses the login; a reconnect waits as long.
  explicit OdbcConnection(const QString& connectionString,
                          int loginTimeoutSeconds = kLoginTimeoutSeconds);
  ~OdbcConnection() override;

  void Execute(const QString& sql) override;
  std::unique_ptr<Recordset> Open(const QString& sql, CursorType cursor, LockType lock) override;

 private:
  QString name_;
  QString connectionString_;
};

}  // namespace platform
