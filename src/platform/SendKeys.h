#pragma once

class QWidget;

namespace platform {

// Queues one Tab keystroke for the window that `from` belongs to: after the running handler
// returns, the Tab is delivered to that window's focus widget and moves the focus to the next
// control in tab order, with or without a window manager.
void QueueTab(QWidget* from);

}  // namespace platform
