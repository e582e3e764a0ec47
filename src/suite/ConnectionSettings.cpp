#include "suite/ConnectionSettings.h"

#include <QProcessEnvironment>

#include "hospitaldb/EmbeddedServer.h"
#include "platform/OdbcConnection.h"

namespace suite {

std::shared_ptr<platform::Connection> OpenConfiguredConnection() {
  const QString odbc = qEnvironmentVariable("ORSCHED_ODBC");
  if (!odbc.isEmpty()) return std::make_shared<platform::OdbcConnection>(odbc);
  hospitaldb::EmbeddedServer server(hospitaldb::DefaultDatabasePath());
  server.SeedDemoData();
  return server.Connect();
}

QString ConfiguredEmployeeCode() {
  const QString code = qEnvironmentVariable("ORSCHED_EMPLOYEE");
  return code.isEmpty() ? hospitaldb::DemoEmployeeCode() : code;
}

}  // namespace suite
