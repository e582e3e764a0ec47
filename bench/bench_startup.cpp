// Time from the start of the program to a usable main window on the demo database, painted on
// screen for the first time, beside the same for a window that shows one label and one table row
// of text in the main window's font as the floor: it loads the fonts and the item views the
// program needs, which a bare window never does. The bare window's start is measured too, as it
// was the floor before. Each start is a fresh process (this program run again with --child), so
// that everything a real start pays for is counted; the child says when its window is painted,
// and its closing down after that is waited for but not timed.
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "app/frmMain.h"
#include "common/BenchCommon.h"
#include "hospitaldb/EmbeddedServer.h"
#include "platform/widgets/Fonts.h"

namespace {

constexpr char kPainted[] = "painted\n";

// A window of the main window's size and font with a label and a table of one row of text.
void ShowText(QWidget& window) {
  window.setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8));
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

// Waits until the window system shows the window, which paints it whole for the first time, and
// tells the parent.
void ReportFirstPaint(QWidget& window) {
  while (!window.windowHandle()->isExposed())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  std::fputs(kPainted, stdout);
  std::fflush(stdout);
}

// The offscreen platform says for every window that it keeps no size hints; that says nothing
// of the program.
void QuietSizeHintNotes() {
  static const QtMessageHandler usual = qInstallMessageHandler(nullptr);
  qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("propagateSizeHints"))) usual(type, context, text);
      });
}

int RunChild(int argc, char** argv, const QByteArray& mode) {
  QuietSizeHintNotes();
  QApplication app(argc, argv);
  bench::FailOnMessageBox();
  QWidget floor;
  std::unique_ptr<frmMain> window;
  if (mode == "main") {
    window = std::make_unique<frmMain>();
    if (!window->Show()) return 1;
  } else {
    if (mode == "text") ShowText(floor);
    floor.resize(1243, 716);
    floor.show();
  }
  ReportFirstPaint(window ? *window : floor);
  return 0;
}

// A start of this program as a child that shows the bare window, the text window or the main
// window: timed up to its first paint, then waited for to its end.
class ChildStart {
 public:
  explicit ChildStart(QString mode) : mode_(std::move(mode)) {}

  bench::Side Side() {
    return {.run = [this] { StartToFirstPaint(); }, .finish = [this] { AwaitEnd(); }};
  }

 private:
  void StartToFirstPaint() {
    child_ = std::make_unique<QProcess>();
    child_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child_->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode_});
    while (!child_->canReadLine())
      if (!child_->waitForReadyRead(60000)) qFatal("the child ended before its first paint");
    if (child_->readLine() != kPainted) qFatal("the child said something else than it painted");
  }

  void AwaitEnd() {
    if (!child_->waitForFinished(60000) || child_->exitCode() != 0) qFatal("the child failed");
    child_.reset();
  }

  QString mode_;
  std::unique_ptr<QProcess> child_;
};

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

  ChildStart main(QStringLiteral("main")), text(QStringLiteral("text")),
      bare(QStringLiteral("bare"));
  bench::Report(QStringLiteral("startup"), bench::TimePairs(text.Side(), main.Side()));
  bench::Report(QStringLiteral("startup_over_bare_window"),
                bench::TimePairs(bare.Side(), main.Side()));
  return 0;
}
