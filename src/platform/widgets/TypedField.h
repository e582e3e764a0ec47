#pragma once

#include <QAbstractSpinBox>

#include "platform/widgets/DateTimeTyping.h"

namespace platform {

// A field that owns its text, as the date and time pickers and the duration field do: whatever
// reaches it (keys with any modifiers, the keypad, Ctrl+V, Shift+Insert, the context menu's
// Paste, a middle-click paste, a drop, an input method) is typed through one DateTimeTyping, a
// paste or drop from the first part on. The left and right arrow keys, Home and End move between
// the parts; Tab leaves the field, and Enter too where it moves on.
//
// What is typed becomes the field's value when the typing is complete, at Enter or Tab, when the
// field loses the focus, and before another control's shortcut. A text that is no value the field
// takes stays shown as it stands, marked, with Problem() saying why; Tab and Enter do not leave
// it.
class TypedField : public QAbstractSpinBox {
  Q_OBJECT

 public:
  // Enter moves on to the next control, as Tab does.
  void SetEnterMovesOn(bool movesOn) { enterMovesOn_ = movesOn; }

  // Why what the field shows is not a value it takes; empty when it shows its value.
  virtual QString Problem() const = 0;
  // Drops a text typed that is not a value: the field shows its value again.
  void Revert();

 protected:
  TypedField(DateTimeTyping::Kind kind, QWidget* parent);

  // The value as the field shows it while nothing typed stands.
  virtual QString ShownValue() const = 0;
  // Puts the value into the typing, for the next typing to start from.
  virtual void ShowValueInTyping() = 0;
  // Takes what is typed as the value when the field takes it; false leaves it shown.
  virtual bool TakeTyped() = 0;
  // A key of the field's own, before any typing (the calendar's); true when handled.
  virtual bool HandleOwnKey(QKeyEvent&) { return false; }

  void Commit();
  void ShowField();
  void SelectPart();
  void UpdateLook();

  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  DateTimeTyping typing_;
  bool showsTyped_ = false;  // the field shows what was typed, not the value

 private:
  // The one way text comes in: typed from where the typing is, or from the first part.
  bool HandleKey(QKeyEvent& event);
  void Type(const QString& text);
  void Paste(const QString& text);
  void EraseSelected();
  void SelectAll();
  bool KeepsFocus();

  bool enterMovesOn_ = false;
};

}  // namespace platform
