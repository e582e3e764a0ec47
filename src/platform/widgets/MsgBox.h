#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

namespace platform {

// Classic message-box style flags, added together.
enum MsgBoxStyle {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton1 = 0,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
};

// The button the user pressed.
enum MsgBoxResult {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7
};

// The one message box: modal, over the active window. Returns the button pressed.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// Tests replace the handler to answer and record; an empty handler restores the real box.
// Returns the previous handler.
using MsgBoxHandler = std::function<int(const QString& prompt, int style, const QString& title)>;
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// Builds (does not show) the real box for the style: buttons, icon, default and escape button.
QMessageBox* CreateMessageBox(const QString& prompt, int style, const QString& title,
                              QWidget* parent);

// The product's title, used for reports of failures.
QString AppTitle();

}  // namespace platform
