#include "support/OdbcDrivers.h"

#include <QFile>

namespace testsupport {
namespace {

void Restore(const char* name, const QByteArray& value) {
  if (value.isNull())
    qunsetenv(name);
  else
    qputenv(name, value);
}

}  // namespace

QString OdbcDrivers::SqliteDriverLibrary() {
  return QStringLiteral(ORSCHED_SQLITE_ODBC_DRIVER);
}

QString OdbcDrivers::FreeTdsDriverLibrary() {
  return QStringLiteral(ORSCHED_FREETDS_ODBC_DRIVER);
}

OdbcDrivers::OdbcDrivers() : oldSysIni_(qgetenv("ODBCSYSINI")), oldIni_(qgetenv("ODBCINI")) {
  QFile drivers(dir_.filePath(QStringLiteral("odbcinst.ini")));
  if (drivers.open(QIODevice::WriteOnly | QIODevice::Text))
    drivers.write(
        QStringLiteral("[SQLite3 under test]\nDriver=%1\n\n[FreeTDS under test]\nDriver=%2\n")
            .arg(SqliteDriverLibrary(), FreeTdsDriverLibrary())
            .toUtf8());
  QFile(dir_.filePath(QStringLiteral("odbc.ini"))).open(QIODevice::WriteOnly);
  qputenv("ODBCSYSINI", QFile::encodeName(dir_.path()));
  qputenv("ODBCINI", QFile::encodeName(dir_.filePath(QStringLiteral("odbc.ini"))));
}

OdbcDrivers::~OdbcDrivers() {
  Restore("ODBCSYSINI", oldSysIni_);
  Restore("ODBCINI", oldIni_);
}

QString OdbcDrivers::Sqlite(const QString& databaseFile) const {
  return QStringLiteral("Driver={SQLite3 under test};Database=%1").arg(databaseFile);
}

QString OdbcDrivers::FreeTds(quint16 port) const {
  return QStringLiteral(
             "Driver={FreeTDS under test};Server=127.0.0.1;Port=%1;TDS_Version=7.4;"
             "ClientCharset=UTF-8;UID=orclient;PWD=secret")
      .arg(port);
}

}  // namespace testsupport
