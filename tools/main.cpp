// Writes the SQL Server scripts that are made from the client itself: `demo` prints the demo
// data, `check` the site's check of the client's calls.
#include <QCoreApplication>
#include <cstdio>

#include "tools/SqlServerScripts.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  QString script;
  if (which == QLatin1String("demo"))
    script = tools::DemoDataScript();
  else if (which == QLatin1String("check"))
    script = tools::ClientCallsScript();
  else {
    std::fprintf(stderr, "usage: %s demo|check\n", argv[0]);
    return 2;
  }
  std::fputs(script.toUtf8().constData(), stdout);
  return 0;
}
