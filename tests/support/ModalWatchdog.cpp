#include "support/ModalWatchdog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace testsupport {

QList<QWidget*> OpenModalWindows() {
  QList<QWidget*> windows;
  if (QWidget* modal = QApplication::activeModalWidget()) windows.append(modal);
  const QWidgetList topLevels = QApplication::topLevelWidgets();
  for (QWidget* widget : topLevels) {
    if (widget->isVisible() && qobject_cast<QDialog*>(widget) && !windows.contains(widget))
      windows.append(widget);
  }
  return windows;
}

QString DescribeWindow(const QWidget* window) {
  return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(window->metaObject()->className()),
                                       window->windowTitle());
}

ModalWatchdog::ModalWatchdog(std::chrono::milliseconds grace, std::chrono::milliseconds interval)
    : grace_(grace) {
  clock_.start();
  timer_.setInterval(interval);
  connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::poll);
  timer_.start();
}

ModalWatchdog::~ModalWatchdog() {
  timer_.stop();
  closeLeftovers();
  if (failed() && !reported_) QTest::qFail(qPrintable(report()), __FILE__, __LINE__);
}

QStringList ModalWatchdog::takeClosed() {
  reported_ = true;
  QStringList records;
  records.swap(closed_);
  return records;
}

QString ModalWatchdog::report() const {
  if (closed_.isEmpty()) return QString();
  return QStringLiteral("Windows left open and closed by the watchdog: ") +
         closed_.join(QStringLiteral(", "));
}

void ModalWatchdog::closeLeftovers() {
  // Innermost first: closing it lets the loop of the one below return.
  for (int round = 0; round < 10; ++round) {
    const QList<QWidget*> open = OpenModalWindows();
    if (open.isEmpty()) break;
    for (QWidget* window : open)
      closeAndRecord(window);
    QApplication::processEvents();
  }
  firstSeen_.clear();
}

void ModalWatchdog::poll() {
  const QList<QWidget*> open = OpenModalWindows();
  // Forget windows that went away, so that a new one at the same address starts afresh.
  for (auto it = firstSeen_.begin(); it != firstSeen_.end();) {
    it = open.contains(it.key()) ? std::next(it) : firstSeen_.erase(it);
  }
  const qint64 now = clock_.elapsed();
  for (QWidget* window : open) {
    const qint64 since = firstSeen_.value(window, now);
    firstSeen_.insert(window, since);
    if (now - since >= grace_.count()) {
      firstSeen_.remove(window);
      closeAndRecord(window);
    }
  }
}

void ModalWatchdog::closeAndRecord(QWidget* window) {
  closed_.append(DescribeWindow(window));
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    QAbstractButton* button = box->escapeButton();
    if (!button) button = box->defaultButton();
    if (!button && !box->buttons().isEmpty()) button = box->buttons().constFirst();
    if (button) {
      button->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
    return;
  }
  window->close();
}

void OnNextModal(std::function<void(QWidget*)> action, std::chrono::milliseconds timeout) {
  auto* poller = new QTimer(qApp);
  poller->setInterval(10);
  const QPointer<QWidget> before = QApplication::activeModalWidget();
  QElapsedTimer clock;
  clock.start();
  QObject::connect(poller, &QTimer::timeout, poller, [=]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    const bool arrived = modal && modal != before && modal->isVisible();
    if (!arrived && clock.elapsed() < timeout.count()) return;
    poller->stop();
    poller->deleteLater();
    if (arrived) action(modal);
  });
  poller->start();
}

}  // namespace testsupport
