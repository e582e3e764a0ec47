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

  // What each session is set to as it opens, whatever the driver's and the login's defaults:
  // no row counts as extra results; the ANSI behaviour that indexes on computed columns and
  // the procedures' plans expect; and a run-time error ends the batch and rolls back its
  // transaction, so that no half-done write stays open.
  static constexpr char kSessionSettings[] =
      "SET NOCOUNT ON; SET ANSI_NULLS ON; SET ANSI_PADDING ON; SET ANSI_WARNINGS ON; "
      "SET QUOTED_IDENTIFIER ON; SET XACT_ABORT ON;";

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
