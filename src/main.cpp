// The program orscheduler: showing the main window is the whole start-up.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/frmMain.h"
#include "platform/Display.h"

int main(int argc, char** argv) {
  QString advice;
  if (!platform::DisplayAvailable(&advice)) {
    std::fprintf(stderr, "%s\n", qPrintable(advice));
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(ORSCHED_VERSION));  // the package's too
  // The installed desktop entry and icon (cmake --install) go with the window on the desktop.
  QGuiApplication::setDesktopFileName(QStringLiteral("orscheduler"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orscheduler")));
  frmMain window;
  if (!window.Show()) return 1;  // refused or failed at start-up; it said why
  return app.exec();
}
