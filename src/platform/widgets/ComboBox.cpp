#include "platform/widgets/ComboBox.h"

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

}  // namespace platform
