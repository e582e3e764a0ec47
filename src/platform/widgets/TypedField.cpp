#include "platform/widgets/TypedField.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>
#include <algorithm>
#include <functional>

#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"

namespace platform {

namespace {

// A typed text that is not a value, and one the field does not take, are shown so.
const QColor kProblemText(192, 0, 0);

// A key that only changes what the next key types: pressed alone it changes nothing.
bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
      return true;
    default:
      return false;
  }
}

// A key that types its text: with or without Shift, from the keypad, or with AltGr (which some
// systems report as Ctrl+Alt); not Ctrl or Alt alone, which make shortcuts.
bool TypesText(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); }))
    return false;
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
  return ctrl == alt && !(mods & Qt::MetaModifier);
}

}  // namespace

TypedField::TypedField(DateTimeTyping::Kind kind, QWidget* parent)
    : QAbstractSpinBox(parent), typing_(kind) {
  // The base accepts any text and mends none (validate(), fixup()): the field's text is ours.
  lineEdit()->installEventFilter(this);
  lineEdit()->setAcceptDrops(false);
  setAcceptDrops(true);  // a drop on the field is taken here
}

void TypedField::Revert() {
  showsTyped_ = false;
  ShowValueInTyping();
  ShowField();
}

bool TypedField::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto& key = static_cast<QKeyEvent&>(*event);
    if (TypesText(key)) {  // AltGr's characters are typed, not shortcuts
      key.accept();
      return true;
    }
    const bool handled = QAbstractSpinBox::event(event);
    // Another control's shortcut (Alt+S saves) acts on what was typed, as a click would.
    if (!key.isAccepted() && !IsModifierKey(key.key())) Commit();
    return handled;
  }
  if (event->type() == QEvent::InputMethod) {
    auto& input = static_cast<QInputMethodEvent&>(*event);
    if (!input.commitString().isEmpty()) Type(input.commitString());
    event->accept();
    return true;
  }
  const bool handled = QAbstractSpinBox::event(event);
  if (event->type() == QEvent::EnabledChange) UpdateLook();
  return handled;
}

void TypedField::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(*event)) {
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
  if (hasFocus()) SelectPart();  // the base selects the whole text at Enter
}

// True when the key was handled here. The base gets the steps (Up, Down, Page Up, Page Down),
// Esc, Copy and keys that type nothing; no other key edits the field.
bool TypedField::HandleKey(QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Commit();
    if (KeepsFocus()) return true;
    if (!enterMovesOn_) return false;
    QueueTab(this);
    return true;
  }
  if (event.matches(QKeySequence::Paste)) {
    Paste(QGuiApplication::clipboard()->text());
    return true;
  }
  if (event.matches(QKeySequence::Cut)) {
    lineEdit()->copy();
    EraseSelected();
    return true;
  }
  if (HandleOwnKey(event)) return true;
  if (TypesText(event)) {
    Type(event.text());
    return true;
  }
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      EraseSelected();
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
      typing_.MoveTo(typing_.Part() + (key == Qt::Key_Right ? 1 : -1));
      ShowField();
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      typing_.MoveTo(key == Qt::Key_End ? typing_.LastPart() : 0);
      ShowField();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
      return false;
    default:
      break;
  }
  if (event.matches(QKeySequence::SelectAll)) {
    SelectAll();
    return true;
  }
  if (event.matches(QKeySequence::Copy)) return false;
  return !event.text().isEmpty();  // Undo, Ctrl+U and the like would edit around the typing
}

// Typed where the typing is; a complete value is taken at once.
void TypedField::Type(const QString& text) {
  if (isReadOnly()) return;
  bool complete = false;
  for (QChar typed : text) {
    showsTyped_ = true;
    complete = typing_.Type(typed);
  }
  ShowField();
  if (complete) Commit();
}

// A paste or a drop is read as if its text were typed from the first part on; line breaks are
// blanks, as in every one-line field. It ends the typing.
void TypedField::Paste(const QString& text) {
  if (isReadOnly() || !isEnabled()) return;
  typing_.MoveTo(0);
  showsTyped_ = true;
  for (QChar typed : OnOneLine(text).trimmed())
    if (typing_.Type(typed)) break;
  ShowField();
  Commit();
}

void TypedField::EraseSelected() {
  if (isReadOnly()) return;
  showsTyped_ = true;
  typing_.Erase();
  ShowField();
}

