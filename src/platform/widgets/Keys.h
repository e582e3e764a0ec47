#pragma once

#include <QKeyEvent>

namespace platform {

// Enter on the main keyboard or on the keypad.
inline bool IsEnter(const QKeyEvent& event) {
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// One press, one action: the Enters a keyboard repeats while the key is held act on nothing,
// so that holding Enter never picks one list entry after another or opens window after window.
inline bool IsRepeatedEnter(const QKeyEvent& event) {
  return IsEnter(event) && event.isAutoRepeat();
}

}  // namespace platform
