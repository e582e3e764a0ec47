// The SQL Server scripts and the client. `demo` prints the demo data, `check` the site's check
// of the client's calls (both made from the client itself), `statements` the client's
// statements for a T-SQL parser, one a line; `verify FOLDER` reads the scripts
// of a folder and names everything in them that the client would not survive, for a site that
// changes them.
#include <QCoreApplication>
#include <cstdio>
#include <stdexcept>

#include "tools/ScriptContract.h"
#include "tools/SqlServerScripts.h"

namespace {

int Verify(const QString& folder) {
  QStringList problems;
  try {
    problems =
        tools::ContractProblems(tools::TsqlScripts::Read(tools::ReferenceScriptFiles(folder)));
  } catch (const std::exception& error) {
    problems << QString::fromUtf8(error.what());
  }
  for (const QString& problem : problems)
    std::fprintf(stderr, "%s\n", qPrintable(problem));
  if (problems.isEmpty()) std::printf("The scripts serve every statement of the client.\n");
  return problems.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  QString script;
  if (which == QLatin1String("demo"))
    script = tools::DemoDataScript();
  else if (which == QLatin1String("check"))
    script = tools::ClientCallsScript();
  else if (which == QLatin1String("statements"))
    script = tools::ClientStatementsToParse().join(u'\n') + u'\n';
  else if (which == QLatin1String("verify") && argc > 2)
    return Verify(QString::fromLocal8Bit(argv[2]));
  else {
    std::fprintf(stderr, "usage: %s demo | check | statements | verify FOLDER\n", argv[0]);
    return 2;
  }
  std::fputs(script.toUtf8().constData(), stdout);
  return 0;
}