// What was typed becomes the value when it is one the field takes; otherwise it stays shown.
void TypedField::Commit() {
  if (showsTyped_ && TakeTyped()) showsTyped_ = false;
  UpdateLook();
}

void TypedField::ShowField() {
  const QString shown = showsTyped_ ? typing_.Text() : ShownValue();
  if (lineEdit()->text() != shown) lineEdit()->setText(shown);
  if (hasFocus()) SelectPart();
  UpdateLook();
}

// The whole text, and typing from the first part.
void TypedField::SelectAll() {
  typing_.MoveTo(0);
  lineEdit()->selectAll();
}

void TypedField::SelectPart() {
  const int part = typing_.Part();
  lineEdit()->setSelection(typing_.Start(part), typing_.Length(part));
}

void TypedField::UpdateLook() {
  const QString problem = Problem();
  QPalette look = palette();
  // A disabled field shows what it holds as any other (a past request's date before the
  // earliest one).
  if (!problem.isEmpty() && isEnabled()) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      look.setColor(group, QPalette::Text, kProblemText);
  }
  lineEdit()->setPalette(look);
  // The reason shown for a text since mended goes with it.
  if (problem.isEmpty() && QToolTip::isVisible() && QToolTip::text() == toolTip())
    QToolTip::hideText();
  setToolTip(problem);
}

// What the user typed and the field cannot take keeps the focus until it is mended, and is
// shown as it is.
bool TypedField::KeepsFocus() {
  Commit();
  const QString problem = Problem();
  if (problem.isEmpty()) return false;
  SelectPart();
  QToolTip::showText(mapToGlobal(rect().bottomLeft()), problem, this);
  return true;
}

bool TypedField::focusNextPrevChild(bool next) {
  if (KeepsFocus()) return true;
  return QWidget::focusNextPrevChild(next);
}

void TypedField::focusInEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusInEvent(event);
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
    typing_.MoveTo(0);
  if (event->reason() != Qt::MouseFocusReason) SelectPart();
}

void TypedField::focusOutEvent(QFocusEvent* event) {
  Commit();
  QAbstractSpinBox::focusOutEvent(event);
}

// A click in the field starts the part clicked anew; a middle click pastes the selection
// (X11), read as typed.
bool TypedField::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  if (watched != lineEdit() || (!press && event->type() != QEvent::MouseButtonRelease))
    return QAbstractSpinBox::eventFilter(watched, event);
  const auto& mouse = static_cast<QMouseEvent&>(*event);
  if (mouse.button() == Qt::MiddleButton) {
    if (!press && QGuiApplication::clipboard()->supportsSelection())
      Paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
    return true;
  }
  if (!press && mouse.button() == Qt::LeftButton)
    typing_.MoveTo(typing_.PartAt(lineEdit()->cursorPosition()));
  return false;
}

// The field's menu: Paste reads the clipboard as typed, Cut and Delete erase the part; nothing
// else that edits (undo, control characters) is offered.
void TypedField::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool editable = !isReadOnly(), selected = lineEdit()->hasSelectedText();
  const auto add = [&](const QString& text, QKeySequence::StandardKey key, bool enabled,
                       const std::function<void()>& act) {
    QAction* action =
        menu.addAction(text + u'\t' + QKeySequence(key).toString(QKeySequence::NativeText));
    action->setEnabled(enabled);
    ConnectGuarded(action, &QAction::triggered, this, act);
  };
  add(QStringLiteral("Cu&t"), QKeySequence::Cut, editable && selected, [this] {
    lineEdit()->copy();
    EraseSelected();
  });
  add(QStringLiteral("&Copy"), QKeySequence::Copy, selected, [this] { lineEdit()->copy(); });
  add(QStringLiteral("&Paste"), QKeySequence::Paste,
      editable && !QGuiApplication::clipboard()->text().isEmpty(),
      [this] { Paste(QGuiApplication::clipboard()->text()); });
  add(QStringLiteral("Delete"), QKeySequence::Delete, editable && selected,
      [this] { EraseSelected(); });
  menu.addSeparator();
  add(QStringLiteral("Select All"), QKeySequence::SelectAll, true, [this] { SelectAll(); });
  menu.exec(event->globalPos());
  event->accept();
}

void TypedField::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasText() && !isReadOnly()) event->acceptProposedAction();
}

void TypedField::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasText() && !isReadOnly()) event->acceptProposedAction();
}

void TypedField::dropEvent(QDropEvent* event) {
  Paste(event->mimeData()->text());
  event->acceptProposedAction();
}

}  // namespace platform
