#include "platform/widgets/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <array>
#include <vector>

#include "platform/Errors.h"

namespace platform {

namespace {

MsgBoxHandler& CurrentHandler() {
  static MsgBoxHandler handler;
  return handler;
}

using StandardButtons = std::vector<QMessageBox::StandardButton>;

// The buttons of each button group, in the order the classic box places them; the default
// button flags count in this order.
StandardButtons ButtonsOf(int style) {
  switch (style & 7) {
    case vbOKCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case vbAbortRetryIgnore:
      return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case vbYesNoCancel:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case vbYesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case vbRetryCancel:
      return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
      return {QMessageBox::Ok};
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case vbCritical:
      return QMessageBox::Critical;
    case vbQuestion:
      return QMessageBox::Question;
    case vbExclamation:
      return QMessageBox::Warning;
    case vbInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// A default button flag beyond the buttons there are falls back to the first button, as on
// the classic box.
QMessageBox::StandardButton DefaultOf(int style, const StandardButtons& buttons) {
  const std::size_t index = static_cast<std::size_t>((style & 0x300) >> 8);
  return index < buttons.size() ? buttons[index] : buttons.front();
}

// Escape answers Cancel where there is one, No on a Yes/No box, OK on an OK-only box. On
// Abort/Retry/Ignore the message box's own choice (Abort) stands.
QMessageBox::StandardButton EscapeOf(const StandardButtons& buttons) {
  for (QMessageBox::StandardButton wanted :
       {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
    for (QMessageBox::StandardButton button : buttons)
      if (button == wanted) return button;
  }
  return QMessageBox::NoButton;
}

int ResultOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return vbOK;
    case QMessageBox::Cancel:
      return vbCancel;
    case QMessageBox::Abort:
      return vbAbort;
    case QMessageBox::Retry:
      return vbRetry;
    case QMessageBox::Ignore:
      return vbIgnore;
    case QMessageBox::Yes:
      return vbYes;
    case QMessageBox::No:
      return vbNo;
    default:
      return 0;
  }
}

QWidget* ActiveOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  QWidget* active = QApplication::activeWindow();
  // A drop-down (the calendar of a date picker) closes as the box opens: own the box by the
  // window the drop-down belongs to.
  while (active && active->windowType() == Qt::Popup && active->parentWidget())
    active = active->parentWidget()->window();
  return active;
}

int ShowRealBox(const QString& prompt, int style, const QString& title) {
  QPointer<QMessageBox> box = CreateMessageBox(prompt, style, title, ActiveOwner());
  box->exec();
  if (!box) return vbCancel;  // its owner went away while it was open
  QAbstractButton* pressed = box->clickedButton();
  if (!pressed) pressed = box->escapeButton();
  const int result = pressed ? ResultOf(box->standardButton(pressed)) : vbCancel;
  delete box;
  return result;
}

}  // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
  // A copy, so that a handler may replace itself while it runs.
  const MsgBoxHandler handler = CurrentHandler();
  if (handler) return handler(prompt, style, title);
  return ShowRealBox(prompt, style, title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
  MsgBoxHandler previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(handler);
  return previous;
}

QMessageBox* CreateMessageBox(const QString& prompt, int style, const QString& title,
                              QWidget* parent) {
  auto* box = new QMessageBox(parent);
  box->setWindowModality(Qt::ApplicationModal);
  // An empty title would be replaced by the program's name on desktop platforms; a blank
  // keeps the title bar empty.
  box->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
  box->setText(prompt);
  box->setTextFormat(Qt::PlainText);
  box->setIcon(IconOf(style));
  const StandardButtons buttons = ButtonsOf(style);
  for (QMessageBox::StandardButton button : buttons)
    box->addButton(button);
  box->setDefaultButton(DefaultOf(style, buttons));
  const QMessageBox::StandardButton escape = EscapeOf(buttons);
  if (escape != QMessageBox::NoButton) box->setEscapeButton(escape);
  // Assistive technology announces a message box by its name.
  if (!title.isEmpty()) box->setAccessibleName(title);
  return box;
}

QString AppTitle() {
  return QStringLiteral("OR Scheduler");
}

}  // namespace platform
