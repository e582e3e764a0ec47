#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// The real ODBC drivers the tests reach through the driver manager: the SQLite ODBC driver and
// FreeTDS, registered in an odbcinst.ini of the test's own (ODBCSYSINI), so that the machine's
// registrations are neither needed nor used. Make one before the first ODBC call of the process.
class OdbcDrivers {
 public:
  OdbcDrivers();
  ~OdbcDrivers();
  OdbcDrivers(const OdbcDrivers&) = delete;
  OdbcDrivers& operator=(const OdbcDrivers&) = delete;

  // Empty when the driver's library is not installed (scripts/install-deps --tests installs both).
  static QString SqliteDriverLibrary();
  static QString FreeTdsDriverLibrary();

  // A connection string to an SQLite file through the SQLite ODBC driver.
  QString Sqlite(const QString& databaseFile) const;
  // A connection string as a site writes it for FreeTDS, to a server on 127.0.0.1.
  QString FreeTds(quint16 port) const;

 private:
  QTemporaryDir dir_;
  QByteArray oldSysIni_, oldIni_;
};

}  // namespace testsupport
