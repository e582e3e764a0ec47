#include "platform/widgets/SysInfo.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

SysInfo::SysInfo(QObject* parent) : QObject(parent) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (QScreen* screen : screens)
    watch(screen);
  connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
    watch(screen);
    emit DisplayChanged();
  });
  connect(qApp, &QGuiApplication::screenRemoved, this, &SysInfo::DisplayChanged);
  connect(qApp, &QGuiApplication::primaryScreenChanged, this, &SysInfo::DisplayChanged);
}

QRect SysInfo::WorkArea(const QWidget* window) const {
  QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void SysInfo::watch(QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, this, &SysInfo::DisplayChanged);
  connect(screen, &QScreen::availableGeometryChanged, this, &SysInfo::DisplayChanged);
}

}  // namespace platform
