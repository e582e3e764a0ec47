#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

namespace testsupport {

// Keeps a test from hanging on a window nobody answers. While it lives it looks, every poll
// interval, at the active modal widget and at every visible top-level dialog or message box;
// one still open after the grace period is closed (a message box by its escape or default
// button, a dialog by reject(), any other window by close()), nested modal loops included,
// and recorded as "ClassName 'title'". A recorded window fails the running test when the
// watchdog is destroyed, unless the test took the records (takeClosed()) or checked them.
class ModalWatchdog : public QObject {
  Q_OBJECT

 public:
  explicit ModalWatchdog(std::chrono::milliseconds grace = std::chrono::seconds(3),
                         std::chrono::milliseconds interval = std::chrono::milliseconds(100));
  ~ModalWatchdog() override;

  bool failed() const { return !closed_.isEmpty(); }
  QStringList closed() const { return closed_; }
  // The records, leaving none: for a test that expects the watchdog to step in.
  QStringList takeClosed();
  QString report() const;

  // Closes, and records, every window still open now, without waiting for the grace period.
  void closeLeftovers();

 private:
  void poll();
  void closeAndRecord(QWidget* window);

  std::chrono::milliseconds grace_;
  QTimer timer_;
  QElapsedTimer clock_;
  QHash<QWidget*, qint64> firstSeen_;
  QStringList closed_;
  bool reported_ = false;
};

// The windows the watchdog watches: the active modal widget (first), then every visible
// top-level dialog.
QList<QWidget*> OpenModalWindows();

// "ClassName 'title'".
QString DescribeWindow(const QWidget* window);

// Runs `action` once on the next modal widget that opens (one other than the modal widget
// active now), from inside its modal loop; lets a test drive a real dialog. Gives up silently
// after `timeout` (the watchdog then closes the window). Call it before the code that opens
// the window.
void OnNextModal(std::function<void(QWidget*)> action,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace testsupport

// Closes what is still open and fails the test naming each window the watchdog had to close.
#define VERIFY_NO_STRAY_MODAL(watchdog)                          \
  do {                                                           \
    (watchdog).closeLeftovers();                                 \
    const QString strayReport_ = (watchdog).report();            \
    const bool strayFound_ = !(watchdog).takeClosed().isEmpty(); \
    QVERIFY2(!strayFound_, qPrintable(strayReport_));            \
  } while (false)
