#include "platform/widgets/SendKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {

bool TakesTabFocus(const QWidget* widget, const QWidget* window) {
  return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled() &&
         widget->isVisibleTo(window) && !widget->focusProxy() && widget->window() == window;
}

// The control after `current` in the window's tab order that can take the focus.
QWidget* NextInTabOrder(QWidget* current, QWidget* window) {
  for (QWidget* candidate = current->nextInFocusChain(); candidate && candidate != current;
       candidate = candidate->nextInFocusChain()) {
    if (TakesTabFocus(candidate, window)) return candidate;
  }
  return nullptr;
}

void DeliverTab(QWidget* window) {
  QWidget* target = window->focusWidget();
  if (!target) target = window;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  QApplication::sendEvent(target, &release);
  // A control that takes Tab as input (an editor inserting a tab) has kept the focus; the
  // keystroke was meant to move on all the same.
  if (window->focusWidget() != target || target == window) return;
  if (QWidget* next = NextInTabOrder(target, window)) next->setFocus(Qt::TabFocusReason);
}

}  // namespace

void QueueTab(QWidget* from) {
  if (!from) return;
  // Posted, so that it arrives after the running handler returns; the window is looked up
  // now, since that is the window the keystroke was meant for.
  QPointer<QWidget> window = from->window();
  QTimer::singleShot(0, window, [window] {
    if (window) DeliverTab(window);
  });
}

void FocusAfterQueuedKeys(QWidget* widget) {
  widget->setFocus();
  // Posted after the keystrokes, which arrive in the order they were queued.
  QTimer::singleShot(0, widget, [widget] { widget->setFocus(); });
}

}  // namespace platform
