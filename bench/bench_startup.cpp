// Time from the start of the program to a usable, painted main window on the demo database,
// beside the start of a window that shows one label and one table row of text as the floor: it
// loads the fonts and the item views the program needs, which a bare window never does. The
// bare window's start is measured too, as it was the floor before. Each start is a fresh process
// (this program run again with --child), so that everything a real start pays for is counted.
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"

namespace {

// A window of the main window's size with a label and a table of one row of text.
void ShowText(QWidget& window) {
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QStringLiteral("Search by date:"), &window));
  auto* table = new QTableWidget(1, 3, &window);
  table->setHorizontalHeaderLabels(
      {QStringLiteral("PatientName"), QStringLiteral("ProcedureName"), QStringLiteral("RoomNo")});
  table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("DELA CRUZ, JUAN")));
  table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("APPENDECTOMY")));
  table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("W-201")));
  layout->addWidget(table);
}

int RunChild(int argc, char** argv, const QByteArray& mode) {
  QApplication app(argc, argv);
  bench::FailOnMessageBox();
  QWidget floor;
  frmMain* window = nullptr;
  if (mode == "main") {
    window = new frmMain;
    if (!window->Show()) return 1;
  } else {
    if (mode == "text") ShowText(floor);
    floor.resize(1243, 716);
    floor.show();
  }
  QWidget* shown = window ? static_cast<QWidget*>(window) : &floor;
  shown->repaint();  // usable and painted
  delete window;
  return 0;
}

// Starts this program again as a child that shows the bare window, the text window or the main
// window.
void StartChild(const QString& mode) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
  if (!child.waitForFinished(60000) || child.exitCode() != 0) qFatal("the child start failed");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
    return RunChild(argc, argv, QByteArray(argv[2]));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
  qputenv("ORSCHED_DATABASE", path.toUtf8());
  qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
  QCoreApplication app(argc, argv);
  hospitaldb::EmbeddedServer(path).SeedDemoData();  // the demo database exists, as on a workstation

  const bench::Side main{[] { StartChild(QStringLiteral("main")); }};
  bench::Report(QStringLiteral("startup"),
                bench::TimePairs({[] { StartChild(QStringLiteral("text")); }}, main));
  bench::Report(QStringLiteral("startup_over_bare_window"),
                bench::TimePairs({[] { StartChild(QStringLiteral("bare")); }}, main));
  return 0;
}
