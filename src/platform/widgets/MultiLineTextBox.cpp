#include "platform/widgets/MultiLineTextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextDocument>

#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/SteadyColors.h"

namespace platform {

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setTabChangesFocus(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SetBackColor(backColor_);
  ConnectGuarded(this, &QPlainTextEdit::textChanged, this, [this] { stored_.reset(); });
}

QString MultiLineTextBox::text() const {
  return OnOneLine(document()->toRawText());  // toPlainText() would make no-break spaces blanks
}

void MultiLineTextBox::setText(const QString& text) {
  setPlainText(OnOneLine(text));  // shown from its beginning
}

void MultiLineTextBox::ShowStored(const QString& stored) {
  setText(stored.trimmed());
  stored_ = stored;
}

void MultiLineTextBox::clear() {
  QPlainTextEdit::clear();
  stored_.reset();
}

void MultiLineTextBox::SetBackColor(const QColor& color) {
  backColor_ = color;
  SetSteadyBackground(*this, color, {QPalette::Base, QPalette::Window}, {QPalette::Text});
}

void MultiLineTextBox::SetAccentColor(const QColor& color) {
  accentColor_ = color;
  update();
}

// The frame is the field's own, around the scrolled text: drawn after the field's frame.
bool MultiLineTextBox::event(QEvent* event) {
  const bool handled = QPlainTextEdit::event(event);
  if (event->type() == QEvent::Paint && accentColor_.isValid()) {
    QPainter painter(this);
    DrawAccentFrame(painter, rect(), accentColor_);
  }
  return handled;
}

void MultiLineTextBox::keyPressEvent(QKeyEvent* event) {
  DeliverThroughHook(keyPressHook_, event, [this](QKeyEvent* key) {
    // Enter that the hook left as it was still breaks no line.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return key->ignore();
    QPlainTextEdit::keyPressEvent(key);
  });
}

void MultiLineTextBox::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) insertPlainText(OnOneLine(source->text()));
}

}  // namespace platform
