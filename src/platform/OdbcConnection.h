#pragma once

#include <QString>
#include <memory>

#include "platform/Connection.h"

namespace platform {

// A connection to the hospital's SQL Server through ODBC. Statement texts go to the server as
// they are; results are read forward-only and each statement is finished before the next.
class OdbcConnection : public ConnectionSettingsBase {
 public:
  // Connects with an ODBC connection string. Throws DatabaseError when the server cannot be
  // reached or refuses the login.
  explicit OdbcConnection(const QString& connectionString);
  ~OdbcConnection() override;

  void Execute(const QString& sql) override;
  std::unique_ptr<Recordset> Open(const QString& sql, CursorType cursor, LockType lock) override;

 private:
  QString name_;
  QString connectionString_;
};

}  // namespace platform
