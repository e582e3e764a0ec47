// The program orscheduler: showing the main window is the whole start-up.
#include <QApplication>
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
  frmMain window;
  if (!window.Show()) return 1;  // refused or failed at start-up; it said why
  return app.exec();
}
