#include "suite/ConnectionSettings.h"

#include <QDebug>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "hospitaldb/ClientStatements.h"
#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/TsqlText.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/OdbcConnection.h"

using namespace Qt::StringLiterals;

namespace suite {
namespace {

// The hospital server's ODBC connection string; empty for the embedded database.
QString ServerConnectionString() {
  return qEnvironmentVariable("ORSCHED_ODBC");
}

// The program's name on its sessions, so that the server's administrator can tell them from
// others'; a name the site gave in the string is kept.
QString WithApplicationName(const QString& odbc) {
  static const QRegularExpression named(QStringLiteral("(^|;)\\s*APP\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
  if (odbc.contains(named)) return odbc;
  return odbc + (odbc.trimmed().endsWith(u';') ? QString() : QStringLiteral(";")) +
         QStringLiteral("APP=") + kApplicationName;
}

[[noreturn]] void RefuseSignIn(const QString& why) {
  throw platform::ComponentError(why);
}

}  // namespace

std::shared_ptr<platform::Connection> OpenConfiguredConnection() {
  const QString odbc = ServerConnectionString();
  if (!odbc.isEmpty()) return std::make_shared<platform::OdbcConnection>(WithApplicationName(odbc));
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
  bool enforced = false;
  try {
    const auto row = connection.Open(LoginEmployeeSql());
    if (!row->AtEnd()) {
      login = row->Text(0);
      mapped = row->Value(1).isNull() ? QString() : row->Text(1);
      enforced = row->FieldCount() > 2 && row->Value(2).toBool();
    }
  } catch (const platform::LinkError&) {
    throw;
  } catch (const platform::DatabaseError& error) {
    // A site that has not installed the mapping works as before.
    qWarning().noquote() << "The server does not map logins to employees:" << error.message();
  }
  const QString who =
      login.isEmpty() ? QStringLiteral("this workstation's login") : u"the login "_s + login;
  if (mapped.isEmpty() && enforced)
    RefuseSignIn(QStringLiteral("The server takes work only under the employee each login is "
                                "mapped to, and it maps %1 to none. Ask the database "
                                "administrator to map it to your employee code.")
                     .arg(who));
  if (mapped.isEmpty() && configured.isEmpty() && !ServerConnectionString().isEmpty())
    RefuseSignIn(QStringLiteral("The server names no employee for %1, and ORSCHED_EMPLOYEE is "
                                "not set on this workstation, so the program cannot tell whose "
                                "work it would record. Ask the database administrator to map "
                                "the login to your employee code, or set ORSCHED_EMPLOYEE to it.")
                     .arg(who));
  // The demo user signs in only on the embedded database.
  if (mapped.isEmpty()) return configured.isEmpty() ? hospitaldb::DemoEmployeeCode() : configured;
  if (!configured.isEmpty() && !hospitaldb::TsqlEquals(configured, mapped))
    RefuseSignIn(
        QStringLiteral("The server knows the login %1 as employee %2, but this workstation's "
                       "ORSCHED_EMPLOYEE names employee %3. Remove ORSCHED_EMPLOYEE from its "
                       "settings, or set it to %2.")
            .arg(login, mapped, configured));
  return mapped;
}

}  // namespace suite
