#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace testsupport {

TestEnvironment::TestEnvironment()
    : oldDatabase_(qgetenv("ORSCHED_DATABASE")),
      oldRuntime_(qgetenv("XDG_RUNTIME_DIR")),
      oldOdbc_(qgetenv("ORSCHED_ODBC")),
      oldEmployee_(qgetenv("ORSCHED_EMPLOYEE")) {
  const QString runtime = path(QStringLiteral("runtime"));
  QDir().mkpath(runtime);
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
  qputenv("ORSCHED_DATABASE", QFile::encodeName(databasePath()));
  qunsetenv("ORSCHED_ODBC");
  qunsetenv("ORSCHED_EMPLOYEE");
}

TestEnvironment::~TestEnvironment() {
  auto restore = [](const char* name, const QByteArray& value) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  };
  restore("ORSCHED_DATABASE", oldDatabase_);
  restore("XDG_RUNTIME_DIR", oldRuntime_);
  restore("ORSCHED_ODBC", oldOdbc_);
  restore("ORSCHED_EMPLOYEE", oldEmployee_);
}

}  // namespace testsupport
