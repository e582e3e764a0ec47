#pragma once

#include <QObject>
#include <QRect>

class QScreen;
class QWidget;

namespace platform {

// The system-information control: says when the display configuration changes (a screen added,
// removed or resized, the task bar moved) and reports the work area, the part of a screen not
// covered by task bars and docks. Tests put a subclass in its place, as a display cannot be
// changed under them.
class SysInfo : public QObject {
  Q_OBJECT

 public:
  explicit SysInfo(QObject* parent = nullptr);

  // The work area of the screen that shows `window` (the primary screen's when it shows on
  // none), in pixels.
  virtual QRect WorkArea(const QWidget* window) const;

 signals:
  void DisplayChanged();

 private:
  void watch(QScreen* screen);
};

}  // namespace platform
