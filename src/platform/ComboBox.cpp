#include "platform/ComboBox.h"

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
  QPalette colors = palette();
  const QColor text = colors.color(QPalette::Active, QPalette::ButtonText);
  // A list that is not editable is drawn as a button; its field is the button's face.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colors.setColor(group, QPalette::Button, color);
    colors.setColor(group, QPalette::Base, color);
    colors.setColor(group, QPalette::ButtonText, text);
    colors.setColor(group, QPalette::Text, text);
  }
  setPalette(colors);
  update();
}

}  // namespace platform
