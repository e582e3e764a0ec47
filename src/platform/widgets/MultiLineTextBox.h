#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <optional>

#include "platform/widgets/TextBox.h"

namespace platform {

// A text field taller than one line: its text wraps at the field's width and scrolls up and
// down, so that a long text can be read whole. It holds one line of text all the same: a line
// break is never inserted (a pasted one becomes a blank), and Tab moves on as in every field.
// Otherwise it is the entry form's TextBox: a background that holds while disabled, an accent
// frame and a key-press hook.
class MultiLineTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MultiLineTextBox(QWidget* parent = nullptr);

  // The text as shown, no-break spaces and all.
  QString text() const;
  void setText(const QString& text);
  // As TextBox's: a text read from the database, given back as stored until the text changes.
  void ShowStored(const QString& stored);
  QString Value() const { return stored_.value_or(text()); }
  void clear();

  QColor BackColor() const { return backColor_; }
  void SetBackColor(const QColor& color);
  QColor AccentColor() const { return accentColor_; }
  void SetAccentColor(const QColor& color);

  void SetKeyPressHook(KeyPressHook hook) { keyPressHook_ = std::move(hook); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  QColor backColor_{255, 255, 255};
  QColor accentColor_;
  KeyPressHook keyPressHook_;
  std::optional<QString> stored_;
};

}  // namespace platform
