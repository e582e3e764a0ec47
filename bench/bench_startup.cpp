// Time from start to a usable main window on the demo database, beside a bare Qt window's
// start as the floor.
#include <QApplication>
#include <QTemporaryDir>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/MsgBox.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::SetMsgBoxHandler([](const QString& prompt, int, const QString&) {
    qFatal("unexpected message: %s", qPrintable(prompt));
    return 1;
  });
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
  qputenv("ORSCHED_DATABASE", path.toUtf8());
  qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
  hospitaldb::EmbeddedServer(path).SeedDemoData();  // the demo database exists, as on a workstation

  const double floor = bench::MedianMs(7, [] {
    QWidget bare;
    bare.resize(1243, 716);
    bare.show();
    bare.repaint();
  });
  const double startup = bench::MedianMs(7, [] {
    frmMain window;
    if (!window.Show()) qFatal("start-up failed");
    window.repaint();
  });
  bench::Report(QStringLiteral("startup"), startup, QStringLiteral("ms"), floor);
  return 0;
}
