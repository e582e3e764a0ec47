#pragma once

class QWidget;

namespace platform {

// Queues one Tab keystroke for the window that `from` belongs to: after the running handler
// returns, the Tab is delivered to that window's focus widget and moves the focus to the next
// control in tab order, with or without a window manager.
void QueueTab(QWidget* from);

// Gives `widget` the focus now, and again once the keystrokes queued so far have arrived, so
// that it keeps the focus whatever a queued Tab would have moved.
void FocusAfterQueuedKeys(QWidget* widget);

}  // namespace platform
