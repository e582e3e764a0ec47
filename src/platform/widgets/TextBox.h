#pragma once

#include <QColor>
#include <QLineEdit>
#include <functional>
#include <optional>

class QKeyEvent;
class QPainter;

namespace platform {

// Called with the character code of a typed key (13 for Enter) before it is applied; the hook
// may replace it, or set it to 0 to cancel the key. It runs guarded: a failure is reported and
// cancels the key.
using KeyPressHook = std::function<void(qint16& keyAscii)>;

// Hands a key press to `hook` as the classic text control did, then the key as the hook left
// it to `deliver`, the control's own handling. A key that types nothing never reaches the hook;
// an Enter the keyboard repeats reaches neither.
void DeliverThroughHook(const KeyPressHook& hook, QKeyEvent* event,
                        const std::function<void(QKeyEvent*)>& deliver);

// The text on one line: each line break (CR LF as one) is a blank.
QString OnOneLine(QString text);

// The accent colour of an entry field, drawn as a frame just inside `rect`.
void DrawAccentFrame(QPainter& painter, const QRect& rect, const QColor& accent);

// The text field of the entry form: a line edit with a background colour that holds also while
// disabled (read-only fields are disabled and shown on their background), an accent colour
// drawn as its frame, and a key-press hook that sees each typed character before it is placed.
// It holds one line: a line break that reaches it (pasted, dropped, set) is a blank.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  // Starts on `back`: a field made on another colour is not coloured twice.
  explicit TextBox(QWidget* parent = nullptr, const QColor& back = QColor(255, 255, 255));

  QColor BackColor() const { return backColor_; }
  void SetBackColor(const QColor& color);
  QColor AccentColor() const { return accentColor_; }
  void SetAccentColor(const QColor& color);

  // Shows a text read from the database without the blanks at its ends, as every loaded value
  // is shown; Value() gives it back as it was stored, byte for byte, until the field's text
  // changes or the field is emptied.
  void ShowStored(const QString& stored);
  // What the field stands for: the text stored while the field shows it unchanged, else its text.
  QString Value() const { return stored_.value_or(text()); }
  // Empties the field and forgets a text stored (which may have shown as empty).
  void clear();

  using KeyPressHook = platform::KeyPressHook;
  void SetKeyPressHook(KeyPressHook hook) { keyPressHook_ = std::move(hook); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor backColor_;
  QColor accentColor_;
  KeyPressHook keyPressHook_;
  std::optional<QString> stored_;
};

}  // namespace platform
