#include "suite/ConnectionSettings.h"

#include <QDebug>
#include <QProcessEnvironment>

#include "hospitaldb/ClientStatements.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/TsqlText.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/OdbcConnection.h"

namespace suite {

std::shared_ptr<platform::Connection> OpenConfiguredConnection() {
  const QString odbc = qEnvironmentVariable("ORSCHED_ODBC");
  if (!odbc.isEmpty()) return std::make_shared<platform::OdbcConnection>(odbc);
  hospitaldb::EmbeddedServer server(hospitaldb::DefaultDatabasePath());
  server.SeedDemoData();
  return server.Connect();
}

QString LoginEmployeeSql() {
  return QString::fromLatin1(hospitaldb::ClientStatement::kLoginEmployee);
}

QString SignedInEmployeeCode(platform::Connection& connection) {
  const QString configured = qEnvironmentVariable("ORSCHED_EMPLOYEE");
  QString login, mapped;
  try {
    const auto row = connection.Open(LoginEmployeeSql());
    if (!row->AtEnd()) {
      login = row->Text(0);
      mapped = row->Value(1).isNull() ? QString() : row->Text(1);
    }
  } catch (const platform::LinkError&) {
    throw;
  } catch (const platform::DatabaseError& error) {
    // A site that has not installed the mapping works as before.
    qWarning().noquote() << "The server does not map logins to employees:" << error.message();
  }
  if (mapped.isEmpty()) return configured.isEmpty() ? hospitaldb::DemoEmployeeCode() : configured;
  if (!configured.isEmpty() && !hospitaldb::TsqlEquals(configured, mapped))
    throw platform::ComponentError(
        QStringLiteral("The server knows the login %1 as employee %2, but this workstation's "
                       "ORSCHED_EMPLOYEE names employee %3. Remove ORSCHED_EMPLOYEE from its "
                       "settings, or set it to %2.")
            .arg(login, mapped, configured));
  return mapped;
}

}  // namespace suite
