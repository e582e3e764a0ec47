#include "platform/widgets/ComboBox.h"

#include <QKeyEvent>

#include "platform/widgets/SendKeys.h"
#include "platform/widgets/SteadyColors.h"

namespace platform {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  SetBackColor(backColor_);
}

void ComboBox::SetText(const QString& text) {
  setCurrentIndex(text.isEmpty() ? -1 : findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void ComboBox::SetBackColor(const QColor& color) {
  backColor_ = color;
  // A list that is not editable is drawn as a button; its field is the button's face.
  SetSteadyBackground(*this, color, {QPalette::Button, QPalette::Base},
                      {QPalette::ButtonText, QPalette::Text});
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enterMovesOn_ || !enter) return QComboBox::keyPressEvent(event);
  QueueTab(this);
  event->accept();
}

}  // namespace platform
