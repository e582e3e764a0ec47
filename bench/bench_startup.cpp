// Time from the start of the program to a usable, painted main window on the demo database,
// beside a bare Qt window's start as the floor. Each start is a fresh process (this program
// run again with --child), so that everything a real start pays for is counted.
#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"

namespace {

int RunChild(int argc, char** argv, bool mainWindow) {
  QApplication app(argc, argv);
  bench::FailOnMessageBox();
  QWidget bare;
  frmMain* window = nullptr;
  if (mainWindow) {
    window = new frmMain;
    if (!window->Show()) return 1;
  } else {
    bare.resize(1243, 716);
    bare.show();
  }
  QWidget* shown = window ? static_cast<QWidget*>(window) : &bare;
  shown->repaint();  // usable and painted
  delete window;
  return 0;
}

// Starts this program again as a child that shows the bare window or the main window.
void StartChild(const QString& mode) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
  if (!child.waitForFinished(60000) || child.exitCode() != 0) qFatal("the child start failed");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
    return RunChild(argc, argv, qstrcmp(argv[2], "main") == 0);

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
  qputenv("ORSCHED_DATABASE", path.toUtf8());
  qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
  QCoreApplication app(argc, argv);
  hospitaldb::EmbeddedServer(path).SeedDemoData();  // the demo database exists, as on a workstation

  const bench::PairedTimes times = bench::TimePairs({[] { StartChild(QStringLiteral("bare")); }},
                                                    {[] { StartChild(QStringLiteral("main")); }});
  bench::Report(QStringLiteral("startup"), times);
  return 0;
}
