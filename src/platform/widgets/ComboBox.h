#pragma once

#include <QColor>
#include <QComboBox>

namespace platform {

// A drop-down list the user picks from, never types into. Its text is the item shown; setting
// a text shows the first item with exactly that text, and a text no item has (the empty one
// included) shows no item. Its background holds in every state, as a text field's does, so a
// read-only list is disabled and still shown on its own colour.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent = nullptr);

  QString Text() const { return currentText(); }
  void SetText(const QString& text);

  QColor BackColor() const { return backColor_; }
  void SetBackColor(const QColor& color);

  // Enter moves on to the next control, as Tab does.
  void SetEnterMovesOn(bool movesOn) { enterMovesOn_ = movesOn; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor backColor_{255, 255, 255};
  bool enterMovesOn_ = false;
};

}  // namespace platform
