#include "platform/widgets/TextBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QValidator>

#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/Keys.h"
#include "platform/widgets/SteadyColors.h"

namespace platform {

namespace {

constexpr qint16 kEnter = 13;
constexpr qint16 kBackspace = 8;
constexpr qint16 kEscape = 27;
constexpr char16_t kDelete = 0x7f;

// The character code the classic control reports for a key, or -1 for a key that types
// nothing (arrows, function keys, Delete, Shift alone), which never reaches the hook.
int CharacterCode(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kEnter;
  const QString text = event.text();
  if (text.isEmpty() || text.at(0).unicode() == kDelete) return -1;
  return text.at(0).unicode();
}

Qt::Key KeyFor(char16_t code) {
  switch (code) {
    case kEnter:
      return Qt::Key_Return;
    case kBackspace:
      return Qt::Key_Backspace;
    case kEscape:
      return Qt::Key_Escape;
    default:
      break;
  }
  // Qt's key codes for printable ASCII are the codes of the upper-case characters.
  if (code >= 0x20 && code < 0x7f) return static_cast<Qt::Key>(QChar(code).toUpper().unicode());
  return Qt::Key_unknown;
}

// Keeps a field's text on one line, whichever way the text came in.
class OneLine : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString before = input.left(pos);
    input = OnOneLine(input);
    pos = int(OnOneLine(before).size());
    return Acceptable;
  }
};

}  // namespace

QString OnOneLine(QString text) {
  static const QRegularExpression kLineBreaks(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
  return text.replace(kLineBreaks, QStringLiteral(" "));
}

void DeliverThroughHook(const KeyPressHook& hook, QKeyEvent* event,
                        const std::function<void(QKeyEvent*)>& deliver) {
  // A held Enter moves on, or opens a picker, once.
  if (IsRepeatedEnter(*event)) return event->accept();
  const int code = CharacterCode(*event);
  if (!hook || code < 0) {
    deliver(event);
    return;
  }
  qint16 keyAscii = static_cast<qint16>(code);
  // The hook is a handler of the user's key: a failure in it is reported, and the key dropped.
  if (!Guarded([&] { hook(keyAscii); })) keyAscii = 0;
  const auto replaced = static_cast<char16_t>(keyAscii);
  if (replaced == 0) {
    event->accept();
    return;
  }
  if (replaced == static_cast<char16_t>(code)) {
    deliver(event);
    return;
  }
  const QString text = replaced == kEnter ? QStringLiteral("\r") : QString(QChar(replaced));
  QKeyEvent substitute(QEvent::KeyPress, KeyFor(replaced), event->modifiers() & ~Qt::ShiftModifier,
                       text, event->isAutoRepeat());
  deliver(&substitute);
  event->setAccepted(substitute.isAccepted());
}

void DrawAccentFrame(QPainter& painter, const QRect& rect, const QColor& accent) {
  if (!accent.isValid()) return;
  painter.setPen(accent);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

TextBox::TextBox(QWidget* parent, const QColor& back) : QLineEdit(parent) {
  SetBackColor(back);
  setValidator(new OneLine(this));
  ConnectGuarded(this, &QLineEdit::textChanged, this, [this] { stored_.reset(); });
  // The user's change stays a change when a line break in it was made a blank.
  ConnectGuarded(this, &QLineEdit::textEdited, this, [this] { setModified(true); });
}

void TextBox::ShowStored(const QString& stored) {
  setText(stored.trimmed());
  stored_ = stored;
}

void TextBox::clear() {
  QLineEdit::clear();
  stored_.reset();
}

void TextBox::SetBackColor(const QColor& color) {
  backColor_ = color;
  SetSteadyBackground(*this, color, {QPalette::Base, QPalette::Window}, {QPalette::Text});
}

void TextBox::SetAccentColor(const QColor& color) {
  accentColor_ = color;
  update();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  DeliverThroughHook(keyPressHook_, event,
                     [this](QKeyEvent* key) { QLineEdit::keyPressEvent(key); });
}

void TextBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (!accentColor_.isValid()) return;
  QPainter painter(this);
  DrawAccentFrame(painter, rect(), accentColor_);
}

}  // namespace platform
