#include "platform/Display.h"

#include <QtGlobal>

namespace platform {

bool DisplayAvailable(QString* advice) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    if (advice)
      *advice = QStringLiteral(
          "There is no display to show the OR Scheduler window on (DISPLAY is not set).\n"
          "Run it on a desktop, or under a virtual display:\n"
          "    xvfb-run -a make run\n"
          "(xvfb-run comes with the package xvfb, which scripts/install-deps installs).");
    return false;
  }
#endif
  Q_UNUSED(advice);
  return true;
}

}  // namespace platform
