#pragma once

#include <QKeyEvent>

namespace platform {

// Enter on the main keyboard or on the keypad.
inline bool IsEnter(const QKeyEvent& event) {
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// One press, one action: the Enters a keyboard repeats while the key is held act on nothing,
// so that holding Enter never picks one list entry after another or opens window after window.
// Also a repeat the window system does not mark as one: X11 reports each as a release and a
// press at the same moment, and Qt marks the press only when both had arrived as it read the
// release, which under load they often have not.
bool IsRepeatedEnter(const QKeyEvent& event);

}  // namespace platform
